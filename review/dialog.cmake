# tavrel_review_dialog: frmMessage's logic over the toolkit seam.
tavrel_library(tavrel_review_dialog SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/review_dialog.cpp
  DEPS tavrel_change_list tavrel_registry tavrel_watchlist tavrel_platform)
