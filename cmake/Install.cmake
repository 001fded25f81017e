# What `cmake --install` puts where: the two programs, libWordseek.so with its
# SONAME links (no development link: nothing outside the package builds against it),
# the desktop entry, the AppStream metadata, the icon theme and the manual pages.
# The sample generator, tests, benchmarks and fuzz harnesses stay in the build tree.
set(TOLLAMAR_APP_ID org.tollworks.Tollamar)

install(TARGETS tollamar-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS Wordseek LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} NAMELINK_SKIP)

# Debian policy wants manual pages compressed, reproducibly (-n: no name or time).
function(tollamar_man_page page)
  set(compressed ${CMAKE_BINARY_DIR}/doc/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/doc/${page} > ${compressed}
    DEPENDS ${PROJECT_SOURCE_DIR}/doc/${page}
    VERBATIM)
  add_custom_target(man_${page} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
tollamar_man_page(tollamar-cli.1)

if(TOLLAMAR_GUI)
  install(TARGETS Tollamar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  tollamar_man_page(Tollamar.1)
  install(FILES data/${TOLLAMAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES data/${TOLLAMAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY data/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
