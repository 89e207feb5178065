#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Runs a Windows Qt Test program under Wine in its own Xvfb, for ctest.
# Usage: wine_run.sh WINEPREFIX PROGRAM [ARGUMENT...]
set -eu
export WINEPREFIX="$1"
shift
scratch=$(mktemp -d)
. "$(dirname "$0")/wine_prefix.sh"

# Qt Test's output written to a pipe under Wine gets lost; a file keeps it.
status=0
wine "$@" -o "$scratch/log.txt,txt" || status=$?
cat "$scratch/log.txt" 2> /dev/null || true
exit "$status"
