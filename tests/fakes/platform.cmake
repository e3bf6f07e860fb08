# Platform fakes: clock, process and instance lock, files in memory and a
# fault-injecting file system over them.
target_link_libraries(tavrel_test_fakes INTERFACE tavrel_platform)
