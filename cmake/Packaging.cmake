# The Debian package. `scripts/package` makes it from a Release build of its own and checks
# it with lintian; `cpack -G DEB --config BUILD/CPackConfig.cmake` packages any configured
# build tree's binaries (the package test does that with the test build).

# Debian's documentation files and manual pages, gzipped at the highest level without a
# name or time stamp, as lintian expects them: `output` is `source`'s copy with ".gz".
function(quillet_gzip_file source output)
    string(REGEX REPLACE "\\.gz$" "" copy ${output})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND gzip -9 -n -f ${copy}
        DEPENDS ${source}
        VERBATIM)
endfunction()

# The changelog's newest entry names the version being packaged.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog quillet_changelog_top LIMIT_COUNT 1)
if(NOT quillet_changelog_top MATCHES "^quillet \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog starts with \"${quillet_changelog_top}\": "
        "add an entry for version ${PROJECT_VERSION} at its top")
endif()

set(QUILLET_DOC_DIR share/doc/quillet)
quillet_gzip_file(${PROJECT_SOURCE_DIR}/packaging/changelog
    ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
add_custom_target(quillet_package_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright
    ${PROJECT_BINARY_DIR}/packaging/changelog.gz
    DESTINATION ${QUILLET_DOC_DIR})

# dpkg-shlibdeps (package dpkg-dev) writes the Depends on the libraries the binaries link.
# AUTO takes it when installed; scripts/package asks for ON.
set(QUILLET_PACKAGE_SHLIBDEPS AUTO CACHE STRING
    "Compute the package's library dependencies with dpkg-shlibdeps: ON, OFF or AUTO")
set_property(CACHE QUILLET_PACKAGE_SHLIBDEPS PROPERTY STRINGS AUTO ON OFF)
find_program(QUILLET_DPKG_SHLIBDEPS dpkg-shlibdeps)
string(TOUPPER "${QUILLET_PACKAGE_SHLIBDEPS}" quillet_shlibdeps_mode)
if(quillet_shlibdeps_mode STREQUAL "AUTO")
    set(quillet_shlibdeps_mode ${QUILLET_DPKG_SHLIBDEPS})
elseif(quillet_shlibdeps_mode AND NOT QUILLET_DPKG_SHLIBDEPS)
    message(FATAL_ERROR
        "QUILLET_PACKAGE_SHLIBDEPS is ON but dpkg-shlibdeps is not found (package dpkg-dev)")
endif()
if(quillet_shlibdeps_mode)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillet)
set(CPACK_PACKAGE_VENDOR "Quillet developers")
set(CPACK_PACKAGE_CONTACT "Quillet developers <developers@quillet.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fill paper forms in bulk from a spreadsheet")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The extended description; CPack puts the summary above it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quillet puts a scan of a blank paper form on a page, lets the user mark the
fields on it as rows of rectangular blocks and link them to spreadsheet cells,
and then makes one filled page per record: on screen, as JPEG or PNG files, as
a PDF, or printed onto pre-printed paper through CUPS.
.
Text fields wrap whole words over their blocks; comb fields put one character
into each box, as forms print tax numbers and dates. The program reads its own
workbooks (xlsx, ods, xls and csv files); LibreOffice, when installed, converts
other spreadsheet formats and office documents used as backgrounds.
.
The package holds the desktop program quillet and the command-line companion
quillet-cli, which renders, exports and prints projects without a display.")

# Qt loads these as plugins, so dpkg-shlibdeps cannot see them: the SVG plugins draw every
# icon of the window, the image-format plugins read TIFF scans and other pictures.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-image-formats-plugins")
# LibreOffice converts office documents and computes formulas a workbook stores without a
# result; Hunspell dictionaries check the spelling of field texts; CUPS prints.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-calc-nogui | libreoffice-calc, libreoffice-writer-nogui | libreoffice-writer, \
libreoffice-impress-nogui | libreoffice-impress, hunspell-ru | hunspell-dictionary, \
hunspell-en-us, cups, qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-base-drivers, sane-utils")

set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Directories as Debian has them, whatever the umask of the one who packages.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
# cpack installs a build tree without building it first: the package test packages the
# binaries its own build made while other tests run them.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)
