# Debian packages, one per install component:
#   window -> lumivane      the Qt window, its menu entry, icons and AppStream data
#   cli    -> lumivane-cli  the command line, no Qt
#   dev    -> lumivane-dev  the decoder header, the Arduino library, the CMake package
# Build them with `cpack -G DEB` in a release build folder.
# A project that adds this one as a subfolder keeps its own packaging.
if(NOT CMAKE_SYSTEM_NAME STREQUAL "Linux" OR NOT PROJECT_IS_TOP_LEVEL)
  return()
endif()

set(lumivane_deb_names window lumivane cli lumivane-cli dev lumivane-dev)
set(lumivane_deb_components cli dev)
if(LUMIVANE_BUILD_UI)
  list(PREPEND lumivane_deb_components window)
endif()

# What Debian wants in every package's documentation folder.
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
foreach(component IN LISTS lumivane_deb_components)
  list(FIND lumivane_deb_names ${component} index)
  math(EXPR index "${index} + 1")
  list(GET lumivane_deb_names ${index} package)
  set(docDir ${CMAKE_INSTALL_DATADIR}/doc/${package})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright DESTINATION ${docDir}
          COMPONENT ${component})
  lumivane_install_gzipped(${PROJECT_BINARY_DIR}/debian/changelog DESTINATION ${docDir}
                           COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KTR Lab")
set(CPACK_PACKAGE_CONTACT "KTR Lab <lumivane@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/lumivane")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL ${lumivane_deb_components})

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME lumivane)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION devel)
# The window's fixed layout is drawn for Arial; Liberation Sans has its metrics.
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS fonts-liberation)
set(CPACK_DEBIAN_WINDOW_DESCRIPTION
    "XBM bitmaps to run-length coded C headers for OLED displays
Lumivane turns monochrome XBM bitmaps into C headers for OLED displays
driven by the u8g2/u8x8 library: every byte becomes an upper-case hex literal,
and every run of 0x00 or 0xFF bytes is shortened to the byte and its repeat
count.

This package holds the window: drop files or a folder on it, and every .xbm
file is converted into a header beside it; the compressed listing can be
dragged into an editor.")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME lumivane-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "XBM to OLED header converter for build scripts
lumivane-cli converts monochrome XBM bitmaps into run-length coded C headers
for the u8g2/u8x8 OLED library, byte for byte as the Lumivane window does,
without a window. It writes the headers beside their sources or into an
output folder, writes dependency files for Make and Ninja, and checks in CI
that committed headers are current.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME lumivane-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_ARCHITECTURE all)
set(CPACK_COMPONENT_DEV_DEPENDS cli)
set(CPACK_DEBIAN_DEV_DESCRIPTION
    "Lumivane decoder header, Arduino library and CMake package
The display side of Lumivane: a C99 header without allocation that expands
the run-length coded arrays lumivane-cli writes, also as an Arduino and
PlatformIO library.

The CMake package (find_package(Lumivane)) converts a firmware project's
bitmaps in its build with lumivane_add_headers().")

include(CPack)
