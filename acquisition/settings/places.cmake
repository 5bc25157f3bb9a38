# The installed layout the program's places follow: drivers under <libdir>/quantrel/pilotes,
# shared data under <datadir>/quantrel.
include(GNUInstallDirs)
# Kept in the cache so that the places test sees the same layout.
set(QTL_PLACES_DEFINITIONS QTL_INSTALL_LIBDIR="${CMAKE_INSTALL_LIBDIR}"
    QTL_INSTALL_DATADIR="${CMAKE_INSTALL_DATAROOTDIR}" CACHE INTERNAL "")
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/program_places.cpp TARGET_DIRECTORY qtlcore
             APPEND PROPERTY COMPILE_DEFINITIONS ${QTL_PLACES_DEFINITIONS})
