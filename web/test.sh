#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the web page and plays it in three engines from Debian's packages:
# Chromium (Blink), Firefox ESR (Gecko) and WebKitGTK's MiniBrowser (WebKit,
# under its own Xvfb); then Orca reads it in Firefox and Chromium.
set -eu
cd "$(dirname "$0")/.."
sh web/build.sh
sh scripts/install-dependencies.sh g++ chromium firefox-esr webkit2gtk-driver xvfb xauth fonts-liberation2 \
    orca speech-dispatcher at-spi2-core dbus xdotool
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
ctest --test-dir build-web --output-on-failure --timeout 900
