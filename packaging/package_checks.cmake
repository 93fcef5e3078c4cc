# SPDX-License-Identifier: GPL-3.0-or-later
# The version is the project's; the changelog's top entry and the metadata's newest
# release must name it, so a version change cannot leave either behind.
file(STRINGS changelog _changelog_top LIMIT_COUNT 1)
set(_expected "softstarter-console (${PROJECT_VERSION}-${CONSOLE_PACKAGE_RELEASE})")
string(FIND "${_changelog_top}" "${_expected}" _at)
if(NOT _at EQUAL 0)
  message(FATAL_ERROR "packaging/changelog starts with '${_changelog_top}', not '${_expected}'")
endif()
file(READ ${CONSOLE_APP_ID}.metainfo.xml _metainfo)
string(REGEX MATCH "<release version=\"([^\"]*)\"" _release "${_metainfo}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "the newest release in ${CONSOLE_APP_ID}.metainfo.xml is '${CMAKE_MATCH_1}', not ${PROJECT_VERSION}")
endif()

# The simulator's manual page lists exactly the options its --help lists.
add_test(NAME sim_manual_page_lists_its_options
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check-manual-options
                 $<TARGET_FILE:softstarter-sim> ${CMAKE_CURRENT_SOURCE_DIR}/softstarter-sim.1.in)
