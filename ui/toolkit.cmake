# The toolkit seam's backends: headless (state for tests, a hand-driven clock)
# and, in the Windows build, Win32 (user32, comctl32, gdi32).
tavrel_library(tavrel_ui_headless SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_controls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_toolkit.cpp)

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/win32/win32.cmake)
endif()
