# SPDX-License-Identifier: GPL-3.0-or-later
# CPack settings of the .deb. Dependencies on shared libraries come from dpkg-shlibdeps;
# the fonts are no shared libraries and are named here:
# - fonts-dejavu-core (Recommends): the console draws its Latin text in DejaVu Sans, the
#   face it puts in place of the window's "MS Sans Serif"; without it fontconfig picks
#   another sans face with other widths, and captions may no longer fit their boxes.
# - fonts-wqy-microhei (Suggests): the Chinese of the captions is built into the program;
#   the installed face only draws characters outside them (text typed into the fields).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME softstarter-console)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Soft starter console developers")
set(CPACK_PACKAGE_CONTACT "Soft starter console developers <softstarter-console@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator console for a Modbus RTU motor soft starter")
# The extended description: CPack puts the summary above it and indents it; an empty
# line becomes the paragraph mark " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"A desktop window for a motor soft starter on a serial line (RS-232, or RS-485
through an adapter). It polls the device's registers over Modbus RTU once a
second, checks every reply's CRC and shows the soft starter's state on knobs,
lamps, a thermometer and an LED bar; knobs and the run/stop switch write
single registers. The captions are in Chinese.

The package also holds softstarter-sim, a simulated soft starter on a
pseudo-terminal with fault injection, to try the console or any Modbus
master without hardware.")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${CONSOLE_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-dejavu-core)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS fonts-wqy-microhei)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

# Only the console's component, as one package; a later component (the widget library's
# headers, for instance) stays out of it.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL console)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

set(CPACK_SOURCE_GENERATOR "")
include(CPack)
