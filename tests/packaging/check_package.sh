#!/bin/sh
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
appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$id.metainfo.xml"

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
package=$(ls "$scratch"/deb/*.deb)
contents=$(dpkg-deb -c "$package" | awk '{ print $6 }')
for path in ./usr/bin/korvelata \
            ./usr/share/applications/$id.desktop \
            ./usr/share/metainfo/$id.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/$id.png \
            ./usr/share/icons/hicolor/scalable/apps/$id.svg; do
    echo "$contents" | grep -qx "$path" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$package" Depends)
for dependency in fonts-liberation2 libqt6widgets6 libqt6gui6 libqt6core6; do
    echo "$depends" | grep -q "$dependency" || fail "Depends lacks $dependency: $depends"
done

dpkg-deb -x "$package" "$scratch/unpacked"
program="$scratch/unpacked/usr/bin/korvelata"

# Offscreen: it must still be running when stopped after three seconds.
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$program" || status=$?
[ "$status" -eq 124 ] || fail "the unpacked program ended by itself with status $status"

# In an X server: its window must appear.
Xvfb -displayfd 1 -nolisten tcp >"$scratch/display" 2>/dev/null &
server=$!
for _ in $(seq 50); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
display=:$(cat "$scratch/display")
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" &
app=$!
shown=no
for _ in $(seq 100); do
    if xwininfo -display "$display" -root -tree 2>/dev/null | grep -q '"Корвелата"'; then
        shown=yes
        break
    fi
    sleep 0.1
done
kill "$app"
[ "$shown" = yes ] || fail "the unpacked program showed no window"
echo "package: $(basename "$package") installs, validates and starts"
