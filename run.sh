#!/bin/sh
# Installs what is missing, builds, and opens the window.
set -eu
cd "$(dirname "$0")"
sh scripts/install-dependencies.sh
sh scripts/build.sh
if [ ! -x build/app/korvelata ]; then
    echo "run.sh: built the puzzle core; the window does not exist yet" >&2
    exit 1
fi
exec build/app/korvelata
