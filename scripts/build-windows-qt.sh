#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (x86_64-w64-mingw32) from Debian's own
# qt6-base source, the same version as the host's moc, rcc and uic, and
# installs it into a cache folder outside the source tree:
#   ${KAKEMARU_WINDOWS_QT_CACHE:-~/.cache/kakemaru}/qt-<version>-mingw-<key>
# The key hashes everything the result depends on, so a changed input gets
# a folder of its own. When that folder is complete the script returns at
# once. Progress goes to stderr; stdout gets one line, the install prefix:
#   QT_WIN=$(bash scripts/build-windows-qt.sh | tail -1)
# Run as root on Debian 12 (it installs packages and may add a deb-src entry).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

# Everything but the prefix goes to stderr, so that callers can capture stdout.
exec 3>&1 1>&2

toolchain_file=$PWD/cmake/mingw-w64-x86_64.cmake
cross_gxx=x86_64-w64-mingw32-g++-posix

packages=(
  # the cross compilers and resource compiler, and Windows programs' tools
  # for running and packaging them later; the program's icon file
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 wine nsis icoutils
  # apt-get source unpacks with dpkg-source
  dpkg-dev
  # the build, and the host tools and CMake files Qt's cross build uses
  cmake ninja-build qt6-base-dev qt6-base-dev-tools
)

# Shared libraries, Release; only what the program uses (Core, Gui, Widgets,
# PrintSupport, Test, the windows platform and the Windows styles).
#   tabletevent: Debian's repacked source has no src/3rdparty/wintab, which
#     the windows platform would include.
#   direct2d1_1: skips the Direct2D platform only; turning direct2d off
#     instead breaks the link of Qt6PrintSupport.dll in 6.4.2.
#   system_*: the MinGW sysroot has none of these, Qt's bundled copies serve.
configure_flags=(
  -G Ninja
  -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_pkg_config=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF
  -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF
  -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
  -DFEATURE_testlib=ON
)

scripts/install-deps.sh "${packages[@]}"

# The source must be the host tools' version exactly: the host's moc writes
# code for its own Qt version.
qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
qt_version=${qt_deb_version%%[+~-]*}
compiler_line=$("$cross_gxx" --version | sed -n 1p)

key=$({
  echo "$qt_deb_version"
  printf '%s\n' "${configure_flags[@]}"
  cat "$toolchain_file"
  echo "$compiler_line"
} | sha256sum | cut -c 1-12)

cache_root=$(realpath -m "${KAKEMARU_WINDOWS_QT_CACHE:-$HOME/.cache/kakemaru}")
prefix=$cache_root/qt-$qt_version-mingw-$key
stamp=$prefix/.kakemaru-complete
scratch=$prefix.build

if [ -f "$stamp" ]; then
  echo "$prefix" >&3
  exit 0
fi

# One build per prefix at a time; a second caller waits and then finds the
# stamp.
mkdir -p "$cache_root"
exec 9>"$prefix.lock"
if ! flock -n 9; then
  echo "Waiting for another build of $prefix"
  flock 9
fi
if [ -f "$stamp" ]; then
  echo "$prefix" >&3
  exit 0
fi

started=$SECONDS
echo "Building Qt $qt_deb_version for x86_64-w64-mingw32 into $prefix"

# A prefix without the stamp is what an interrupted run left: start over.
rm -rf "$prefix" "$scratch"
mkdir -p "$prefix" "$scratch"

# Qt's installed qt.toolchain.cmake loads the toolchain file it was built
# with by its absolute path, so it gets a copy that lives with the prefix
# rather than one in a checkout that may go away.
install -D -m 644 "$toolchain_file" "$prefix/lib/cmake/mingw-w64-x86_64.cmake"

# grep reads all the output (no -q), so that apt-cache never dies of SIGPIPE
# and fails the pipeline.
source_available() {
  apt-cache showsrc --only-source qt6-base 2>/dev/null |
    grep -x "Version: $qt_deb_version" >/dev/null
}
if ! source_available; then
  # With no deb-src entry at all apt knows no sources: add one beside the
  # system's Debian entry, with the same archives and suites. With one, the
  # lists may only be stale.
  if [ -z "$(apt-get indextargets 'Created-By: Sources')" ]; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
        >/etc/apt/sources.list.d/debian-src.sources
    elif grep -qs '^deb .*debian' /etc/apt/sources.list; then
      sed -n 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list \
        >/etc/apt/sources.list.d/debian-src.list
    fi
  fi
  apt-get update -q
  if ! source_available; then
    echo "apt cannot fetch the source of qt6-base $qt_deb_version;" \
      "add a deb-src entry for it and run again." >&2
    exit 1
  fi
fi

# Root's scratch folder is out of reach of apt's _apt user: download as root
# rather than have apt warn and do so anyway.
(cd "$scratch" &&
  apt-get source -q -o APT::Sandbox::User=root --only-source "qt6-base=$qt_deb_version")
source_dir=$(find "$scratch" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')

# Nice, so that other builds on the machine come first; two jobs at most.
nice -n 10 cmake -S "$source_dir" -B "$scratch/build" \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  "${configure_flags[@]}"
nice -n 10 cmake --build "$scratch/build" --parallel 2
cmake --install "$scratch/build"

# A feature that configure turned off quietly would leave out a part the
# program needs: check them before calling the install complete.
for part in \
  lib/cmake/Qt6/qt.toolchain.cmake \
  bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6PrintSupport.dll \
  bin/Qt6Test.dll plugins/platforms/qwindows.dll \
  plugins/styles/qwindowsvistastyle.dll; do
  if [ ! -f "$prefix/$part" ]; then
    echo "The install lacks $part; $prefix is left incomplete." >&2
    exit 1
  fi
done

printf '%s\n' "qt6-base $qt_deb_version" "$compiler_line" "${configure_flags[@]}" >"$stamp"
rm -rf "$scratch"
echo "Qt for Windows built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
echo "$prefix" >&3
