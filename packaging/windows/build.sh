#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cross-builds the Windows program on Debian 12 into build-windows/: the
# portable zip, the NSIS setup, the MSI package, their SHA256SUMS, and the
# test suites for running under Wine.
# The first run also builds Qt for Windows (about half an hour), later runs
# reuse it from ~/.cache/korvelata.
set -eu
cd "$(dirname "$0")/../.."
here=packaging/windows

sh scripts/install-dependencies.sh g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
    ninja-build cmake dpkg-dev nsis wine wine64 qt6-base-dev qt6-base-dev-tools \
    qt6-translations-l10n xvfb xauth x11-utils xdotool imagemagick fonts-liberation2 \
    wixl msitools

qt="$(sh $here/qt.sh)"
qt="$(echo "$qt" | tail -n 1)"
out="$PWD/build-windows"
cmake -S . -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/$here/toolchain-mingw64.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/$here/wine_run.sh;$out/wine-tests"
cmake --build "$out/build" --parallel "$(nproc)"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")"
name="korvelata-$version"
rm -rf "$out/stage" "$out/$name-win64.zip" "$out/$name-setup.exe" "$out/$name-x64.msi" "$out/SHA256SUMS"
cmake --install "$out/build" --prefix "$out/stage/$name" > /dev/null
find "$out/stage" -name '*.dll' -o -name '*.exe' | xargs x86_64-w64-mingw32-strip --strip-unneeded
(cd "$out/stage" && cmake -E tar cf "$out/$name-win64.zip" --format=zip "$name")
makensis -V2 -INPUTCHARSET UTF8 -DSTAGE="$out/stage/$name" -DOUTFILE="$out/$name-setup.exe" \
    "$out/build/packaging/windows/korvelata.nsi"
cmake -D STAGE="$out/stage/$name" -D VERSION="$version" -D ICON="$out/build/packaging/windows/korvelata.ico" \
    -D WXS="$out/build/packaging/windows/korvelata.wxs" -D OUT="$out/$name-x64.msi" -P $here/msi.cmake
(cd "$out" && sha256sum "$name-win64.zip" "$name-setup.exe" "$name-x64.msi" > SHA256SUMS)
echo "$out/$name-win64.zip"
echo "$out/$name-setup.exe"
echo "$out/$name-x64.msi"
echo "$out/SHA256SUMS"
