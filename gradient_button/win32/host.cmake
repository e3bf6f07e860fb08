# The gradient button's Win32 host window.
tavrel_library(tavrel_gradient_button_win32
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/gradient_button_window.cpp
  DEPS tavrel_gradient_button tavrel_surface_gdi tavrel_ui_win32 tavrel_delayed_user32 tavrel_delayed_gdi32)
