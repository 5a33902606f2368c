# The installed desktop application: desktop entry, icon and AppStream metadata under share/, and the
# Debian package made from the same install rules (the program's own rule sits beside its target).
include(GNUInstallDirs)

# The program's identity lives once, in the product constants; the installed files take it from there.
function(quillane_product_constant name out)
  file(STRINGS ${PROJECT_SOURCE_DIR}/core/Product/Product.h line REGEX "const char\\* ${name} = \"[^\"]+\"")
  string(REGEX REPLACE ".*\"([^\"]+)\".*" "\\1" value "${line}")
  if(NOT value)
    message(FATAL_ERROR "Product::${name} not found in core/Product/Product.h")
  endif()
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
quillane_product_constant(desktopId QUILLANE_DESKTOP_ID)
# Qt names an X11 window's class after the application name.
quillane_product_constant(name QUILLANE_WINDOW_CLASS)
set(QUILLANE_EXECUTABLE quillane)

set(QUILLANE_DESKTOP_ENTRY ${PROJECT_BINARY_DIR}/packaging/${QUILLANE_DESKTOP_ID}.desktop)
set(QUILLANE_METAINFO ${PROJECT_BINARY_DIR}/packaging/${QUILLANE_DESKTOP_ID}.metainfo.xml)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillane.desktop.in ${QUILLANE_DESKTOP_ENTRY} @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillane.metainfo.xml.in ${QUILLANE_METAINFO} @ONLY)

install(FILES ${QUILLANE_DESKTOP_ENTRY} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUILLANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The mark the header draws is the application icon.
install(FILES ${PROJECT_SOURCE_DIR}/app/Resources/icons/own/quillane-logo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QUILLANE_DESKTOP_ID}.svg)

# What Debian asks of every package beside the program: the licences in its machine-readable copyright
# format, the package's changelog and a manual page, both compressed the reproducible way (gzip -9n).
set(QUILLANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quillane)
# A licence text as the body of a copyright field: each line indented by one space, an empty line as " .".
function(quillane_copyright_text file first_line out)
  file(READ ${file} text)
  string(FIND "${text}" "${first_line}" start)
  if(start LESS 0)
    message(FATAL_ERROR "${file} has no line \"${first_line}\"")
  endif()
  string(SUBSTRING "${text}" ${start} -1 text)
  string(STRIP "${text}" text)
  string(REGEX REPLACE "[ \t]+\n" "\n" text "${text}")
  string(REPLACE "\n" "\n " text " ${text}")
  while(text MATCHES "\n \n")
    string(REPLACE "\n \n" "\n .\n" text "${text}")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
  set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
endfunction()
set(QUILLANE_LICENSES ${PROJECT_SOURCE_DIR}/app/Resources/licenses)
quillane_copyright_text(${QUILLANE_LICENSES}/Roboto-OFL.txt "SIL OPEN FONT LICENSE" QUILLANE_OFL_TEXT)
quillane_copyright_text(${QUILLANE_LICENSES}/TablerIcons-MIT.txt "Permission is hereby granted" QUILLANE_MIT_TEXT)
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright DESTINATION ${QUILLANE_DOC_DIR})

# The changelog's newest entry is this version.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog newest LIMIT_COUNT 1)
if(NOT newest MATCHES "^quillane \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the newest entry is not version ${PROJECT_VERSION}: ${newest}")
endif()
configure_file(${PROJECT_SOURCE_DIR}/packaging/quillane.1.in ${PROJECT_BINARY_DIR}/packaging/quillane.1 @ONLY)
set(QUILLANE_CHANGELOG_GZ ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
set(QUILLANE_MANUAL_GZ ${PROJECT_BINARY_DIR}/packaging/quillane.1.gz)
set(plain_files ${PROJECT_SOURCE_DIR}/packaging/changelog ${PROJECT_BINARY_DIR}/packaging/quillane.1)
set(packed_files ${QUILLANE_CHANGELOG_GZ} ${QUILLANE_MANUAL_GZ})
foreach(plain packed IN ZIP_LISTS plain_files packed_files)
  add_custom_command(OUTPUT ${packed} COMMAND sh -c "gzip -9nc \"$1\" >\"$2\"" sh ${plain} ${packed}
    DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(quillane_package_docs ALL DEPENDS ${QUILLANE_CHANGELOG_GZ} ${QUILLANE_MANUAL_GZ})
install(FILES ${QUILLANE_CHANGELOG_GZ} DESTINATION ${QUILLANE_DOC_DIR})
install(FILES ${QUILLANE_MANUAL_GZ} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# cpack -G DEB: a Debian package whose dependencies dpkg-shlibdeps reads from the libraries the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillane)
set(CPACK_PACKAGE_VENDOR Quillane)
set(CPACK_PACKAGE_CONTACT "Quillane <support@quillane.app>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "copies camera and sound cards to several SSDs and verifies every copy")
# Debian's tools show the description's lines as they stand: none longer than 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Quillane copies a camera or sound card to two, three or four SSDs at once
in one pass, reads every copy back and compares xxHash64 or MD5 checksums,
and writes ASC MHL and MHL 1.1 manifests and an HTML report beside the
footage. It recognises cards, names rolls, builds the project's folder
structure on every SSD, and never overwrites footage.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillane.app)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Native Wayland windows (without it Qt runs through XWayland), the desktop's event sounds, and Qt's
# own dialog texts in Dutch.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, sound-theme-freedesktop, qt6-translations-l10n")
include(CPack)

# Checks of the installed files and the package, in the normal build only (a sanitizer build is no package).
if(NOT QUILLANE_SANITIZE)
  add_test(NAME Packaging.InstalledFiles
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/installed_files.sh ${PROJECT_BINARY_DIR} ${QUILLANE_DESKTOP_ID})
  add_test(NAME Packaging.DebianPackage
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/debian_package.sh ${PROJECT_BINARY_DIR} ${QUILLANE_DESKTOP_ID})
  add_test(NAME Packaging.WindowClass
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/window_class.sh ${PROJECT_BINARY_DIR} ${QUILLANE_DESKTOP_ID})
  # A fresh Debian 12 chroot installs the package made by the test before.
  add_test(NAME Packaging.CleanDebianInstall
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/packaging/clean_install.sh ${PROJECT_BINARY_DIR})
  set_tests_properties(Packaging.InstalledFiles Packaging.DebianPackage Packaging.WindowClass
    Packaging.CleanDebianInstall PROPERTIES LABELS packaging SKIP_RETURN_CODE 77)
  set_tests_properties(Packaging.DebianPackage PROPERTIES FIXTURES_SETUP quillane_deb TIMEOUT 300)
  set_tests_properties(Packaging.CleanDebianInstall PROPERTIES FIXTURES_REQUIRED quillane_deb TIMEOUT 1500)
endif()

# The shell's and the desktop services' tests check that the windows, the launcher progress and the
# notifications name this entry.
foreach(target test_app_App test_app_Services)
  if(TARGET ${target})
    target_compile_definitions(${target} PRIVATE QUILLANE_DESKTOP_ENTRY="${QUILLANE_DESKTOP_ENTRY}")
  endif()
endforeach()
