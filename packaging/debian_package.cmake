# The Debian package: cpack -G DEB in the build folder gives quantrel_<version>_<arch>.deb.
# Library dependencies are computed by dpkg-shlibdeps; what is loaded at run time without
# being linked (the Qt platform plugins, the browser opener) is listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quantrel)
set(CPACK_PACKAGE_VENDOR "The Quantrel developers")
set(CPACK_PACKAGE_CONTACT "The Quantrel developers <quantrel@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "measurement workbench for teaching laboratories")
set(CPACK_PACKAGE_DESCRIPTION
    "Acquires measurements from lab interfaces through driver libraries, shows live values, plots, processes (smoothing, derivative, integral, statistics, formulas, curve fitting, spectra), saves and reloads them, and drives an interface's outputs. Ships a simulation driver and the vornik_api USB sensor library.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
