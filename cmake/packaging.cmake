# What an installation holds beside the programs, and the packages CPack makes from it:
#   Linux:   the manual pages (made from --help by help2man), the AppStream data, the licence as
#            Debian's copyright file, a changelog; `cpack -G DEB` makes korimbo_VERSION_ARCH.deb.
#   Windows: README.txt (the README's part for Windows users) and LICENSE.txt beside the two
#            programs, at the top of the installation; `cpack -G ZIP` makes
#            korimbo-VERSION-win32.zip or korimbo-VERSION-win64.zip.
# Included before the programs' folders, so that on Windows they install at the top as well.

# The release that project(VERSION) names came out on: the AppStream release and the changelog.
set(KORIMBO_RELEASE_DATE 2026-12-11)

set(KORIMBO_APPSTREAM_ID "com.example.korimbo" CACHE STRING
    "AppStream id of the window program: the maker's domain reversed, then korimbo")
set(KORIMBO_PACKAGE_MAINTAINER "The Korimbo authors <korimbo@example.com>" CACHE STRING
    "Maintainer of the Debian package, as Name <address>")

set(CPACK_PACKAGE_NAME korimbo)
set(CPACK_PACKAGE_VENDOR "The Korimbo authors")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "download address converter for thunder, Flashget and qqdl links")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE
                                                                ${PROJECT_SOURCE_DIR}/README.md)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE korimbo_license)

if(WIN32)
    # Windows programs sit at the top of the folder they are unpacked to.
    set(CMAKE_INSTALL_BINDIR .)
    # README.txt: the README's section on Windows, up to its part on building, with CRLF line
    # ends and a byte order mark, so that Notepad shows the Chinese.
    file(READ ${PROJECT_SOURCE_DIR}/README.md korimbo_readme)
    string(REGEX MATCH "\n## Windows\n.*" korimbo_readme "${korimbo_readme}")
    string(REGEX REPLACE "^\n## Windows\n\n?" "" korimbo_readme "${korimbo_readme}")
    string(REGEX REPLACE "\n###? .*" "" korimbo_readme "${korimbo_readme}")
    if(korimbo_readme STREQUAL "")
        message(FATAL_ERROR "README.md has no section \"## Windows\" for README.txt")
    endif()
    string(ASCII 239 187 191 korimbo_bom)
    set(korimbo_readme "Korimbo ${PROJECT_VERSION} for Windows\n\n${korimbo_readme}\nKorimbo is free software under the MIT licence: see LICENSE.txt.\n")
    string(REPLACE "\n" "\r\n" korimbo_readme "${korimbo_readme}")
    file(WRITE ${CMAKE_BINARY_DIR}/dist/README.txt "${korimbo_bom}${korimbo_readme}")
    string(REPLACE "\n" "\r\n" korimbo_license_crlf "${korimbo_license}")
    file(WRITE ${CMAKE_BINARY_DIR}/dist/LICENSE.txt "${korimbo_license_crlf}")
    install(FILES ${CMAKE_BINARY_DIR}/dist/README.txt ${CMAKE_BINARY_DIR}/dist/LICENSE.txt DESTINATION .)

    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(CPACK_PACKAGE_FILE_NAME korimbo-${PROJECT_VERSION}-win64)
    else()
        set(CPACK_PACKAGE_FILE_NAME korimbo-${PROJECT_VERSION}-win32)
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    include(CPack)
    return()
endif()

include(GNUInstallDirs)
set(korimbo_docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/korimbo)

# The release date in the changelog's form, "Fri, 11 Dec 2026 00:00:00 +0000" (Zeller's
# congruence gives the day of the week).
if(NOT KORIMBO_RELEASE_DATE MATCHES "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    message(FATAL_ERROR "KORIMBO_RELEASE_DATE must be YYYY-MM-DD: ${KORIMBO_RELEASE_DATE}")
endif()
set(korimbo_day_text ${CMAKE_MATCH_3})
math(EXPR korimbo_year "${CMAKE_MATCH_1}")
math(EXPR korimbo_month "${CMAKE_MATCH_2}")
math(EXPR korimbo_day "${CMAKE_MATCH_3}")
set(korimbo_y ${korimbo_year})
set(korimbo_m ${korimbo_month})
if(korimbo_m LESS 3)
    math(EXPR korimbo_m "${korimbo_m} + 12")
    math(EXPR korimbo_y "${korimbo_y} - 1")
endif()
math(EXPR korimbo_weekday
     "(${korimbo_day} + 13 * (${korimbo_m} + 1) / 5 + ${korimbo_y} + ${korimbo_y} / 4 - ${korimbo_y} / 100 + ${korimbo_y} / 400) % 7")
set(korimbo_weekdays Sat Sun Mon Tue Wed Thu Fri)
list(GET korimbo_weekdays ${korimbo_weekday} korimbo_weekday)
math(EXPR korimbo_month_index "${korimbo_month} - 1")
set(korimbo_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET korimbo_months ${korimbo_month_index} korimbo_month_name)
set(KORIMBO_RELEASE_DATE_RFC2822
    "${korimbo_weekday}, ${korimbo_day_text} ${korimbo_month_name} ${korimbo_year} 00:00:00 +0000")

# Debian's copyright file: the licence in the machine-readable form, with the year of the release.
string(REGEX REPLACE "^.*\n\n(Permission is hereby granted)" "\\1" korimbo_license_terms "${korimbo_license}")
string(STRIP "${korimbo_license_terms}" korimbo_license_terms)
string(REPLACE "\n" "\n " korimbo_license_terms "${korimbo_license_terms}")
string(REPLACE "\n \n" "\n .\n" korimbo_license_terms "${korimbo_license_terms}")
file(WRITE ${CMAKE_BINARY_DIR}/dist/copyright
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
     "Upstream-Name: Korimbo\n\n"
     "Files: *\n"
     "Copyright: ${korimbo_year} The Korimbo authors\n"
     "License: Expat\n"
     " ${korimbo_license_terms}\n")

configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.in ${CMAKE_BINARY_DIR}/dist/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/korimbo.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${KORIMBO_APPSTREAM_ID}.metainfo.xml @ONLY)
set(KORIMBO_METAINFO_FILE ${CMAKE_BINARY_DIR}/dist/${KORIMBO_APPSTREAM_ID}.metainfo.xml)

# Compressed as Debian installs them: gzip -9 without a name or time stamp.
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/dist/changelog.gz
    COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/dist/changelog
    DEPENDS ${CMAKE_BINARY_DIR}/dist/changelog
    VERBATIM)
set(korimbo_generated_files ${CMAKE_BINARY_DIR}/dist/changelog.gz)

# The manual pages come from the programs' --help and --version, so they say what the programs do.
find_program(KORIMBO_HELP2MAN help2man)
function(korimbo_man_page program description)
    if(NOT KORIMBO_HELP2MAN)
        message(STATUS "help2man not found: no manual page for ${program}")
        return()
    endif()
    set(man ${CMAKE_BINARY_DIR}/dist/${program}.1)
    add_custom_command(
        OUTPUT ${man}.gz
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                ${KORIMBO_HELP2MAN} --no-info --locale=C.UTF-8 --section=1 --name=${description}
                --include=${PROJECT_SOURCE_DIR}/dist/${program}.h2m --output=${man} $<TARGET_FILE:${program}>
        COMMAND gzip -9nf ${man}
        DEPENDS ${program} ${PROJECT_SOURCE_DIR}/dist/${program}.h2m
        COMMENT "Making the manual page ${program}.1"
        VERBATIM)
    install(FILES ${man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(korimbo_generated_files ${korimbo_generated_files} ${man}.gz PARENT_SCOPE)
endfunction()
if(KORIMBO_GUI)
    korimbo_man_page(korimbo "show the download address converter's window")
endif()
if(KORIMBO_CLI)
    korimbo_man_page(korimbo-convert "convert download addresses to and from thunder, Flashget and qqdl links")
endif()
add_custom_target(korimbo-dist-files ALL DEPENDS ${korimbo_generated_files})

install(FILES ${CMAKE_BINARY_DIR}/dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz DESTINATION ${korimbo_docdir})
if(KORIMBO_GUI)
    install(FILES ${KORIMBO_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
endif()

# The Debian package. Its dependencies are found by dpkg-shlibdeps; Qt's platform plugins come
# as recommendations of Qt itself. A CJK font is recommended: the window's labels are Chinese.
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KORIMBO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Korimbo converts a download address between its plain form and the links of
three download managers: thunder:// (Thunder), Flashget:// (FlashGet) and
qqdl:// (QQ Whirlwind). Its window shows all four forms of an address, each
with a link that hands it to the program registered for it, and it opens the
thunder://, flashget:// and qqdl:// links of a web browser, so that their real
address can be seen. The command korimbo-convert converts addresses in
scripts and batches.")
include(CPack)
