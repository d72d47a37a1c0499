# lumivane_add_test(NAME name SOURCES file... [LIBRARIES target...] [LABEL label]
#                   [OWN_MAIN])
#
# Builds one test program in the binary folder of the CMakeLists.txt that calls
# it, so each test lives in the folder of its layer, and labels it with that
# layer (the folder's name) unless LABEL names another. GoogleTest programs get
# their main() from GTest::gtest_main and each case is registered on its own;
# an OWN_MAIN program (Qt Test, plain C) is registered as one test of its own
# name, whose properties the caller may add to.
#
# Test code is compiled without optimisation whatever the build type: the
# code under test keeps its own, and optimising GoogleTest's expansions took
# half of the build's time while the tests ran no faster for it. The
# GoogleTest programs share one precompiled header for the same reason.
function(lumivane_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "OWN_MAIN" "NAME;LABEL" "SOURCES;LIBRARIES")
  if(NOT arg_LABEL)
    get_filename_component(arg_LABEL ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()

  add_executable(${arg_NAME} ${arg_SOURCES})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBRARIES})
  lumivane_test_defaults(${arg_NAME})

  if(arg_OWN_MAIN)
    add_test(NAME ${arg_NAME} COMMAND ${arg_NAME})
    set_tests_properties(${arg_NAME} PROPERTIES LABELS ${arg_LABEL})
  else()
    target_link_libraries(${arg_NAME} PRIVATE GTest::gtest_main)
    lumivane_reuse_test_header(${arg_NAME})
    gtest_discover_tests(${arg_NAME} DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS ${arg_LABEL})
  endif()
endfunction()

function(lumivane_test_defaults target)
  lumivane_target_defaults(${target})
  if(NOT MSVC)
    target_compile_options(${target} PRIVATE -O0)
  endif()
endfunction()

# The precompiled header lives in a target of its own, built once with the
# tests' flags, and every GoogleTest program reuses it.
function(lumivane_reuse_test_header target)
  if(NOT TARGET lumivane_test_header)
    file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/generated/test_header.cpp CONTENT "")
    add_library(lumivane_test_header OBJECT ${PROJECT_BINARY_DIR}/generated/test_header.cpp)
    target_link_libraries(lumivane_test_header PRIVATE GTest::gtest)
    lumivane_test_defaults(lumivane_test_header)
    target_precompile_headers(lumivane_test_header PRIVATE
      <gtest/gtest.h> <algorithm> <cstdint> <filesystem> <fstream> <map> <sstream> <string>
      <string_view> <vector>)
  endif()
  target_precompile_headers(${target} REUSE_FROM lumivane_test_header)
endfunction()
