# Delay-import libraries: the DLLs only a shown window or the alert sound needs
# are loaded at their first call, so that a start-up scan that shows nothing
# never pays for them (GNU ld has no /DELAYLOAD; dlltool makes the same import
# tables). Each .def lists the functions used; a new one must be added there.
foreach(dll comctl32 winmm)
  set(def ${CMAKE_CURRENT_LIST_DIR}/${dll}.def)
  set(lib ${PROJECT_BINARY_DIR}/delay-imports/lib${dll}_delay.a)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/delay-imports)
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib} --dllname ${dll}.dll
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "dlltool could not make ${lib}")
  endif()
  add_library(tavrel_delayed_${dll} INTERFACE)
  target_link_libraries(tavrel_delayed_${dll} INTERFACE ${lib})
endforeach()
