find_program(LUMIVANE_GZIP gzip)

# lumivane_install_gzipped(<file> DESTINATION <dir> [COMPONENT <name>])
#
# Installs <file> as <dir>/<name>.gz, compressed at build time with
# gzip -9n: manual pages and changelogs are kept that way on Debian, and
# without the name and time inside the package is the same on every build.
# Without gzip the file is installed as it is; man reads both.
function(lumivane_install_gzipped file)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DESTINATION;COMPONENT" "")
  if(arg_COMPONENT)
    set(CMAKE_INSTALL_DEFAULT_COMPONENT_NAME ${arg_COMPONENT})
  endif()
  get_filename_component(file "${file}" ABSOLUTE)
  if(NOT LUMIVANE_GZIP)
    install(FILES "${file}" DESTINATION "${arg_DESTINATION}")
    return()
  endif()

  get_filename_component(name "${file}" NAME)
  string(MAKE_C_IDENTIFIER "${arg_DESTINATION}/${name}" id)
  set(copy "${PROJECT_BINARY_DIR}/gzipped/${id}/${name}")
  add_custom_command(OUTPUT "${copy}.gz"
    COMMAND "${CMAKE_COMMAND}" -E copy "${file}" "${copy}"
    COMMAND "${LUMIVANE_GZIP}" -9 -n -f "${copy}"
    DEPENDS "${file}"
    VERBATIM)
  add_custom_target(lumivane_gzip_${id} ALL DEPENDS "${copy}.gz")
  install(FILES "${copy}.gz" DESTINATION "${arg_DESTINATION}")
endfunction()
