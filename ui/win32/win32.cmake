# tavrel_ui_win32: the toolkit over user32, comctl32 and gdi32; comctl32 is
# loaded when the first window is shown.
include(${CMAKE_CURRENT_LIST_DIR}/delay/delay_imports.cmake)
tavrel_library(tavrel_ui_win32 SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/win32_toolkit.cpp
  DEPS user32 gdi32 tavrel_delayed_comctl32)
