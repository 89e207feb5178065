#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and opens the window.
set -eu
cd "$(dirname "$0")"
sh scripts/install-dependencies.sh
sh scripts/build.sh
exec build/app/korvelata
