# SPDX-License-Identifier: GPL-3.0-or-later
# What an installation holds: the two programs (and quillary-cli's companion for printing and
# synchronising), and what the desktop needs to know them (the desktop entry, the AppStream
# description, the icon, the automation service's activation file, manual pages and shell
# completion).
include(GNUInstallDirs)

set(QUILLARY_APP_ID org.quillary.Quillary)

install(TARGETS quillary-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/man/quillary-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES data/completions/quillary-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

if(QUILLARY_GUI)
  install(TARGETS quillary RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # quillary-cli's printing and synchronising, run only by quillary-cli itself.
  install(TARGETS quillary-cli-qt RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/quillary)
  install(FILES data/man/quillary.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES data/${QUILLARY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/${QUILLARY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The activation file names the installed program, wherever the prefix given at install time
  # puts it; DESTDIR only stages the files.
  install(CODE "
    set(services \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services\")
    file(MAKE_DIRECTORY \"\${services}\")
    message(STATUS \"Installing: \${services}/Zelk.Application.service\")
    file(WRITE \"\${services}/Zelk.Application.service\"
         \"[D-BUS Service]\\nName=Zelk.Application\\nExec=\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quillary AUTOMATION\\n\")
  ")

  # The program's icon: the picture itself, and rendered at the sizes menus and docks ask for.
  set(icon_source ${CMAKE_SOURCE_DIR}/resources/icons/quillary.svg)
  install(FILES ${icon_source} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME ${QUILLARY_APP_ID}.svg)
  set(icon_pngs)
  foreach(size 16 22 24 32 48 64 128 256 512)
    set(png ${CMAKE_BINARY_DIR}/data/icons/${size}/${QUILLARY_APP_ID}.png)
    add_custom_command(OUTPUT ${png} COMMAND quillary-render-svg ${icon_source} ${size} ${png}
                       DEPENDS quillary-render-svg ${icon_source} VERBATIM)
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icon_pngs ${png})
  endforeach()
  add_custom_target(quillary-icons ALL DEPENDS ${icon_pngs})
endif()
