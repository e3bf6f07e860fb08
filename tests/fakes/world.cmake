# The one test world: the machine's fakes with the engine, the dialog and the
# program context wired to them.
add_library(tavrel_test_world STATIC ${CMAKE_CURRENT_LIST_DIR}/world.cpp)
target_link_libraries(tavrel_test_world PUBLIC tavrel_test_fakes tavrel_app tavrel_scan_engine tavrel_ui_headless
                      tavrel_registry_memory GTest::gtest)
tavrel_flags(tavrel_test_world)
