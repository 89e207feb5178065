// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_number.h"

#include "nearest_double.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

namespace puzzle {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int DigitValue(char c, int base) {
    int value = base; // not a digit
    if (IsDigit(c)) {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// Walks a text left to right, passing over blanks, tabs and line feeds.
class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    // The next character that is not skipped, '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void Advance() { ++pos_; }

    bool Take(char c) {
        const bool match = Peek() == c;
        if (match) {
            Advance();
        }
        return match;
    }

    std::string TakeDigits() {
        std::string digits;
        while (IsDigit(Peek())) {
            digits += text_[pos_++];
        }
        return digits;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// An integer after &H or &O. Exact while it fits 63 bits, then approximate,
// growing to infinity rather than wrapping.
double ReadRadix(Reader& in, int base) {
    constexpr auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    std::uint64_t exact = 0;
    double approximate = 0;
    bool fits = true;
    for (int digit; (digit = DigitValue(in.Peek(), base)) >= 0; in.Advance()) {
        const auto d = static_cast<std::uint64_t>(digit);
        if (fits && exact <= (limit - d) / static_cast<std::uint64_t>(base)) {
            exact = exact * static_cast<std::uint64_t>(base) + d;
            continue;
        }
        if (fits) {
            approximate = static_cast<double>(exact);
            fits = false;
        }
        approximate = approximate * base + digit;
    }
    return fits ? static_cast<double>(exact) : approximate;
}

// Exponents beyond this read as an infinity or a zero whatever the digits
// before them, and still leave room to add their count.
constexpr long long ExponentCap = 1'000'000'000'000LL;

double ReadDecimal(Reader& in) {
    const bool negative = in.Take('-');
    if (!negative) {
        in.Take('+');
    }
    const std::string whole = in.TakeDigits();
    const std::string fraction = in.Take('.') ? in.TakeDigits() : std::string();
    if (whole.empty() && fraction.empty()) {
        return 0;
    }
    long long exponent = 0;
    if (in.Take('E') || in.Take('e')) {
        const bool down = in.Take('-');
        if (!down) {
            in.Take('+');
        }
        for (const char c : in.TakeDigits()) {
            exponent = std::min(ExponentCap, exponent * 10 + (c - '0'));
        }
        exponent = down ? -exponent : exponent;
    }
    return NearestDouble(whole + fraction, static_cast<long long>(whole.size()) + exponent,
                         negative);
}

} // namespace

double ReadNumber(std::string_view text) {
    Reader in(text);
    if (in.Take('&')) {
        if (in.Take('H') || in.Take('h')) {
            return ReadRadix(in, 16);
        }
        if (in.Take('O') || in.Take('o')) {
            return ReadRadix(in, 8);
        }
        return 0;
    }
    return ReadDecimal(in);
}

} // namespace puzzle
