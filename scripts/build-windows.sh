#!/usr/bin/env bash
# Builds the Windows installer: installs what is missing, builds Qt for
# Windows the first time (scripts/build-windows-qt.sh, about half an hour),
# then the program in build/windows, the folder it runs from
# (build/windows/deploy) and the NSIS installer beside it. Progress goes to
# stderr; stdout gets one line, the installer's path:
#   installer=$(bash scripts/build-windows.sh | tail -1)
# Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

exec 3>&1 1>&2

# What the build machine needs (compilers, Qt's host tools and Japanese
# translations, GoogleTest's sources, the icon tools), then Qt for Windows,
# which installs the cross compilers, Wine and NSIS too. The preset windows
# finds Qt through KAKEMARU_WINDOWS_QT.
scripts/install-deps.sh
KAKEMARU_WINDOWS_QT=$(bash scripts/build-windows-qt.sh | tail -1)
export KAKEMARU_WINDOWS_QT

# The test command's Windows build, of which only the program and the
# installer are made here.
cmake --preset windows
cmake --build --preset windows --target installer

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
installer=$PWD/build/windows/kakemaru-$version-setup.exe
if [ ! -f "$installer" ]; then
  echo "The build made no $installer" >&2
  exit 1
fi
echo "$installer" >&3
