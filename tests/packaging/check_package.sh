#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch folder and validates the desktop files,
# builds the Debian package, checks its contents and dependencies, and starts
# the program unpacked from it.
# Usage: check_package.sh BUILD_DIR
set -eu
build=$1
id=bg.korvelata.korvelata
scratch=$(mktemp -d)
trap 'kill $server 2>/dev/null || true; rm -rf "$scratch"' EXIT
server=

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
desktop-file-validate "$scratch/root/usr/share/applications/$id.desktop"
appstreamcli validate --pedantic --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
package=$(ls "$scratch"/deb/*.deb)
contents=$(dpkg-deb -c "$package" | awk '{ print $6 }')
for path in ./usr/bin/korvelata \
            ./usr/share/applications/$id.desktop \
            ./usr/share/metainfo/$id.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/$id.png \
            ./usr/share/icons/hicolor/scalable/apps/$id.svg \
            ./usr/share/doc/korvelata/copyright \
            ./usr/share/doc/korvelata/changelog.gz \
            ./usr/share/man/man1/korvelata.1.gz; do
    echo "$contents" | grep -qx "$path" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$package" Depends)
for dependency in fonts-liberation2 libqt6widgets6 libqt6gui6 libqt6core6; do
    echo "$depends" | grep -q "$dependency" || fail "Depends lacks $dependency: $depends"
done

# What Debian would say of it: no error and no warning.
lintian --info --fail-on error,warning "$package" >"$scratch/lintian" 2>&1 ||
    fail "lintian: $(grep -v '^running with root' "$scratch/lintian")"
grep -v '^running with root' "$scratch/lintian" || true

dpkg-deb -x "$package" "$scratch/unpacked"
program="$scratch/unpacked/usr/bin/korvelata"

# In an X server of its own: its window must appear, and the program must
# still be running when it is stopped. Every wait is for an event, with a
# deadline far beyond its usual time.
Xvfb -displayfd 1 -nolisten tcp >"$scratch/display" 2>/dev/null &
server=$!
for _ in $(seq 600); do
    # The number is complete once its line ends.
    [ "$(wc -l < "$scratch/display")" -ge 1 ] && break
    kill -0 "$server" 2>/dev/null || fail "Xvfb ended before it was ready"
    sleep 0.1
done
[ "$(wc -l < "$scratch/display")" -ge 1 ] || fail "Xvfb gave no display within a minute"
display=:$(cat "$scratch/display")
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" 2>"$scratch/program.log" &
app=$!
shown=no
for _ in $(seq 600); do
    if xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Корвелата"'; then
        shown=yes
        break
    fi
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
if ! kill "$app" 2>/dev/null; then
    status=0
    wait "$app" || status=$?
    fail "the unpacked program ended by itself with status $status: $(cat "$scratch/program.log")"
fi
wait "$app" || true
[ "$shown" = yes ] || fail "the unpacked program showed no window within a minute"
echo "package: $(basename "$package") installs, validates and starts"
