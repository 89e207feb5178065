// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "read_number.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <system_error>

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

// Sign of the decimal order of magnitude of digits.fraction x 10^exponent:
// true when the number is at least 1, so that an out-of-range conversion is an
// overflow rather than an underflow.
bool AtLeastOne(const std::string& whole, const std::string& fraction,
                const std::string& exponent) {
    long long order = 0;
    const auto firstWhole = whole.find_first_not_of('0');
    if (firstWhole != std::string::npos) {
        order = static_cast<long long>(whole.size() - firstWhole) - 1;
    } else {
        order = -static_cast<long long>(fraction.find_first_not_of('0')) - 1;
    }
    constexpr long long cap = 1'000'000'000'000LL;
    long long shift = 0;
    for (std::size_t k = exponent[0] == '-' || exponent[0] == '+' ? 1 : 0; k < exponent.size();
         ++k) {
        shift = std::min(cap, shift * 10 + (exponent[k] - '0'));
    }
    return order + (exponent[0] == '-' ? -shift : shift) >= 0;
}

// Reads a number written as "-12.5e3"; false when it lies beyond a double.
bool ParseDouble(const std::string& number, double& value) {
#ifdef __cpp_lib_to_chars
    // from_chars ignores the locale, where strtod would stop at the full stop
    // under a comma locale.
    return std::from_chars(number.data(), number.data() + number.size(), value).ec !=
           std::errc::result_out_of_range;
#else
    // A library without from_chars for double, as WebAssembly's, where the
    // only locale is "C".
    errno = 0;
    value = std::strtod(number.c_str(), nullptr);
    return errno != ERANGE;
#endif
}

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
    std::string exponent = "0";
    if (in.Take('E') || in.Take('e')) {
        std::string sign;
        if (in.Take('-')) {
            sign = "-";
        } else {
            in.Take('+');
        }
        const std::string digits = in.TakeDigits();
        if (!digits.empty()) {
            exponent = sign + digits;
        }
    }

    const std::string number = (negative ? "-" : "") + (whole.empty() ? "0" : whole) +
                               (fraction.empty() ? "" : "." + fraction) + "e" + exponent;
    double value = 0;
    if (!ParseDouble(number, value)) {
        value =
            AtLeastOne(whole, fraction, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
        return negative ? -value : value;
    }
    return value;
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
