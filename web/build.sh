#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the web page on Debian 12 into build-web/: the site folder site/, to
# publish on any static host, and korvelata.html, the whole page in one file.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-dependencies.sh emscripten terser nodejs cmake make librsvg2-bin optipng
# Emscripten's own tools find Debian's JavaScript modules only through
# NODE_PATH when the machine's Node.js is not Debian's.
export NODE_PATH=/usr/share/nodejs
emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel > /dev/null
cmake --build build-web --parallel "$(nproc)"
echo "$PWD/build-web/site"
echo "$PWD/build-web/korvelata.html"
