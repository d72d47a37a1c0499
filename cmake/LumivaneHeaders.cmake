# lumivane_add_headers(<target> [SOURCES <file.xbm>...] [IMAGES <image>...]
#                      [OUTPUT_DIR <dir>] [COLLECT <name>] [WITH_SIZE]
#                      [LAYOUT xbm|rows-msb|pages] [UNCOMPRESSED] [ANIMATION])
#
# Converts each bitmap into <dir>/<stem>.h with lumivane-cli when the target is
# built (never while configuring) and puts <dir> on the target's include path,
# so a source of the target writes #include "logo.h". <dir> defaults to
# ${CMAKE_CURRENT_BINARY_DIR}/lumivane/<target>; a relative <dir> is taken from
# the current binary folder. COLLECT also writes every listing, in the order
# given, into <dir>/<name>, as a dropped folder's allFiles.h holds them.
# WITH_SIZE puts the source's width and height defines before each array.
# IMAGES are imported (--import) into <name>.h, <name> being the file name up
# to its first dot; ANIMATION writes an image's frames into that one header
# with their table, and an animated GIF needs it. LAYOUT and UNCOMPRESSED
# choose the bytes for the drawing call that reads them (README: Byte layouts).
#
# Each bitmap has a command of its own, so touching one source rebuilds one
# header; the command line's dependency file tells the generator what a header
# was made from.

# Ninja reads a custom command's dependency file only with the paths rewritten
# relative to its build folder; commands record the policies they are defined
# with, so the consumer's own policy version does not matter.
cmake_policy(SET CMP0116 NEW)

function(lumivane_add_headers target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WITH_SIZE;UNCOMPRESSED;ANIMATION"
                        "OUTPUT_DIR;COLLECT;LAYOUT" "SOURCES;IMAGES")
  if(NOT TARGET ${target})
    message(FATAL_ERROR "lumivane_add_headers: no target named '${target}'")
  endif()
  if(NOT arg_SOURCES AND NOT arg_IMAGES)
    message(FATAL_ERROR "lumivane_add_headers(${target}): SOURCES and IMAGES name no bitmap")
  endif()
  if(arg_ANIMATION AND NOT arg_IMAGES)
    message(FATAL_ERROR "lumivane_add_headers(${target}): ANIMATION needs IMAGES")
  endif()
  if(DEFINED arg_LAYOUT AND NOT arg_LAYOUT MATCHES "^(xbm|rows-msb|pages)$")
    message(FATAL_ERROR "lumivane_add_headers(${target}): LAYOUT ${arg_LAYOUT} is none of "
                        "xbm, rows-msb and pages")
  endif()
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "lumivane_add_headers(${target}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()

  if(NOT arg_OUTPUT_DIR)
    set(arg_OUTPUT_DIR lumivane/${target})
  endif()
  get_filename_component(outputDir "${arg_OUTPUT_DIR}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  set(depDir "${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/lumivane_${target}.dir")
  # The command line creates its output folder itself; the dependency file's
  # folder is ours.
  file(MAKE_DIRECTORY "${depDir}")

  set(options --quiet)
  if(arg_WITH_SIZE)
    list(APPEND options --with-size)
  endif()
  if(arg_LAYOUT)
    list(APPEND options --layout ${arg_LAYOUT})
  endif()
  if(arg_UNCOMPRESSED)
    list(APPEND options --uncompressed)
  endif()
  set(imageOptions --import)
  if(arg_ANIMATION)
    list(APPEND imageOptions --animation)
  endif()
  # The collection converts the images too; with --import, bitmaps are
  # converted as they are.
  set(collectOptions ${options})
  if(arg_IMAGES)
    list(APPEND collectOptions ${imageOptions})
  endif()

  set(sources "")
  set(headers "")
  set(images "")
  foreach(image IN LISTS arg_IMAGES)
    get_filename_component(image "${image}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND images "${image}")
  endforeach()
  foreach(source IN LISTS arg_SOURCES arg_IMAGES)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    get_filename_component(name "${source}" NAME)
    set(sourceOptions "")
    if(source IN_LIST images)
      get_filename_component(stem "${name}" NAME_WE)
      set(sourceOptions ${imageOptions})
    else()
      # The command line skips any other name without a word, which would
      # leave the build waiting for a header that never comes.
      if(NOT name MATCHES "\\.xbm$")
        message(FATAL_ERROR "lumivane_add_headers(${target}): ${source} does not end in .xbm "
                            "(lower case), so lumivane-cli would not convert it")
      endif()
      get_filename_component(stem "${name}" NAME_WLE)
    endif()
    set(header "${outputDir}/${stem}.h")
    if(header IN_LIST headers)
      message(FATAL_ERROR "lumivane_add_headers(${target}): two sources would both write ${header}")
    endif()
    set(depfile "${depDir}/${stem}.d")
    add_custom_command(OUTPUT "${header}"
      COMMAND Lumivane::cli ${options} ${sourceOptions} --output-dir "${outputDir}"
              --depfile "${depfile}" "${source}"
      DEPENDS "${source}" Lumivane::cli
      DEPFILE "${depfile}"
      COMMENT "Converting ${name} to ${stem}.h"
      VERBATIM)
    list(APPEND sources "${source}")
    list(APPEND headers "${header}")
  endforeach()

  if(arg_COLLECT)
    if(arg_COLLECT MATCHES "[/\\\\]")
      message(FATAL_ERROR "lumivane_add_headers(${target}): COLLECT takes a file name, not a path")
    endif()
    set(collected "${outputDir}/${arg_COLLECT}")
    if(collected IN_LIST headers)
      message(FATAL_ERROR "lumivane_add_headers(${target}): COLLECT ${arg_COLLECT} is also a converted header")
    endif()
    # Collecting converts every source again and writes its headers too; that
    # happens in a folder of its own, so the headers the target includes keep
    # their times and only the collection is moved over (a rename: whole or
    # not at all).
    set(scratchDir "${depDir}/collect")
    add_custom_command(OUTPUT "${collected}"
      COMMAND Lumivane::cli ${collectOptions} --output-dir "${scratchDir}"
              --collect "${arg_COLLECT}" ${sources}
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${outputDir}"
      COMMAND "${CMAKE_COMMAND}" -E rename "${scratchDir}/${arg_COLLECT}" "${collected}"
      DEPENDS ${sources} Lumivane::cli
      COMMENT "Collecting ${target}'s bitmaps in ${arg_COLLECT}"
      VERBATIM)
    list(APPEND headers "${collected}")
  endif()

  target_sources(${target} PRIVATE ${headers})
  target_include_directories(${target} PUBLIC "$<BUILD_INTERFACE:${outputDir}>")
endfunction()
