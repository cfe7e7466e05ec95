# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# `make package`: a Debian package of the installed tree. Its library
# dependencies are computed from the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zendra)
set(CPACK_PACKAGE_VENDOR "The Zendra developers")
# Zendra has no public contact address yet. Until it has one, the package
# names an address in the reserved .invalid domain, which no mail can reach
# and which nobody else owns; a distributor sets ZENDRA_MAINTAINER to a real
# one. The changelog's entries are signed with the same address.
set(ZENDRA_MAINTAINER "The Zendra developers <developers@zendra.invalid>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_PACKAGE_CONTACT "${ZENDRA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small dense-matrix computations for teaching")
set(CPACK_PACKAGE_DESCRIPTION
    "Zendra reads named matrices from a plain-text data file into a workspace,\n\
combines them (scale, transpose, add, subtract, multiply, invert, Cholesky\n\
decomposition, forward/back substitution), shows them with a chosen number\n\
of decimals, lists them for printing and writes the workspace back. Editor\n\
windows open, search, save and print the files. For educational use only.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows ask for by name, in faces with the same metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_STRIP_FILES ON)
include(CPack)
