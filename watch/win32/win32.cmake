# tavrel_watch_win32: registry notifications and the notification-area icon.
tavrel_library(tavrel_watch_win32 SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/registry_change_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_tray_icon.cpp
  DEPS tavrel_watch tavrel_ui_win32 advapi32 tavrel_delayed_user32 tavrel_delayed_shell32)
