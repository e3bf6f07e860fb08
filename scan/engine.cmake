# tavrel_scan_engine: the scan driver and the change-row builder.
tavrel_library(tavrel_scan_engine SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/change_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scan_driver.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_name_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/value_text.cpp
  DEPS tavrel_change_list tavrel_registry tavrel_watchlist tavrel_platform)
