# What C and C++ callers of vornik_api find once it is installed: a pkg-config file and a
# CMake package (find_package(VornikApi) gives the target Vornik::vornik_api).
include(CMakePackageConfigHelpers)
set(QTL_VORNIK_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/VornikApi)

install(EXPORT VornikApiTargets NAMESPACE Vornik:: DESTINATION ${QTL_VORNIK_CMAKE_DIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/VornikApiConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/VornikApiConfig.cmake INSTALL_DESTINATION ${QTL_VORNIK_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/VornikApiConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/VornikApiConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/VornikApiConfigVersion.cmake
        DESTINATION ${QTL_VORNIK_CMAKE_DIR})

configure_file(${CMAKE_CURRENT_LIST_DIR}/vornik_api.pc.in ${CMAKE_CURRENT_BINARY_DIR}/vornik_api.pc
               @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vornik_api.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
