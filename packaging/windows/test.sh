#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Windows program and runs its tests under Wine: the puzzle and
# window suites on Qt's Windows platform plugin, then the zip and the installer.
set -eu
cd "$(dirname "$0")/../.."
sh packaging/windows/build.sh
ctest --test-dir build-windows/build --output-on-failure --timeout 900
