#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Windows program under Wine, in its own Xvfb and a fresh Wine prefix:
# unpacked from the zip it opens its window with the right size and fills,
# a click on "Провери" colours the labels and "Чисти" makes them neutral;
# the installer installs it silently for all users, the installed program
# starts, and the silent uninstall leaves nothing behind.
# Usage: check_windows.sh ZIP SETUP_EXE
set -eu
zip=$(realpath "$1")
setup=$(realpath "$2")
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/prefix"
. "$(dirname "$0")/../../packaging/windows/wine_prefix.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits for the program's window; prints its X window id.
window_of() {
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name '^Корвелата$' 2> /dev/null); do
            echo "$id"
            return 0
        done
        sleep 0.2
    done
    fail "$1 showed no window"
}

# The colour at x,y of the window, as RRGGBB.
pixel() {
    xwd -id "$window" -silent > "$scratch/window.xwd"
    convert "$scratch/window.xwd" -crop "1x1+$1+$2" -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p'
}

# Waits, up to about half a minute, until x,y shows one of the colours.
expect_fill() { # WHAT X Y RRGGBB...
    what=$1 x=$2 y=$3
    shift 3
    for _ in $(seq 150); do
        actual=$(pixel "$x" "$y")
        for colour in "$@"; do
            [ "$actual" = "$colour" ] && return 0
        done
        sleep 0.1
    done
    fail "$what at $x,$y is #$actual, not #$*"
}

# The labels' upper left corners, clear of their texts.
expect_labels() {
    for k in 0 1 2 3 4; do
        expect_fill "the label of X$((k + 1))" $((196 + 32 * k)) 180 "$@"
    done
}

# Portable: unzip and start.
mkdir "$scratch/portable"
(cd "$scratch/portable" && cmake -E tar xf "$zip")
wine "$scratch"/portable/korvelata-*/korvelata.exe &
program=$!
window=$(window_of "the unzipped program")
geometry=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$geometry" = 510x424 ] || fail "the client area is $geometry, not 510x424"
expect_fill "the window" 4 4 C0C0FF
expect_fill "the title" 76 4 FFC080
expect_fill "\"Чисти\"" 388 60 FF80FF
expect_fill "\"Случайни\"" 268 100 80FFFF
expect_fill "\"Провери\"" 388 132 80FF80
expect_labels FFC080

xdotool mousemove --window "$window" 432 140 click 1
expect_labels 00FF00 FF00FF
xdotool mousemove --window "$window" 432 68 click 1
expect_labels FFC080
kill "$program"
wineserver -w

# Installed for all users, silently.
wine "$setup" /S
wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/Korvelata"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Корвелата.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvelata'
[ -f "$installed/korvelata.exe" ] || fail "the installer put no korvelata.exe into Program Files"
[ -f "$installed/translations/qtbase_bg.qm" ] || fail "the installer left out Qt's Bulgarian texts"
[ -f "$shortcut" ] || fail "the installer made no Start menu shortcut"
entry=$(wine reg query "$key" 2> /dev/null | tr -d '\r')
for value in "DisplayVersion.*REG_SZ.*[0-9]\.[0-9]" "Publisher.*REG_SZ" "QuietUninstallString.*/S"; do
    echo "$entry" | grep -q "$value" || fail "the uninstall entry lacks $value: $entry"
done
wine "$installed/korvelata.exe" &
program=$!
window=$(window_of "the installed program")
kill "$program"
wineserver -w

wine "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $(ls -R "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu shortcut"
wine reg query "$key" > /dev/null 2>&1 && fail "the uninstaller left the uninstall entry"
echo "windows: the zip's program opens, checks and clears; setup and uninstall are silent and clean"
