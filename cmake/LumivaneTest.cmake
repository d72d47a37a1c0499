# lumivane_add_test(NAME name SOURCES file... [LIBRARIES target...] [LABEL label]
#                   [OWN_MAIN])
#
# Builds one test program in the binary folder of the CMakeLists.txt that calls
# it, so each test lives in the folder of its layer, and labels it with that
# layer (the folder's name) unless LABEL names another. GoogleTest programs get
# their main() from GTest::gtest_main and each case is registered on its own;
# an OWN_MAIN program (Qt Test, plain C) is registered as one test of its own
# name, whose properties the caller may add to.
function(lumivane_add_test)
  cmake_parse_arguments(PARSE_ARGV 0 arg "OWN_MAIN" "NAME;LABEL" "SOURCES;LIBRARIES")
  if(NOT arg_LABEL)
    get_filename_component(arg_LABEL ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  endif()

  add_executable(${arg_NAME} ${arg_SOURCES})
  target_link_libraries(${arg_NAME} PRIVATE ${arg_LIBRARIES})
  lumivane_target_defaults(${arg_NAME})

  if(arg_OWN_MAIN)
    add_test(NAME ${arg_NAME} COMMAND ${arg_NAME})
    set_tests_properties(${arg_NAME} PROPERTIES LABELS ${arg_LABEL})
  else()
    target_link_libraries(${arg_NAME} PRIVATE GTest::gtest_main)
    gtest_discover_tests(${arg_NAME} DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS ${arg_LABEL})
  endif()
endfunction()
