// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle.h"

#include "read_number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace puzzle {

namespace {

// No check below can fail through the window. Where one does, the program
// stops: with the error made here, where the build has exceptions, or at
// once in the page's core, which is built without them.
template <typename MakeError> [[noreturn]] void Fail([[maybe_unused]] MakeError makeError) {
#ifdef __cpp_exceptions
    throw makeError();
#else
    std::abort();
#endif
}

// Halves to the even neighbour, as the default rounding mode does.
double RoundHalfEven(double x) { return std::nearbyint(x); }

std::int16_t CheckedInt16(double value) {
    if (!(value >= std::numeric_limits<std::int16_t>::min() &&
          value <= std::numeric_limits<std::int16_t>::max())) {
        Fail([] { return std::overflow_error("value does not fit 16 bits"); });
    }
    return static_cast<std::int16_t>(value);
}

// Unknown i lives in slot i - 1.
std::size_t SlotOf(int i) {
    if (i < 1 || i > static_cast<int>(SlotCount)) {
        Fail([i] { return std::out_of_range("no slot for unknown X" + std::to_string(i)); });
    }
    return static_cast<std::size_t>(i - 1);
}

// A plain decimal integer: a minus sign when negative, nothing else.
std::string Text(std::int16_t value) {
    std::array<char, 8> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    return {digits.data(), end};
}

} // namespace

std::vector<Pair> PairRows(double count) {
    std::vector<Pair> rows;
    for (int i = 1; i <= count; ++i) {
        for (int j = i + 1; j <= count; ++j) {
            rows.push_back({i, j});
        }
    }
    return rows;
}

std::string PairLabel(Pair pair) {
    const auto lastDigit = [](int n) { return static_cast<char>('0' + n % 10); };
    return std::string("X") + lastDigit(pair.i) + " + X" + lastDigit(pair.j) + " =";
}

std::int16_t DrawnValue(int i, float r) {
    const int digit = static_cast<int>(RoundHalfEven(static_cast<double>(r) * 10.0)) % 10;
    const int sign = i % 2 == 0 && digit % 2 == 0 ? -1 : 1;
    return static_cast<std::int16_t>(sign * digit);
}

int Puzzle::Count() const { return CheckedInt16(RoundHalfEven(unknownCount_)); }

void Puzzle::Draw(Uniform& uniform) {
    for (int i = 1; i <= unknownCount_; ++i) {
        unknownValues_[SlotOf(i)] = DrawnValue(i, uniform());
    }
}

std::int16_t Puzzle::Value(int i) const { return unknownValues_[SlotOf(i)]; }

std::string Puzzle::PairSumText(Pair pair) const {
    return Text(CheckedInt16(Value(pair.i) + Value(pair.j)));
}

std::string Puzzle::ValueText(int i) const { return Text(Value(i)); }

Verdict Puzzle::Judge(std::string_view answer, int i) const {
    return ReadNumber(answer) == static_cast<double>(Value(i)) ? Verdict::Right : Verdict::Wrong;
}

} // namespace puzzle
