# Platform fakes: clock, process and instance lock, a fault-injecting file
# system (in memory, or over a real one), and a temporary folder for tests on
# the real file system.
target_sources(tavrel_test_fakes PRIVATE ${CMAKE_CURRENT_LIST_DIR}/faulty_file_system.cpp)
target_link_libraries(tavrel_test_fakes PUBLIC tavrel_platform)
