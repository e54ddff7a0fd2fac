# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of an installation: `make package` builds it. Library dependencies are
# read from the programs by dpkg-shlibdeps; what is loaded at run time rather than linked is named.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillary)
set(CPACK_PACKAGE_VENDOR "The Quillary developers")
set(CPACK_PACKAGE_CONTACT "The Quillary developers <support@quillary.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "contact and information manager")
set(CPACK_PACKAGE_DESCRIPTION
    "Quillary keeps contacts, organizations, websites and recurring reminders in one tree, in one
safely written text data file. It dials, mails, browses, imports and exports vCard and
delimited text, publishes web sites and prints address books, labels and envelopes.
quillary-cli reads, imports, exports and prints from scripts.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Staged with DESTDIR, so files that name the prefix (the activation file) name the real one.
set(CPACK_SET_DESTDIR ON)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillary.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
# The window system and picture plugins Qt loads, and the desktop's mail and browser helpers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "dbus-user-session")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_SOURCE_DIR})
include(CPack)
