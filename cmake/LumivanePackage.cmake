# The CMake package: find_package(Lumivane) in a firmware project finds the
# installed converter, the decoder header and lumivane_add_headers(). The same
# names work inside this build, so a project that adds this one as a
# subfolder uses the function unchanged.
include(CMakePackageConfigHelpers)
include(${CMAKE_CURRENT_LIST_DIR}/LumivaneHeaders.cmake)

set_target_properties(lumivane-cli PROPERTIES EXPORT_NAME cli)
set_target_properties(lumivane_decoder PROPERTIES EXPORT_NAME decoder)
add_executable(Lumivane::cli ALIAS lumivane-cli)
add_library(Lumivane::decoder ALIAS lumivane_decoder)

# Not the multiarch library folder: nothing here depends on the architecture.
set(LUMIVANE_CMAKE_DIR lib/cmake/Lumivane)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/LumivaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/LumivaneConfig.cmake
  INSTALL_DESTINATION ${LUMIVANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/LumivaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)

install(EXPORT LumivaneTargets NAMESPACE Lumivane:: DESTINATION ${LUMIVANE_CMAKE_DIR}
        COMPONENT dev)
install(FILES ${PROJECT_BINARY_DIR}/package/LumivaneConfig.cmake
              ${PROJECT_BINARY_DIR}/package/LumivaneConfigVersion.cmake
              ${CMAKE_CURRENT_LIST_DIR}/LumivaneHeaders.cmake
        DESTINATION ${LUMIVANE_CMAKE_DIR} COMPONENT dev)
