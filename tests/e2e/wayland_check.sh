#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a headless Wayland compositor of its own and checks
# that it shows its window with the desktop entry's id as its app_id.
# Usage: wayland_check.sh PROGRAM
set -eu
program=$1
id=bg.korvelata.korvelata
runtime=$(mktemp -d)
chmod 700 "$runtime"
compositor=
app=
trap 'kill $app $compositor 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$runtime"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --socket=test \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
# The socket appears once the compositor listens.
for _ in $(seq 200); do
    [ -S "$runtime/test" ] && break
    kill -0 $compositor 2>/dev/null || fail "weston ended: $(tail -3 "$runtime/weston.log")"
    sleep 0.05
done
[ -S "$runtime/test" ] || fail "weston made no socket"

XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=test QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    "$program" >"$runtime/app.log" 2>&1 &
app=$!
# Shown: the top-level named and a buffer committed to its surface.
shown=no
for _ in $(seq 400); do
    if grep -q "set_app_id(\"$id\")" "$runtime/app.log" &&
        grep -q "wl_surface@[0-9]*\.attach(wl_buffer@" "$runtime/app.log"; then
        shown=yes
        break
    fi
    kill -0 $app 2>/dev/null || fail "the program ended: $(grep -v '^\[' "$runtime/app.log" | tail -3)"
    sleep 0.05
done
[ "$shown" = yes ] || fail "no window with app_id $id: $(grep -o 'set_app_id([^)]*)' "$runtime/app.log")"
grep -q "set_title(\"Корвелата\")" "$runtime/app.log" || fail "the window has another title"
echo "wayland: the window shows, app_id $id"
