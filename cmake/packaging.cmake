# Installation into the standard places of a Linux desktop, and a Debian
# package of it (cpack -G DEB).
include(GNUInstallDirs)
# Installing and packaging need only what is installed, not the tests.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS quillory_batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(QUILLORY_WITH_QT)
  install(TARGETS quillory RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quillory.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quillory.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
# Manual pages go compressed, as Debian keeps them; the batch program's page
# points at the program's.
find_program(GZIP_EXECUTABLE gzip)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/quillory.1
                                                              ${CMAKE_SOURCE_DIR}/packaging/quillory_batch.1)
if(GZIP_EXECUTABLE)
  foreach(page quillory quillory_batch)
    execute_process(COMMAND ${GZIP_EXECUTABLE} -9 -n -c ${CMAKE_SOURCE_DIR}/packaging/${page}.1
                    OUTPUT_FILE ${CMAKE_BINARY_DIR}/${page}.1.gz)
    install(FILES ${CMAKE_BINARY_DIR}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
else()
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/quillory.1 ${CMAKE_SOURCE_DIR}/packaging/quillory_batch.1
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# The help pages, when the source tree has them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quillory/help OPTIONAL
        PATTERN "*.cmake" EXCLUDE)

set(CPACK_PACKAGE_NAME quillory)
set(CPACK_PACKAGE_VENDOR "Quillory Suite")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Create, copy into, rename or delete many folders at once")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop tool for one person who creates, copies into, renames or deletes many folders at once, with a simulation of every run, a Visual Log and undo.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY quillory)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillory Suite developers <quillory@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Debian 12's names; the versions are those the build was made against.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libutf8proc2 (>= 2.6), libstdc++6, libc6")
include(CPack)
