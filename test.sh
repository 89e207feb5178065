#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test: the ordinary build,
# then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the fuzzer of the number reader.
set -eu
cd "$(dirname "$0")"
sh scripts/install-dependencies.sh
sh scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 600

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELATA_SANITIZE=ON
cmake --build build-sanitize --parallel "$(nproc)"
ctest --test-dir build-sanitize --output-on-failure --timeout 900

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVELATA_FUZZ=ON
cmake --build build-fuzz --parallel "$(nproc)"
ctest --test-dir build-fuzz --output-on-failure --timeout 600
