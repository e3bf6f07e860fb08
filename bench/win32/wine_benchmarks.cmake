# Self-timed benchmark programs for Wine (the cross build has no Google
# Benchmark): Compare against a bare advapi32 pass, and the start-up scan's
# process time against reg.exe. bench/run-wine-benchmarks runs them.
add_executable(tavrel_compare_wine_bench
  ${CMAKE_CURRENT_LIST_DIR}/compare_vs_bare_wine.cpp ${CMAKE_CURRENT_LIST_DIR}/../compare_scenario.cpp)
target_link_libraries(tavrel_compare_wine_bench PRIVATE tavrel_scan_engine tavrel_registry_win32)
target_include_directories(tavrel_compare_wine_bench PRIVATE ${PROJECT_SOURCE_DIR})
tavrel_flags(tavrel_compare_wine_bench)
tavrel_static_runtime(tavrel_compare_wine_bench)

add_executable(tavrel_scannow_bench ${CMAKE_CURRENT_LIST_DIR}/scannow_bench.cpp)
target_include_directories(tavrel_scannow_bench PRIVATE ${PROJECT_SOURCE_DIR})
tavrel_flags(tavrel_scannow_bench)
tavrel_static_runtime(tavrel_scannow_bench)

add_executable(tavrel_empty_gui_program WIN32 ${CMAKE_CURRENT_LIST_DIR}/empty_gui_program.cpp)
target_link_options(tavrel_empty_gui_program PRIVATE -municode)
tavrel_flags(tavrel_empty_gui_program)
tavrel_static_runtime(tavrel_empty_gui_program)
