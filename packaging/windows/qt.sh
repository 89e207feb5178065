#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds a minimal shared Qt for 64-bit Windows from Debian's own qt6-base
# source of exactly the host's Qt version, into a cache that later runs reuse.
# Prints the Qt prefix on its last line.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"

host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
qt_version="${host_version#*:}"
qt_version="${qt_version%%[+-]*}"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/korvelata"
prefix="$cache/qt-$qt_version-mingw64"
work="$cache/qt-$qt_version-mingw64.work"

# Every option that changes what is built; a cache made with others is redone.
options="-DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release
 -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
 -DQT_QMAKE_TARGET_MKSPEC=win32-g++
 -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
 -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_opengl=OFF
 -DINPUT_opengl=no -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
 -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF
 -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF
 -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
 -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
 -DFEATURE_system_doubleconversion=OFF -DFEATURE_sql_sqlite=OFF"
stamp="qt $host_version;$(echo $options)"

if [ -f "$prefix/.complete" ] && [ "$(cat "$prefix/.complete")" = "$stamp" ]; then
    echo "$prefix"
    exit 0
fi
# Anything else at the prefix is a build that was interrupted or made with
# other options: never use it.
rm -rf "$prefix" "$work"
mkdir -p "$work/lists/partial" "$work/archives/partial"

# A private deb-src list with the system's own URIs, suites, components and
# keys; the system's apt configuration stays as it is.
sources="$work/sources.sources"
for list in /etc/apt/sources.list.d/*.sources; do
    [ -f "$list" ] || continue
    sed -e 's/^Types:.*/Types: deb-src/' "$list" >> "$sources"
    echo >> "$sources"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n -e 's/^deb \(.*\)/Types: deb-src\nURIs: \1/p' /etc/apt/sources.list |
        awk '/^URIs:/ { split($0, w, " "); printf "URIs: %s\nSuites: %s\nComponents:", w[2], w[3]; for (i = 4; i in w; i++) printf " %s", w[i]; printf "\n\n"; next } { print }' >> "$sources"
fi
apt_private="-o Dir::Etc::SourceList=$sources -o Dir::Etc::SourceParts=/dev/null -o Dir::State::Lists=$work/lists -o Dir::Cache::Archives=$work/archives"
if ! apt-get $apt_private update -qq > "$work/apt.log" 2>&1; then
    echo "Could not read Debian's source package lists (see $work/apt.log)" >&2
    exit 1
fi
if ! (cd "$work" && apt-get $apt_private source --download-only -qq "qt6-base=$host_version") >> "$work/apt.log" 2>&1; then
    echo "Could not get Debian's qt6-base $host_version source package (see $work/apt.log)" >&2
    exit 1
fi
(cd "$work" && dpkg-source --no-check -x qt6-base_*.dsc source > /dev/null)

source_version="$(sed -n 's/.*QT_REPO_MODULE_VERSION "\(.*\)".*/\1/p' "$work/source/.cmake.conf")"
if [ "$source_version" != "$qt_version" ]; then
    echo "The Qt source is version $source_version, the host's Qt is $qt_version: not building" >&2
    exit 1
fi

cp "$here/toolchain-mingw64.cmake" "$cache/toolchain-mingw64.cmake"
cmake -S "$work/source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain-mingw64.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" $options > "$work/configure.log" 2>&1 ||
    { tail -30 "$work/configure.log" >&2; echo "Configuring Qt for Windows failed (see $work/configure.log)" >&2; exit 1; }
cmake --build "$work/build" --parallel "$(nproc)" > "$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log" >&2; echo "Building Qt for Windows failed (see $work/build.log)" >&2; exit 1; }
cmake --install "$work/build" > "$work/install.log" 2>&1
cp "$work/source/LICENSES/LGPL-3.0-only.txt" "$prefix/LICENSE.LGPL-3.0" 2>/dev/null ||
    cp "$work/source/LICENSE.LGPL3" "$prefix/LICENSE.LGPL-3.0"
echo "$options" > "$prefix/configure-options.txt"
basename "$work"/qt6-base_*.dsc > "$prefix/source-package.txt"
echo "$stamp" > "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
