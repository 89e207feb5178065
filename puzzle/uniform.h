// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <random>

namespace puzzle {

// The top 24 bits of a word as a float in [0, 1); the largest word gives
// 1 - 2^-24, never 1.
float UniformFromBits(std::uint32_t bits);

// Uniform single-precision values in [0, 1) from a generator seeded with the clock.
class ClockUniform {
public:
    ClockUniform();
    float operator()() { return UniformFromBits(static_cast<std::uint32_t>(engine_())); }

private:
    std::mt19937 engine_;
};

} // namespace puzzle
