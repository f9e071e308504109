# telvir_install_man_page(PAGE): installs the man page PAGE (a file, made
# in the build or taken from the sources) gzipped into section 1, as Debian
# ships man pages. -n leaves name and time out, so the package's bytes do
# not change with the day of the build.
find_program(TELVIR_GZIP gzip REQUIRED)

function(telvir_install_man_page page)
    get_filename_component(name ${page} NAME)
    set(compressed ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND ${TELVIR_GZIP} -9 -n -c ${page} > ${compressed}
                       DEPENDS ${page}
                       COMMENT "Compressing the man page ${name}")
    add_custom_target(man_${name} ALL DEPENDS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
