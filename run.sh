#!/bin/sh
# Installs what is missing, builds, and opens the window.
set -eu
cd "$(dirname "$0")"
sh scripts/install-dependencies.sh
sh scripts/build.sh
exec build/app/korvelata
