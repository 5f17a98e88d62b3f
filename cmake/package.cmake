# The Debian package:  cpack -G DEB  in a build configured with the /usr
# prefix (tools/check-package.sh builds, checks and installs one).
include(GNUInstallDirs)

set(KESTO_MAINTAINER "Kesto-Team <kesto-app@users.noreply.github.com>" CACHE STRING
    "Maintainer of the Debian package")
set(KESTO_HOMEPAGE "https://github.com/kesto-app/kesto")

# Debian wants a copyright file and, for a package of its own upstream, a
# changelog in the package's documentation folder.
execute_process(COMMAND date -u -R -d "${KESTO_RELEASE_DATE} 12:00"
    OUTPUT_VARIABLE KESTO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
set(changelog ${CMAKE_BINARY_DIR}/data/debian/changelog)
configure_file(data/debian/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz COMMAND gzip -9nkf ${changelog} DEPENDS ${changelog} VERBATIM)
add_custom_target(kesto_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz data/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kesto)
install(FILES data/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME kesto)

set(CPACK_PACKAGE_NAME kesto)
set(CPACK_PACKAGE_VENDOR "Kesto-Team")
set(CPACK_PACKAGE_CONTACT "${KESTO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch file renamer with a mask, a preview and undo")
set(CPACK_PACKAGE_DESCRIPTION "Kesto renames many files at once. A rename mask of text and
placeholders (name, extension, counter, dates, the Exif capture date of a
photo, image size, audio tags, checksum, parts of the old name), a letter case
and up to three search-and-replace sets, also with regular expressions, build
the new names; each is tested against the others and against its folder
before any file is renamed, and an existing file is never overwritten.

Every batch is written to a journal before its first rename, so that it can be
undone, also after an interruption. The package holds the window (kesto), the
command-line tool (kesto-cli), man pages, shell completions and actions for
the file managers Dolphin, Nemo, Nautilus and Thunar. The user interface is
German.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KESTO_HOMEPAGE}")
# dpkg-shlibdeps finds the libraries the programs and the modules link (the
# GUI library, TagLib, OpenSSL); Qt loads its display plugins at run time,
# unseen by it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# More image formats for [BREITE] and [HÖHE], Qt's own dialogs in German.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
