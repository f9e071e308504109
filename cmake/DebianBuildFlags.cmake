# Debian's hardening flags (dpkg-buildflags with hardening=+all: fortified
# libc calls, stack protector, read-only relocations bound at start, ...),
# as Debian builds its own packages, for the optimised builds that programs
# and packages are made from. Sanitizer builds and debug builds go without:
# fortification needs optimisation and gets in the sanitizers' way.
find_program(TELVIR_DPKG_BUILDFLAGS dpkg-buildflags)
set(telvir_hardening_default OFF)
if(TELVIR_DPKG_BUILDFLAGS AND NOT TELVIR_SANITIZE
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel|None)$")
    set(telvir_hardening_default ON)
endif()
option(TELVIR_DEBIAN_HARDENING "Build with Debian's hardening flags from dpkg-buildflags" ${telvir_hardening_default})

if(TELVIR_DEBIAN_HARDENING)
    if(NOT TELVIR_DPKG_BUILDFLAGS)
        message(FATAL_ERROR "TELVIR_DEBIAN_HARDENING needs dpkg-buildflags (Debian's dpkg-dev)")
    endif()
    # telvir_debian_flags(KIND OUT): dpkg-buildflags --get KIND as a list.
    function(telvir_debian_flags kind out)
        execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                                ${TELVIR_DPKG_BUILDFLAGS} --get ${kind}
                        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                        OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE
                        RESULT_VARIABLE result)
        if(NOT result EQUAL 0)
            message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
        endif()
        separate_arguments(flags UNIX_COMMAND "${flags}")
        set(${out} ${flags} PARENT_SCOPE)
    endfunction()
    telvir_debian_flags(CPPFLAGS preprocessor_flags)
    telvir_debian_flags(CXXFLAGS compiler_flags)
    telvir_debian_flags(LDFLAGS linker_flags)
    # The build type chooses optimisation and debug information.
    list(FILTER compiler_flags EXCLUDE REGEX "^-(O.*|g)$")
    add_compile_options(${preprocessor_flags} ${compiler_flags})
    add_link_options(${linker_flags})
    message(STATUS "Debian hardening flags: ${preprocessor_flags} ${compiler_flags} ${linker_flags}")
endif()
