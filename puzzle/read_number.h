// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace puzzle {

// The number at the start of a text, 0 when there is none. Blanks, tabs and
// line feeds are skipped wherever they stand; then come an optional sign,
// digits with at most one full stop, and an optional exponent (E or e). A text
// starting with &H or &O is a hexadecimal or octal integer. Reading stops at
// the first character that cannot continue the number. Never fails: a number
// too large for a double reads as an infinity.
double ReadNumber(std::string_view text);

} // namespace puzzle
