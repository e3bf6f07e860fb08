# Delay-import libraries (tavrel_delayed_<dll>): the DLLs that only a shown
# window, the alert sound or the watcher's icon needs are loaded at their first call, so that a
# start-up scan that shows nothing never loads them, nor what they pull in
# (the display driver, the input method, themes). GNU ld has no /DELAYLOAD;
# dlltool makes the same import tables from a list of the DLL's exports,
# taken here from the toolchain's own import library.
foreach(dll user32 gdi32 comctl32 winmm shell32)
  find_library(TAVREL_IMPORT_LIB_${dll} NAMES ${dll} REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} -g ${TAVREL_IMPORT_LIB_${dll}} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
  string(REGEX MATCHALL "__imp_[A-Za-z0-9_]+" imports "${symbols}")
  list(TRANSFORM imports REPLACE "^__imp_" "")
  list(REMOVE_DUPLICATES imports)
  list(JOIN imports "\n" exports)
  set(dir ${PROJECT_BINARY_DIR}/delay-imports)
  file(WRITE ${dir}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dir}/${dll}.def --output-delaylib ${dir}/lib${dll}_delay.a
                          --dllname ${dll}.dll RESULT_VARIABLE dlltoolFailed)
  if(failed OR dlltoolFailed OR NOT imports)
    message(FATAL_ERROR "no delay-import library for ${dll}")
  endif()
  add_library(tavrel_delayed_${dll} INTERFACE)
  target_link_libraries(tavrel_delayed_${dll} INTERFACE ${dir}/lib${dll}_delay.a)
endforeach()
