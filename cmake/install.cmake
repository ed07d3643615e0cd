# Installation: headers, both libraries, the program, a CMake package (VertaLib::vertalib,
# VertaLib::vertalib_static) with its version file, a pkg-config file, and a Debian package
# made by CPack from the same rules.
include(CMakePackageConfigHelpers)

set(VL_CMAKE_PACKAGE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/VertaLib")

set_target_properties(vertalib_static PROPERTIES EXPORT_NAME vertalib_static)
install(TARGETS vertalib vertalib_static EXPORT VertaLibTargets
        LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT library NAMELINK_COMPONENT library
        ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT library
        RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT library)
install(TARGETS vertalib_cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT library)
install(DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/include/vertalib"
        DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}" COMPONENT library)
install(EXPORT VertaLibTargets NAMESPACE VertaLib:: DESTINATION "${VL_CMAKE_PACKAGE_DIR}"
        COMPONENT library)

configure_package_config_file("${CMAKE_CURRENT_SOURCE_DIR}/cmake/VertaLibConfig.cmake.in"
                              "${CMAKE_CURRENT_BINARY_DIR}/VertaLibConfig.cmake"
                              INSTALL_DESTINATION "${VL_CMAKE_PACKAGE_DIR}")
write_basic_package_version_file("${CMAKE_CURRENT_BINARY_DIR}/VertaLibConfigVersion.cmake"
                                 COMPATIBILITY SameMinorVersion)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/VertaLibConfig.cmake"
              "${CMAKE_CURRENT_BINARY_DIR}/VertaLibConfigVersion.cmake"
        DESTINATION "${VL_CMAKE_PACKAGE_DIR}" COMPONENT library)

# The pkg-config file finds its prefix from its own place, so the tree can be installed
# under any prefix (cmake --install --prefix) or moved.
set(VL_PC_DIR "${CMAKE_INSTALL_LIBDIR}/pkgconfig")
file(RELATIVE_PATH VL_PC_TO_PREFIX "/prefix/${VL_PC_DIR}" "/prefix")
configure_file("${CMAKE_CURRENT_SOURCE_DIR}/cmake/vertalib.pc.in"
               "${CMAKE_CURRENT_BINARY_DIR}/vertalib.pc" @ONLY)
install(FILES "${CMAKE_CURRENT_BINARY_DIR}/vertalib.pc" DESTINATION "${VL_PC_DIR}"
        COMPONENT library)

set(CPACK_PACKAGE_NAME "vertalib")
set(CPACK_PACKAGE_VENDOR "VertaLib")
set(CPACK_PACKAGE_CONTACT "VertaLib developers <vertalib@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "General-functions library of a Brazilian card-payment system")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_PACKAGE_SECTION "libs")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # dependencies computed from the binaries
set(CPACK_GENERATOR "DEB")
include(CPack)
