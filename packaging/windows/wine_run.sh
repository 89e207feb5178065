#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a Windows Qt Test program under Wine in its own Xvfb, for ctest.
# Usage: wine_run.sh WINEPREFIX QT_BIN PROGRAM [ARGUMENT...]
set -eu
export WINEPREFIX="$1"
dlls="$2"
shift 2
scratch=$(mktemp -d)
. "$(dirname "$0")/wine_prefix.sh"

windows_path() { echo "Z:$1" | tr / '\\'; }
WINEPATH="$(windows_path "$dlls");$(windows_path "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll | xargs dirname)");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export WINEPATH
# Qt Test's output written to a pipe under Wine gets lost; a file keeps it.
status=0
wine "$@" -o "$scratch/log.txt,txt" || status=$?
cat "$scratch/log.txt" 2> /dev/null || true
exit "$status"
