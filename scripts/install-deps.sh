#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, or,
# given package names, those packages only (scripts/build-windows-qt.sh).
# Idempotent: when every package is already installed it touches nothing.
# Recommended packages are left out: they bring daemons (avahi, colord,
# polkit, sane) that nothing here uses; whatever is needed is named below.
set -euo pipefail

packages=(
  # toolchain and test frameworks
  cmake g++ ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  # compiler cache: the builds use it when it is there (cmake/CompilerCache.cmake)
  ccache
  # the libraries' build with Clang and libc++, GoogleTest built there from
  # its sources
  clang libc++-dev libc++abi-dev googletest
  # window toolkit, its Wayland platform, its Japanese translations, Japanese
  # fonts and fontconfig's list of them
  qt6-base-dev libqt6printsupport6 qt6-wayland qt6-translations-l10n libfontconfig-dev
  # XKB requests on Qt's X11 connection, for keys held down
  libxcb-xkb-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  # desktop sound for the information beep
  libcanberra-dev sound-theme-freedesktop
  # headless GUI tests and screenshots, on X11 and on Wayland; X as other
  # programs see it; locale sources for tests in Japanese locales
  xvfb xauth weston imagemagick librsvg2-bin x11-utils xdotool locales
  # printing through CUPS to a PDF queue and to a driverless printer
  # (ippeveprinter, cups-filters' pdftopdf), and reading the PDFs back; the
  # print tests' service looks for its processes with ps
  cups printer-driver-cups-pdf cups-ipp-utils cups-filters libcups2-dev poppler-utils procps
  # the glyphs of what the Windows program prints under Wine, read back
  # through the fonts' own names
  python3-fonttools
  # the program as screen readers reach it: a private session bus, the AT-SPI
  # bus and registry, and a Python client of them
  dbus-daemon at-spi2-core python3-pyatspi
  # desktop integration and packaging checks; lintian on the package, with
  # man and groff for its manual page checks and binutils' readelf for the
  # program's hardening
  desktop-file-utils appstream dpkg-dev file lintian man-db groff-base binutils
)

[ $# -gt 0 ] && packages=("$@")

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run this script as root (or install them with sudo apt-get install)." >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
