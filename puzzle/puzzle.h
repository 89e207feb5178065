// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace puzzle {

// Shown wherever a sum or a value is to stay hidden.
inline constexpr std::string_view Placeholder = "?";

inline constexpr std::size_t SlotCount = 26;

enum class Verdict { Right, Wrong };

// Two unknowns by their 1-based numbers, i < j.
struct Pair {
    int i = 0;
    int j = 0;
    friend bool operator==(const Pair&, const Pair&) = default;
};

// Every pair (i, j) with 1 <= i < j <= count, i ascending outside, j ascending inside.
std::vector<Pair> PairRows(double count);

// "Xi + Xj =", each index written as its last decimal digit.
std::string PairLabel(Pair pair);

// Maps one uniform value r in [0, 1) to the value of unknown i: the digit
// nearest to r * 10 (halves to even, 10 wraps to 0), negated when both the
// index and the digit are even.
std::int16_t DrawnValue(int i, float r);

// A source of uniform values in [0, 1). Whoever draws from one holds it and
// hands it to Draw by reference, so that every draw advances the same source.
using Uniform = std::function<float()>;

class Puzzle {
public:
    void SetCount(double count) { unknownCount_ = count; }
    double UnknownCount() const { return unknownCount_; }

    // The count as a whole number, rounded half to even.
    int Count() const;

    // Draws X1..XN from the source, one value each, in ascending order, and
    // leaves the source advanced past them; slots at N and above keep what
    // they hold. Only a Uniform the caller holds binds here: a generator of
    // another type, a temporary or a const source would be a copy, and the
    // next draw would repeat this one.
    void Draw(Uniform& uniform);

    // Value of unknown i (1-based); throws std::out_of_range outside the slots.
    std::int16_t Value(int i) const;

    std::string PairSumText(Pair pair) const;
    std::string ValueText(int i) const;
    Verdict Judge(std::string_view answer, int i) const;

private:
    double unknownCount_ = 0;
    std::array<std::int16_t, SlotCount> unknownValues_{};
};

} // namespace puzzle
