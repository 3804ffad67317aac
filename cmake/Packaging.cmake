# The Debian package, made with "cpack -G DEB" in any build tree: it installs
# into /usr whatever prefix the tree was configured with. The registry store
# lands in /etc/quillmark as a configuration file, so an upgrade keeps the
# values written into it.
set(LUMORA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/lumora)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${LUMORA_DOC_DIR})
find_program(LUMORA_GZIP gzip)
if(LUMORA_GZIP)
  set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging
    COMMAND sh -c [["$0" -9n < "$1" > "$2"]] ${LUMORA_GZIP} ${PROJECT_SOURCE_DIR}/packaging/changelog ${changelog}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    VERBATIM)
  add_custom_target(lumora_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${LUMORA_DOC_DIR})
endif()

set(CPACK_PACKAGE_NAME lumora)
set(CPACK_PACKAGE_VENDOR "Quillmark Software")
set(CPACK_PACKAGE_CONTACT "Quillmark Software <lumora@quillmark.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "help viewer with topic index, search and support questions")
set(CPACK_PACKAGE_DESCRIPTION "Lumora shows the help pages of a product in its own skinned window, with
back and forward history, printing and print preview. It builds a topic
index from each page's subject, searches every page for the words typed
and mails a question to the support team.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installed as into /usr, so the registry store goes to /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION doc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Found at run time, not linked: the browser engine's helper process, the
# display plugins and the fonts the themes name.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
file(WRITE ${PROJECT_BINARY_DIR}/packaging/conffiles "/etc/quillmark/registry.conf\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_BINARY_DIR}/packaging/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
