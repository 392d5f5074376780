# What `make install` and the Debian package put beside the two programs: the desktop entry and
# the file types, the icons (installed with the viewer, cmake/Icones.cmake), the manual pages made
# from the programs' help sources, the bash completion of `ombrix`, and the user guide when
# doc/guide/ holds one (its files go to the package's documentation folder as they are).

install(FILES ${CMAKE_SOURCE_DIR}/data/ombrixviewer.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/ombrixviewer.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${CMAKE_BINARY_DIR}/man/ombrixviewer.1 ${CMAKE_BINARY_DIR}/man/ombrix.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/bash-completion/ombrix
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# Looked for at install time: a guide added later needs no change here.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/doc/guide/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/ombrixviewer/guide
        OPTIONAL)

# The checks of the installation: the package built from this tree's programs, the desktop files
# validated, the programs' help against their manual pages. Not part of the core run (label).
set(OMBRIX_TESTS_PAQUET aide bureau paquet)
foreach(nom ${OMBRIX_TESTS_PAQUET})
  add_test(NAME installation_${nom}
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/installation/${nom}.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR})
  set_tests_properties(installation_${nom} PROPERTIES ENVIRONMENT "${OMBRIX_TEST_ENV}" LABELS installation
                                                      TIMEOUT 600 SKIP_RETURN_CODE 77)
endforeach()
# Making the package (compression, lintian) loads the machine: alone, it leaves the other tests
# their time.
set_tests_properties(installation_paquet PROPERTIES RUN_SERIAL ON)
