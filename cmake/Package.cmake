# `cpack -G DEB` in the build folder: a Debian package of the system layout under /usr
# (components `program` and `system` of Install.cmake, whatever QUADRELLO_PORTABLE says).
set(CPACK_PACKAGE_NAME quadrello)
set(CPACK_PACKAGE_VENDOR ${quadrello_vendor})
set(CPACK_PACKAGE_CONTACT "${quadrello_maintainer}")
set(CPACK_PACKAGE_HOMEPAGE_URL ${quadrello_homepage})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "quadratic equation calculator with a parabola plot")
# Wrapped at 80 columns, as Debian's tools show it.
set(CPACK_PACKAGE_DESCRIPTION
    "Quadrello solves quadratic equations a*x^2 + b*x + c = 0 for pupils who study
parabolas: the discriminant, the real roots and the vertex, and a plot of the
parabola. Its interface is in Simplified Chinese. quadrello-cli computes and
plots without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_CMAKE_PROJECTS
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};program;/"
    "${PROJECT_BINARY_DIR};${PROJECT_NAME};system;/")
set(CPACK_STRIP_FILES ON)
# The package is made from the programs as the last build left them (the run command builds
# them): cpack does not first build every target of the tree, tests and benchmarks included.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries: a Chinese Song face for the captions and Qt's platform plugins (the
# library packages do not pull in xcb); Wayland sessions also want Qt's Wayland plugin, and the
# About window its Kai face.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming | fonts-noto-cjk, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-arphic-ukai")
# The calculators the calculator button looks for (src/platform/Shell.cpp; xcalc is in
# x11-apps), and the opener the feedback mail goes through.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS
    "gnome-calculator | kcalc | mate-calc | galculator | qalculate-gtk | x11-apps, xdg-utils")
include(CPack)
