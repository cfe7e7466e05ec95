#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Zendra developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian 12 packages that building, testing and benchmarking need.
# Only missing packages are installed, so running it again costs nothing.
set -euo pipefail

packages=(
    build-essential
    cmake
    make
    libgtest-dev
    libgmock-dev
    libbenchmark-dev
    # exact fractions of the core: GMP and its C++ interface (gmpxx.h)
    libgmp-dev
    # multimodular determinant, rank and reduced row echelon form
    libflint-dev
    # certified roots and ball arithmetic for eigenvalues and eigenvectors
    libflint-arb-dev
    # the window program: Qt 6 Widgets and Print Support, and fonts with the
    # metrics of the faces the windows ask for
    qt6-base-dev
    fonts-liberation
    # headless window tests and screenshots, and the end-to-end checks that
    # drive the real program with a window manager and a real keyboard
    xvfb
    xauth
    openbox
    imagemagick
    xdotool
    wmctrl
    x11-utils
    # the accessibility check: a private session bus, the AT-SPI bus and
    # registry, and Python's AT-SPI bindings (gi.repository.Atspi) to read it
    dbus-bin
    at-spi2-core
    python3-gi
    gir1.2-atspi-2.0
    # the check that GNU Octave loads an exported matrix and that its own
    # files import bit for bit
    octave
    # reading printed PDF files back in tests
    poppler-utils
    # pdflatex with amsmath: the worked solutions as LaTeX must compile
    texlive-latex-base
    # the fuzz targets (make fuzz): clang with libFuzzer and the sanitizers
    clang
    libclang-rt-14-dev
    # the Debian package's library dependencies
    dpkg-dev
    # checking the package and the sources' licensing (make package-check)
    lintian
    appstream
    desktop-file-utils
    reuse
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
