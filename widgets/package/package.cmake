# SPDX-License-Identifier: GPL-3.0-or-later
# The instrument widgets as a CMake package for other projects: `cmake --install`
# with the component "development" puts the libraries, the public headers and
# SoftStarterWidgetsConfig.cmake under the prefix, and another project does
#   find_package(SoftStarterWidgets REQUIRED)
#   target_link_libraries(app PRIVATE SoftStarterWidgets::Widgets)
# Headers keep the paths they have in the tree under include/SoftStarterWidgets
# (#include <widgets/dials/knob.h>), so the same include lines work in both.
# The console's Debian package takes the component "console" only.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(SOFTSTARTER_WIDGETS_INCLUDE_DIR ${CMAKE_INSTALL_INCLUDEDIR}/SoftStarterWidgets)
set(SOFTSTARTER_WIDGETS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/SoftStarterWidgets)

# Library target -> name in the package (SoftStarterWidgets::<name>).
set(_softstarter_widgets_exports
  platform_canvas Canvas
  widgets_number_text NumberText
  widgets_base Base
  widgets_dials Dials
  widgets_indicators Indicators
  widgets_edit_model EditModel
  widgets_edit Edit)

# Everything a user's header needs, listed in public_headers.txt.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/public_headers.txt SOFTSTARTER_WIDGETS_PUBLIC_HEADERS REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/public_headers.txt)

# All widgets at once.
add_library(softstarter_widgets INTERFACE)
target_link_libraries(softstarter_widgets INTERFACE widgets_dials widgets_indicators widgets_edit)
set_target_properties(softstarter_widgets PROPERTIES EXPORT_NAME Widgets)
add_library(SoftStarterWidgets::Widgets ALIAS softstarter_widgets)

set(_softstarter_widgets_targets softstarter_widgets)
while(_softstarter_widgets_exports)
  list(POP_FRONT _softstarter_widgets_exports _target _name)
  # Static libraries linked into the shared Designer plugin, so position independent.
  set_target_properties(${_target} PROPERTIES EXPORT_NAME ${_name}
                        OUTPUT_NAME softstarterwidgets_${_name}
                        POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${_target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${SOFTSTARTER_WIDGETS_INCLUDE_DIR}>)
  add_library(SoftStarterWidgets::${_name} ALIAS ${_target})
  list(APPEND _softstarter_widgets_targets ${_target})
endwhile()

install(TARGETS ${_softstarter_widgets_targets} EXPORT SoftStarterWidgetsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
foreach(_header IN LISTS SOFTSTARTER_WIDGETS_PUBLIC_HEADERS)
  get_filename_component(_folder ${_header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/${_header}
          DESTINATION ${SOFTSTARTER_WIDGETS_INCLUDE_DIR}/${_folder} COMPONENT development)
endforeach()
install(EXPORT SoftStarterWidgetsTargets NAMESPACE SoftStarterWidgets::
        DESTINATION ${SOFTSTARTER_WIDGETS_CMAKE_DIR} COMPONENT development)

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/SoftStarterWidgetsConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/SoftStarterWidgetsConfig.cmake
  INSTALL_DESTINATION ${SOFTSTARTER_WIDGETS_CMAKE_DIR})
# 0.x releases may change the interface at each minor version.
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/SoftStarterWidgetsConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/SoftStarterWidgetsConfig.cmake
              ${CMAKE_CURRENT_BINARY_DIR}/SoftStarterWidgetsConfigVersion.cmake
        DESTINATION ${SOFTSTARTER_WIDGETS_CMAKE_DIR} COMPONENT development)
