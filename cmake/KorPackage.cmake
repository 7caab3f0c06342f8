# Debian packages by CPack (scripts/package): one per install component, named
# <package>_<version>_<arch>.deb, with the library dependencies found by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kormanager)
set(CPACK_PACKAGE_VENDOR "The Kor Manager developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Kor Manager developers <kormanager@example.org>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL kormanager devicesim)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

# Qt loads the SQLite driver at run time, so no library names it.
set(CPACK_DEBIAN_KORMANAGER_PACKAGE_NAME kormanager)
set(CPACK_DEBIAN_KORMANAGER_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_KORMANAGER_PACKAGE_RECOMMENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_KORMANAGER_PACKAGE_SUGGESTS "kor-devicesim")
set(CPACK_DEBIAN_KORMANAGER_DESCRIPTION
  "configure the alarm application of network cameras
Kor Manager configures the alarm application that runs inside network cameras
and video servers: which actions run when an event source fires (switch an
output, record, call or send an SMS, move the camera, notify a client, alarm
another device, send e-mail, upload pictures by FTP, report to an
alarm-receiving centre), under weekly time tables.
It downloads the configuration from the camera, keeps it in project files,
installs the application on the camera, uploads the configuration, checks the
camera's input/output loop and prints a report. The window is kormanager;
korctl does the same from the command line.")

# The FTP side of the simulated camera is a Python program on pyftpdlib.
set(CPACK_DEBIAN_DEVICESIM_PACKAGE_NAME kor-devicesim)
set(CPACK_DEBIAN_DEVICESIM_PACKAGE_DEPENDS "python3, python3-pyftpdlib")
set(CPACK_DEBIAN_DEVICESIM_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_DEVICESIM_DESCRIPTION
  "simulated network camera for Kor Manager
kor-devicesim is one network camera with the alarm application's CGI programs
and an FTP server, on a loopback address, with its file system in a folder.
It serves for training and demonstrations of Kor Manager without a real
camera, and can misbehave on request (delays, errors, dropped connections).")

include(CPack)
