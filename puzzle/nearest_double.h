// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace puzzle {

// The double nearest to the decimal 0.d1 d2 d3 ... x 10^point, where digits
// holds d1 d2 d3 ... as the characters '0' to '9'; a tie goes to the even
// neighbour, as every correctly rounding reader of decimals does. Past the
// largest double it is an infinity, below the least a zero, either with the
// sign given.
double NearestDouble(std::string_view digits, long long point, bool negative);

} // namespace puzzle
