# Resources of tavrel.exe and the files that ship beside it.
#
# tavrel_add_resources(target) gives the Windows executable its icon, logo,
# version information, manifest and the event source's message table (made
# from tavrel_messages.mc by windmc; the target may include the identifiers
# windmc writes, tavrel_messages.h), and puts tavrel.ini and alert.wav next to
# it. The pictures and the sound are made at build time from the recipes in
# this folder (ImageMagick and SoX, installed by scripts/setup); the version
# is the one of the project() line.
#
# It also writes <build>/tavrel-package.env, which scripts/package reads to
# find the executable and the version.

set(TAVREL_RESOURCES_DIR ${CMAKE_CURRENT_LIST_DIR})

function(tavrel_add_resources target)
  if(NOT WIN32)
    return()  # the native build has no executable to dress
  endif()
  set(src ${TAVREL_RESOURCES_DIR})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/resources)
  get_target_property(exe_dir ${target} RUNTIME_OUTPUT_DIRECTORY)
  if(NOT exe_dir)
    if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
      set(exe_dir ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
    else()
      set(exe_dir ${CMAKE_CURRENT_BINARY_DIR})
    endif()
  endif()

  find_program(TAVREL_CONVERT NAMES convert REQUIRED)
  find_program(TAVREL_SOX NAMES sox REQUIRED)
  set(windres ${CMAKE_RC_COMPILER})
  if(NOT windres)
    find_program(windres NAMES x86_64-w64-mingw32-windres windres REQUIRED)
  endif()

  add_custom_command(
    OUTPUT ${gen}/tavrel.ico ${gen}/logo.bmp ${gen}/logo-large.bmp
    COMMAND ${CMAKE_COMMAND} -E env CONVERT=${TAVREL_CONVERT} ${src}/make-images ${gen}
    DEPENDS ${src}/make-images
    COMMENT "Drawing the icon and the logo"
    VERBATIM)

  # Four numbers for the version resource and the manifest's assembly identity.
  set(TAVREL_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(TAVREL_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
  set(TAVREL_RES_ICON ${gen}/tavrel.ico)
  set(TAVREL_RES_LOGO ${gen}/logo.bmp)
  set(TAVREL_RES_LOGO_LARGE ${gen}/logo-large.bmp)
  set(TAVREL_RES_MANIFEST ${gen}/tavrel.manifest)
  configure_file(${src}/tavrel.manifest ${gen}/tavrel.manifest @ONLY)
  configure_file(${src}/tavrel.rc.in ${gen}/tavrel.rc @ONLY)

  # The message table: a header of identifiers, a .rc that tavrel.rc includes
  # last (its LANGUAGE line must not reach the other resources) and the
  # messages themselves (MSG00409.bin, UTF-16).
  find_program(TAVREL_WINDMC NAMES x86_64-w64-mingw32-windmc windmc REQUIRED)
  add_custom_command(
    OUTPUT ${gen}/tavrel_messages.h ${gen}/tavrel_messages.rc ${gen}/MSG00409.bin
    COMMAND ${TAVREL_WINDMC} -U -h ${gen} -r ${gen} ${src}/tavrel_messages.mc
    DEPENDS ${src}/tavrel_messages.mc
    COMMENT "Compiling the event log messages"
    VERBATIM)
  target_sources(${target} PRIVATE ${gen}/tavrel_messages.h)
  target_include_directories(${target} PRIVATE ${gen})

  # windres runs as a plain command so that the C++ warning flags of the
  # project's targets never reach it.
  set(res_obj ${gen}/tavrel_rc.o)
  add_custom_command(
    OUTPUT ${res_obj}
    COMMAND ${windres} --input-format=rc --output-format=coff
            -I ${src} -I ${gen}
            -i ${gen}/tavrel.rc -o ${res_obj}
    DEPENDS ${gen}/tavrel.rc ${gen}/tavrel.manifest ${src}/resource_ids.h
            ${gen}/tavrel_messages.rc ${gen}/MSG00409.bin
            ${gen}/tavrel.ico ${gen}/logo.bmp ${gen}/logo-large.bmp
    COMMENT "Compiling the resources of ${target}"
    VERBATIM)
  set_source_files_properties(${res_obj} PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(${target} PRIVATE ${res_obj})

  # The files that ship beside the executable. The watch list is written with
  # CR LF line ends, as Windows editors and the loader expect.
  configure_file(${src}/tavrel.ini ${gen}/tavrel.ini @ONLY NEWLINE_STYLE CRLF)
  add_custom_command(
    OUTPUT ${exe_dir}/tavrel.ini
    COMMAND ${CMAKE_COMMAND} -E copy ${gen}/tavrel.ini ${exe_dir}/tavrel.ini
    DEPENDS ${gen}/tavrel.ini
    VERBATIM)
  add_custom_command(
    OUTPUT ${exe_dir}/alert.wav
    COMMAND ${CMAKE_COMMAND} -E env SOX=${TAVREL_SOX} ${src}/make-alert-sound ${exe_dir}/alert.wav
    DEPENDS ${src}/make-alert-sound
    COMMENT "Making the alert sound"
    VERBATIM)
  add_custom_target(${target}_beside ALL DEPENDS ${exe_dir}/tavrel.ini ${exe_dir}/alert.wav)
  add_dependencies(${target} ${target}_beside)

  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/tavrel-package.env CONTENT
"TAVREL_VERSION=${PROJECT_VERSION}
TAVREL_EXE=$<TARGET_FILE:${target}>
TAVREL_INI=${exe_dir}/tavrel.ini
TAVREL_ALERT=${exe_dir}/alert.wav
TAVREL_ICON=${gen}/tavrel.ico
TAVREL_STRIP=${CMAKE_STRIP}
")
endfunction()
