# What `cmake --install` puts where: the two programs, libWordseek.so with its
# SONAME links (no development link: nothing outside the package builds against it),
# the desktop entry, the AppStream metadata, the icon theme and the manual page.
# The sample generator, tests, benchmarks and fuzz harnesses stay in the build tree.
set(TOLLAMAR_APP_ID org.tollworks.Tollamar)

install(TARGETS tollamar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS Wordseek LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)

# Debian policy wants manual pages compressed, reproducibly (-n: no name or time).
set(TOLLAMAR_MAN_PAGE ${CMAKE_BINARY_DIR}/doc/tollamar-cli.1.gz)
add_custom_command(OUTPUT ${TOLLAMAR_MAN_PAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/doc/tollamar-cli.1 > ${TOLLAMAR_MAN_PAGE}
  DEPENDS ${PROJECT_SOURCE_DIR}/doc/tollamar-cli.1
  VERBATIM)
add_custom_target(man_page ALL DEPENDS ${TOLLAMAR_MAN_PAGE})
install(FILES ${TOLLAMAR_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TOLLAMAR_GUI)
  install(TARGETS Tollamar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES data/${TOLLAMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/${TOLLAMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
