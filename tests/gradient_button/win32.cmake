# Windows only: the host window and GDI surface under a real window system,
# and the gallery of button looks, captured to PNG under Wine.
tavrel_test(gradient_button_win32_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32_host_test.cpp
  DEPS tavrel_gradient_button_win32
  LABELS "gradient_button;wine")

add_executable(gradient_button_gallery WIN32 ${CMAKE_CURRENT_LIST_DIR}/gallery_main.cpp)
target_link_libraries(gradient_button_gallery PRIVATE tavrel_gradient_button_win32)
target_link_options(gradient_button_gallery PRIVATE -municode)
tavrel_flags(gradient_button_gallery)
tavrel_static_runtime(gradient_button_gallery)

set(gallery_dir ${CMAKE_CURRENT_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${gallery_dir})
add_test(NAME gradient_button_gallery_screenshots
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/screenshot.sh
    ${PROJECT_SOURCE_DIR}/scripts/wine-run ${PROJECT_BINARY_DIR}/wineprefix
    $<TARGET_FILE:gradient_button_gallery>
  WORKING_DIRECTORY ${gallery_dir})
set_tests_properties(gradient_button_gallery_screenshots PROPERTIES
  SKIP_RETURN_CODE 77 TIMEOUT 180 LABELS "gradient_button;screenshots")
