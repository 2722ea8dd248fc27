# What `cmake --install` puts in place for host programs: the shared library
# and its header, a pkg-config file and a CMake package exporting
# tessel::tessel. The static core stays out of the export: the shared
# library holds all of it.
include(CMakePackageConfigHelpers)

set(TESSEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/tessel)

install(TARGETS tessel EXPORT tesselTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT tesselTargets NAMESPACE tessel:: DESTINATION ${TESSEL_CMAKE_DIR})

configure_package_config_file(cmake/tesselConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/tesselConfig.cmake
  INSTALL_DESTINATION ${TESSEL_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/tesselConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tesselConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/tesselConfigVersion.cmake
        DESTINATION ${TESSEL_CMAKE_DIR})

# The prefix is found from the .pc file's own place, so that a copy
# installed with `cmake --install --prefix DIR` points into DIR.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(TESSEL_PC_PREFIX ${CMAKE_INSTALL_PREFIX})
  set(TESSEL_PC_LIBDIR ${CMAKE_INSTALL_FULL_LIBDIR})
  set(TESSEL_PC_INCLUDEDIR ${CMAKE_INSTALL_FULL_INCLUDEDIR})
else()
  file(RELATIVE_PATH TESSEL_PC_UP ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" TESSEL_PC_UP "${TESSEL_PC_UP}")
  set(TESSEL_PC_PREFIX "\${pcfiledir}/${TESSEL_PC_UP}")
  set(TESSEL_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(TESSEL_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
configure_file(cmake/tessel.pc.in ${CMAKE_CURRENT_BINARY_DIR}/tessel.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/tessel.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
