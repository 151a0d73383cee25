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

# Installs the cross compilers, Wine and NSIS too.
qt_prefix=$(bash scripts/build-windows-qt.sh | tail -1)

# Qt's Japanese translations, which the installer ships.
packages=(qt6-translations-l10n)
missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build/windows -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKAKEMARU_BUILD_BENCHMARKS=OFF
cmake --build build/windows --target installer

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
installer=$PWD/build/windows/kakemaru-$version-setup.exe
if [ ! -f "$installer" ]; then
  echo "The build made no $installer" >&2
  exit 1
fi
echo "$installer" >&3
