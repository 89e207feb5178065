#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced by the Wine scripts: starts a private Xvfb (its display in
# $display) and prepares the 64-bit Wine prefix $WINEPREFIX, in which
# "Times New Roman" is Liberation Serif (same metrics). Stops both on exit.
# Needs $scratch, an empty folder of the caller's.
export WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
server=
stop_wine() {
    WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
}
trap 'stop_wine; rm -rf "$scratch"' EXIT

Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp > "$scratch/display" 2> /dev/null &
server=$!
while [ ! -s "$scratch/display" ]; do
    kill -0 "$server" 2> /dev/null || { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
display=:$(cat "$scratch/display")
export DISPLAY="$display"

if [ ! -f "$WINEPREFIX/.korvelata-ready" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i > /dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
        /v "Times New Roman" /d "Liberation Serif" /f > /dev/null 2>&1
    for font in /usr/share/fonts/truetype/liberation2/*.ttf; do
        ln -sf "$font" "$WINEPREFIX/drive_c/windows/Fonts/"
    done
    wineserver -w
    touch "$WINEPREFIX/.korvelata-ready"
fi
