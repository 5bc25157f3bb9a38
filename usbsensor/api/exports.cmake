# The 25 exports, and the public header installed with the library.
target_sources(vornik_api PRIVATE ${CMAKE_CURRENT_LIST_DIR}/vornik_exports.cpp)
target_compile_definitions(vornik_api PRIVATE VORNIK_API_BUILD)
set_target_properties(vornik_api PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION 0
                      PUBLIC_HEADER ${CMAKE_CURRENT_LIST_DIR}/../include/vornik_api.h)
include(GNUInstallDirs)
install(TARGETS vornik_api EXPORT VornikApiTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
# Only the exports leave the shared library, not the symbols of the static logic inside it.
if(UNIX AND NOT APPLE)
    target_link_options(vornik_api PRIVATE -Wl,--exclude-libs,ALL)
endif()
