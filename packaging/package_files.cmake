# SPDX-License-Identifier: GPL-3.0-or-later
# The package's data files, made in the build tree and installed under "console".
find_program(CONSOLE_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(CONSOLE_GZIP gzip REQUIRED)

set(_icon_svg ${CMAKE_CURRENT_SOURCE_DIR}/softstarter-console.svg)
set(_data_files)

foreach(size 48 64 128 256)
  set(_png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${CONSOLE_ICON_NAME}.png)
  add_custom_command(
    OUTPUT ${_png}
    COMMAND ${CONSOLE_RSVG_CONVERT} --width ${size} --height ${size} --output ${_png} ${_icon_svg}
    DEPENDS ${_icon_svg}
    COMMENT "Rendering the ${size} px icon"
    VERBATIM)
  list(APPEND _data_files ${_png})
  install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps COMPONENT console)
endforeach()
install(FILES ${_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${CONSOLE_ICON_NAME}.svg COMPONENT console)

# Writes PLAIN (a copy of SOURCE when they differ) and PLAIN.gz beside it; gzip -n puts
# no name or time stamp in the header, so the same input gives the same bytes.
function(console_gzipped source plain)
  set(_copy)
  if(NOT source STREQUAL plain)
    set(_copy COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain})
  endif()
  add_custom_command(
    OUTPUT ${plain}.gz
    ${_copy}
    COMMAND ${CONSOLE_GZIP} -9 -n -k -f ${plain}
    DEPENDS ${source}
    COMMENT "Compressing ${plain}"
    VERBATIM)
endfunction()

foreach(program softstarter-console softstarter-sim)
  set(_page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
  configure_file(${program}.1.in ${_page} @ONLY)
  console_gzipped(${_page} ${_page})
  list(APPEND _data_files ${_page}.gz)
  install(FILES ${_page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT console)
endforeach()

set(_changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian.gz)
console_gzipped(${CMAKE_CURRENT_SOURCE_DIR}/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.Debian)
list(APPEND _data_files ${_changelog})

add_custom_target(console_package_data ALL DEPENDS ${_data_files})

install(FILES ${CONSOLE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT console)
install(FILES ${CONSOLE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT console)
install(FILES copyright ${_changelog} DESTINATION ${CONSOLE_DOC_DIR} COMPONENT console)
