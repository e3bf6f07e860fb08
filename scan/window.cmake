# tavrel_scan_window: frmMain's logic over the toolkit seam, the command line
# and the status values.
tavrel_library(tavrel_scan_window SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan_window.cpp
  DEPS tavrel_review_dialog tavrel_scan_engine tavrel_registry tavrel_watchlist tavrel_platform)
