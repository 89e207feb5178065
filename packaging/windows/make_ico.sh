#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Wraps a square PNG of up to 255 pixels into a one-image .ico file, which
# Windows (Vista and later) reads as it is.
set -eu
png="$1"
ico="$2"
# Width and height: big-endian words at bytes 16 and 20 of the PNG.
width=$(od -An -tu1 -j18 -N2 "$png" | awk '{ print $1 * 256 + $2 }')
height=$(od -An -tu1 -j22 -N2 "$png" | awk '{ print $1 * 256 + $2 }')
size=$(wc -c < "$png")
byte() { printf "\\$(printf '%03o' "$1")"; }
word() { byte $(($1 & 255)); byte $(($1 >> 8 & 255)); }
dword() { word $(($1 & 65535)); word $(($1 >> 16 & 65535)); }
{
    word 0; word 1; word 1                      # an icon file with one image
    byte "$width"; byte "$height"; byte 0; byte 0
    word 1; word 32; dword "$size"; dword 22    # planes, bits, length, offset
    cat "$png"
} > "$ico"
