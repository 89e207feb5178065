#!/bin/sh
# Installs what is missing, builds, and runs every test.
set -eu
cd "$(dirname "$0")"
sh scripts/install-dependencies.sh
sh scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600
