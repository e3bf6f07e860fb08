# The drawing-surface seam: the interface, the recorder used by tests and the
# headless build, and the GDI backend of the Windows build.
tavrel_library(tavrel_surface SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/headless/recording_surface.cpp)

if(WIN32)
  tavrel_library(tavrel_surface_gdi
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/gdi_surface.cpp
    DEPS tavrel_surface tavrel_ui_win32 gdi32 user32)
endif()
