# tavrel_ui_win32: the toolkit over user32, comctl32 and gdi32, all three
# loaded when the first window is made.
include(${CMAKE_CURRENT_LIST_DIR}/delay/delay_imports.cmake)
tavrel_library(tavrel_ui_win32 SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_toolkit.cpp
  DEPS tavrel_delayed_user32 tavrel_delayed_gdi32 tavrel_delayed_comctl32)
