# lumivane_add_library(NAME name SOURCES file... [LIBRARIES target...])
#
# Builds lumivane_<name>, reached as lumivane::<name>, from the folder of the
# CMakeLists.txt that calls it; that folder is the include root of whoever
# links it, and LIBRARIES are linked on to them. The libraries are always
# static: nothing installs them, so a build with BUILD_SHARED_LIBS=ON still
# installs programs that start.
function(lumivane_add_library)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "NAME" "SOURCES;LIBRARIES")
  set(target lumivane_${arg_NAME})
  add_library(${target} STATIC ${arg_SOURCES})
  add_library(lumivane::${arg_NAME} ALIAS ${target})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}>)
  target_link_libraries(${target} PUBLIC ${arg_LIBRARIES})
  lumivane_target_defaults(${target})
endfunction()
