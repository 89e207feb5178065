// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the design table as the page reads it, for the build to put the
// caption and colours into the page's head and manifest.

#include <cstdio>

extern "C" const char* Design();

int main() { return std::puts(Design()) < 0 ? 1 : 0; }
