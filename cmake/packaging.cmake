# What `cmake --install` puts where, and the packages CPack makes of it:
#  - Linux: `cpack -G DEB` gives lumo_<version>_amd64.deb with /usr/bin/lumo,
#    /usr/share/lumo/Lumo.DEF, the man page and /usr/share/doc/lumo/ (the
#    README, the copyright file and the change log); its Depends come from
#    dpkg-shlibdeps.
#  - Windows: `cpack -G ZIP` gives lumo-<version>-win64.zip, a folder holding
#    lumo.exe, Lumo.DEF and README.md side by side, ready to run there.

set(CPACK_PACKAGE_NAME lumo)
set(CPACK_PACKAGE_VENDOR "Lumo maintainers")
set(CPACK_PACKAGE_CONTACT "Lumo maintainers <maintainers@users.noreply.c-seed-1f401564.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "coaxial transmission line calculator")
set(CPACK_PACKAGE_DESCRIPTION
  "Lumo computes the characteristic impedance, capacitance, inductance, TE11
cut-off, peak power and losses of coaxial transmission lines from their
dimensions and materials, and synthesizes the diameter of one conductor for
a range of impedances. It runs as a console dialogue or, with a subcommand,
writes one table as a report, CSV or JSON.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS lumo RUNTIME DESTINATION .)
  install(FILES Lumo.DEF README.md DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  install(TARGETS lumo RUNTIME DESTINATION bin)
  install(FILES Lumo.DEF DESTINATION share/lumo)
  install(FILES README.md doc/copyright DESTINATION share/doc/lumo)

  # The man page and the change log (Debian's format) are installed
  # compressed, with no name or time stamp in the gzip header, so that the
  # package is the same from build to build.
  set(man_page ${CMAKE_SOURCE_DIR}/doc/lumo.1)
  set(changelog ${CMAKE_BINARY_DIR}/changelog)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/changelog.in ${changelog} @ONLY)
  foreach(doc man_page changelog)
    get_filename_component(base ${${doc}} NAME)
    set(${doc}_gz ${CMAKE_BINARY_DIR}/${base}.gz)
    add_custom_command(OUTPUT ${${doc}_gz}
      COMMAND sh -c "gzip -9n < '${${doc}}' > '${${doc}_gz}'"
      DEPENDS ${${doc}}
      COMMENT "Compressing ${base}" VERBATIM)
  endforeach()
  add_custom_target(lumo_docs ALL DEPENDS ${man_page_gz} ${changelog_gz})
  install(FILES ${man_page_gz} DESTINATION share/man/man1)
  install(FILES ${changelog_gz} DESTINATION share/doc/lumo)

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
endif()
include(CPack)
