# The drawing-surface seam: the interface, a pixel grid that tests paint on,
# and the GDI backend of the Windows build.
add_library(tavrel_surface INTERFACE)
target_include_directories(tavrel_surface INTERFACE ${PROJECT_SOURCE_DIR})

# Only test programs link this one.
tavrel_library(tavrel_surface_pixels
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/headless/pixel_surface.cpp
  DEPS tavrel_surface)

if(WIN32)
  tavrel_library(tavrel_surface_gdi
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/win32/gdi_surface.cpp
    DEPS tavrel_surface tavrel_ui_win32 tavrel_delayed_gdi32 tavrel_delayed_user32)
endif()
