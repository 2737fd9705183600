# `cpack -G DEB` in a build folder makes a Debian package of what `cmake --install` installs,
# for `apt-get install ./bruso_VERSION_ARCH.deb`.
set(CPACK_PACKAGE_NAME bruso)
set(CPACK_PACKAGE_VENDOR "Bruso developers")
set(CPACK_PACKAGE_CONTACT "Bruso developers <bruso@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "research tool for a two-player cooperative card game")
set(CPACK_PACKAGE_DESCRIPTION "Bruso reads shoes of hands with recorded human move lines, lets you\n\
step through and play the hands, lets rule-driven artificial players play them many\n\
times, and replays the recorded lines through a model of the players' reasoning.\n\
bruso-batch runs the batch commands without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The libraries the programs link come from dpkg-shlibdeps; Qt's platform plugins and the
# fonts that stand in for the window's own are loaded at run time, so they are named here,
# and the Python the module was built for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
if(BRUSO_PACKAGE_PYTHON_DEPENDS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${BRUSO_PACKAGE_PYTHON_DEPENDS}")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-dejavu-core")
include(CPack)
