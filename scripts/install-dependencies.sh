#!/bin/sh
# SPDX-FileCopyrightText: 2026 Korvelata developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs with apt whatever the build and the tests need and is not yet there;
# when everything is present it installs nothing. Given package names, it
# installs those instead.
set -eu

packages="
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland qt6-translations-l10n libgl-dev
    fonts-liberation2 fontconfig
    xvfb xauth x11-utils libx11-dev libxtst-dev libxdamage-dev
    weston
    desktop-file-utils appstream dpkg-dev file lintian reuse valgrind
    clang libclang-rt-14-dev
    locales
    nodejs orca speech-dispatcher at-spi2-core dbus xdotool
"

[ $# -gt 0 ] && packages="$*"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
# The tests read answers under a Bulgarian locale, whose decimal separator is
# the comma.
locale=""
if [ $# -eq 0 ] && ! locale -a 2>/dev/null | grep -qx "bg_BG.utf8"; then
    locale=bg_BG.UTF-8
fi
[ -z "$missing" ] && [ -z "$locale" ] && exit 0

as_root=""
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "Missing:$missing $locale; run this as root, or install sudo" >&2
        exit 1
    fi
    as_root="sudo"
fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    # Waits for another package manager, such as unattended upgrades, to
    # finish instead of failing on its lock.
    wait_lock="-o DPkg::Lock::Timeout=600"
    $as_root apt-get $wait_lock update
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get $wait_lock install -y --no-install-recommends $missing
fi
if [ -n "$locale" ]; then
    echo "Generating the locale $locale"
    $as_root localedef -i bg_BG -f UTF-8 bg_BG.UTF-8
fi
