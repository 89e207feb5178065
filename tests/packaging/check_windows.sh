#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The Windows program under Wine, in its own Xvfb and a fresh Wine prefix:
# unpacked from the zip it opens its window with the right size and fills,
# a click on "Провери" colours the labels and "Чисти" makes them neutral;
# the installer installs it silently for all users, the installed program
# starts, and the silent uninstall leaves nothing behind. The MSI does the
# same with msiexec /qn, a higher version replaces it and a lower one is
# refused, and neither installer installs over the other.
# Usage: check_windows.sh ZIP SETUP_EXE MSI STAGE_FOLDER WXS ICON
set -eu
zip=$(realpath "$1")
setup=$(realpath "$2")
msi=$(realpath "$3")
stage=$(realpath "$4")
wxs=$(realpath "$5")
icon=$(realpath "$6")
scratch=$(mktemp -d)
export LC_ALL=C.UTF-8
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

# The installed program opens its window; then it is closed.
opens_window() { # WHAT
    wine "$installed/korvelata.exe" &
    program=$!
    window=$(window_of "$1")
    kill "$program"
    wineserver -w
}

# The colour at x,y of the window, as RRGGBB.
pixel() {
    import -window "$window" "$scratch/window.png"
    convert "$scratch/window.png" -crop "1x1+$1+$2" -depth 8 txt:- |
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
opens_window "the installed program"

# The MSI refuses to install over the setup's copy, with exit code 1603
# (Wine passes on its low byte), and says why in readable Bulgarian.
status=0
wine msiexec /i "$msi" /qn /l*v "$scratch/refused.log" || status=$?
wineserver -w
[ "$status" = $((1603 % 256)) ] || fail "msiexec over the NSIS setup exited with $status, not 1603"
msiinfo export "$msi" LaunchCondition | grep -q "вече е инсталирана .* с инсталатора korvelata-setup.exe" ||
    fail "the MSI's refusal does not name the setup: $(msiinfo export "$msi" LaunchCondition)"

wine "$installed/uninstall.exe" /S
wineserver -w
[ ! -e "$installed" ] || fail "the uninstaller left $(ls -R "$installed")"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start menu shortcut"
wine reg query "$key" > /dev/null 2>&1 && fail "the uninstaller left the uninstall entry"

# The MSI, as a school's IT deploys it.
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# A key with its subkeys as text: reg export writes UTF-16 and keeps the
# Cyrillic that reg query's console output turns into question marks.
registry() {
    rm -f "$scratch/key.reg"
    wine reg export "$1" "$scratch/key.reg" /y > /dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$scratch/key.reg" | tr -d '\r'
}
entries() { registry "$uninstall" | grep -c '^"DisplayName"="Корвелата"$' || true; }
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
shortcuts() { find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Корвелата.lnk' | wc -l; }
msiexec_quiet() { # ACTION MSI LOG
    status=0
    wine msiexec "$1" "$2" /qn /l*v "$scratch/$3.log" || status=$?
    wineserver -w
    return $status
}
msiexec_quiet /i "$msi" install || fail "msiexec /i /qn failed: $(tail -5 "$scratch/install.log")"
[ -f "$installed/korvelata.exe" ] || fail "the MSI put no korvelata.exe into Program Files"
[ -f "$installed/platforms/qwindows.dll" ] || fail "the MSI left out the platform plugin"
[ "$(shortcuts)" = 1 ] || fail "the MSI made $(shortcuts) Start menu shortcuts, not one"
entry=$(registry "$uninstall\\$(product_code "$msi")")
for value in '"DisplayName"="Корвелата"' '"Publisher"="Разработчиците на Корвелата"' \
             '"DisplayVersion"="1' '"HelpLink"="[a-z]*:' '"NoModify"=dword:00000001'; do
    echo "$entry" | grep -q "$value" || fail "the MSI's uninstall entry lacks $value: $entry"
done
opens_window "the program the MSI installed"

# The NSIS setup refuses to install over it.
wine "$setup" /S && fail "the NSIS setup installed over the MSI"
wineserver -w
wine reg query "$key" > /dev/null 2>&1 && fail "the refused setup wrote its uninstall entry"

# The next version replaces it, leaving one entry; the older one is refused.
version=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^ProductVersion\t//p')
newer="$scratch/newer.msi"
cmake -D STAGE="$stage" -D VERSION="${version%.*}.$((${version##*.} + 1))" -D WXS="$wxs" -D ICON="$icon" \
    -D OUT="$newer" -P "$(dirname "$0")/../../packaging/windows/msi.cmake" > /dev/null
msiexec_quiet /i "$newer" upgrade || fail "the newer MSI did not install: $(tail -5 "$scratch/upgrade.log")"
[ "$(entries)" = 1 ] || fail "after the upgrade there are $(entries) entries named Корвелата"
wine reg query "$uninstall\\$(product_code "$newer")" > /dev/null 2>&1 || fail "the newer version has no entry"
msiexec_quiet /i "$msi" downgrade && fail "the older MSI installed over the newer one"
[ "$(entries)" = 1 ] || fail "the refused downgrade left $(entries) entries"

msiexec_quiet /x "$(product_code "$newer")" remove || fail "msiexec /x failed: $(tail -5 "$scratch/remove.log")"
[ ! -e "$installed" ] || fail "msiexec /x left $(ls -R "$installed")"
[ "$(shortcuts)" = 0 ] || fail "msiexec /x left the Start menu shortcut"
[ "$(entries)" = 0 ] || fail "msiexec /x left the uninstall entry"
echo "windows: the zip's program opens, checks and clears; setup, MSI, upgrade and removal are silent and clean"
