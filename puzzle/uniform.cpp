// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "uniform.h"

#include <chrono>

namespace puzzle {

float UniformFromBits(std::uint32_t bits) {
    constexpr float step = 1.0f / (1u << 24);
    return static_cast<float>(bits >> 8) * step;
}

ClockUniform::ClockUniform()
    : engine_(static_cast<std::mt19937::result_type>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

} // namespace puzzle
