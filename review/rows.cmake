# tavrel_change_list: the review dialog's rows and its loaded state.
tavrel_library(tavrel_change_list SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/change_list.cpp)
