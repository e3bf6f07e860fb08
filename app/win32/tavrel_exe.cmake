# tavrel.exe: a GUI program with the C++ runtime linked in, so that it needs
# only the system's DLLs.
add_executable(tavrel WIN32 ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
target_link_libraries(tavrel PRIVATE tavrel_app tavrel_ui_win32 tavrel_gradient_button_win32 tavrel_registry_win32 tavrel_platform_backend tavrel_watch_win32)
target_link_options(tavrel PRIVATE -municode -mwindows)
tavrel_flags(tavrel)
tavrel_static_runtime(tavrel)
set_target_properties(tavrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

include(${CMAKE_CURRENT_LIST_DIR}/../resources/resources.cmake OPTIONAL)
if(COMMAND tavrel_add_resources)
  tavrel_add_resources(tavrel)
endif()
