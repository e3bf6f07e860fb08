# Shared helpers for Tavrel's own targets (third-party code keeps its own flags).

function(tavrel_flags target)
  separate_arguments(flags NATIVE_COMMAND "${TAVREL_WARNING_FLAGS}")
  target_compile_options(${target} PRIVATE ${flags})
  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  endif()
endfunction()

# tavrel_library(name SOURCES ... DEPS ...): a static library rooted at the source tree.
function(tavrel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tavrel_flags(${name})
endfunction()

# Static C++ runtime on Windows: tavrel.exe and the test programs need only system DLLs.
function(tavrel_static_runtime target)
  if(WIN32 AND MINGW)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()

# tavrel_test(name SOURCES ... DEPS ...): a GoogleTest program, discovered at test time
# so that the cross build lists its tests through Wine.
function(tavrel_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  tavrel_flags(${name})
  tavrel_static_runtime(${name})
  # Escaped so that a list of labels stays one property value.
  string(REPLACE ";" "\\;" labels "${ARG_LABELS}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${labels}" TIMEOUT 120)
endfunction()
