// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Differential fuzzing of ReadNumber and the verdict. With the blanks removed,
// a decimal text must read as std::strtod reads it, an &H or &O text as
// std::strtoll reads its digits; an answer is right exactly when it reads as
// the hidden value, so never when it reads as an infinity.

#include "puzzle.h"
#include "read_number.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text, double got, double expected) {
    std::fprintf(stderr, "%s: \"%s\" read as %.17g, expected %.17g\n", what, text.c_str(), got,
                 expected);
    std::abort();
}

bool IsOneOf(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// Every value a draw can hide, at an odd and at an even position.
const std::vector<puzzle::Puzzle>& EveryHiddenValue() {
    static const std::vector<puzzle::Puzzle> puzzles = [] {
        std::vector<puzzle::Puzzle> all;
        for (int digit = 0; digit <= 9; ++digit) {
            puzzle::Puzzle p;
            p.SetCount(2);
            const float r = static_cast<float>(digit) / 10.0f;
            puzzle::Uniform constant = [r] { return r; };
            p.Draw(constant);
            all.push_back(p);
        }
        return all;
    }();
    return puzzles;
}

void CheckAgainstStrtod(const std::string& stripped, double value) {
    // strtod also reads infinities, NaNs, hexadecimal floats and leading white
    // space of other kinds, none of which ReadNumber accepts.
    std::size_t start = IsOneOf(stripped[0], "+-") ? 1 : 0;
    const char first = stripped[start];
    if (IsOneOf(first, "iInN") || std::isspace(static_cast<unsigned char>(stripped[0])) ||
        (first == '0' && IsOneOf(stripped[start + 1], "xX"))) {
        return;
    }
    const double expected = std::strtod(stripped.c_str(), nullptr);
    if (!(value == expected)) {
        Fail("decimal", stripped, value, expected);
    }
}

void CheckAgainstStrtoll(const std::string& stripped, double value) {
    const char kind = stripped.size() > 1 ? stripped[1] : '\0';
    const int base = IsOneOf(kind, "hH") ? 16 : IsOneOf(kind, "oO") ? 8 : 0;
    if (base == 0) {
        if (value != 0) {
            Fail("& without H or O", stripped, value, 0);
        }
        return;
    }
    std::string digits;
    for (std::size_t k = 2; k < stripped.size(); ++k) {
        const char c = stripped[k];
        const bool digit =
            base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0 : (c >= '0' && c <= '7');
        if (!digit) {
            break;
        }
        digits += c;
    }
    if (digits.empty()) {
        if (value != 0) {
            Fail("& without digits", stripped, value, 0);
        }
        return;
    }
    errno = 0;
    const long long expected = std::strtoll(digits.c_str(), nullptr, base);
    if (errno == 0 && value != static_cast<double>(expected)) {
        Fail("&H or &O", stripped, value, static_cast<double>(expected));
    }
    if (errno == ERANGE && !(value > 9.2e18)) {
        Fail("&H or &O beyond 63 bits", stripped, value, static_cast<double>(expected));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double value = puzzle::ReadNumber(text);
    if (std::isnan(value)) {
        Fail("NaN", std::string(text), value, 0);
    }

    // Reading stops at a NUL, and the blanks it skips may as well be gone.
    std::string stripped;
    for (const char c : text.substr(0, text.find('\0'))) {
        if (!IsOneOf(c, " \t\n")) {
            stripped += c;
        }
    }
    if (!stripped.empty() && stripped[0] == '&') {
        CheckAgainstStrtoll(stripped, value);
    } else {
        CheckAgainstStrtod(stripped, value);
    }

    for (const puzzle::Puzzle& p : EveryHiddenValue()) {
        for (int i = 1; i <= 2; ++i) {
            const bool right = p.Judge(text, i) == puzzle::Verdict::Right;
            if (right != (value == p.Value(i)) || (right && !std::isfinite(value))) {
                Fail("verdict", std::string(text), value, p.Value(i));
            }
        }
    }
    return 0;
}
