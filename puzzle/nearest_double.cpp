// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Decimal to binary by exact arithmetic on the decimal digits: the number is
// halved or doubled until it lies in [0.5, 1), and then its first 53 bits are
// read off and rounded. Eight hundred digits hold every digit that can decide
// the rounding of a double; beyond them only whether any was not zero counts.

#include "nearest_double.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>

namespace puzzle {

namespace {

constexpr int MaxDigits = 800;
// The most bits moved at once: ten times a remainder below 2^60 still fits 64 bits.
constexpr int MaxShift = 60;

class Decimal {
public:
    // 0.d1 d2 d3 ... x 10^point; digits has no leading zero.
    Decimal(std::string_view digits, long long point) : point_(point) {
        count_ = static_cast<int>(std::min<std::size_t>(digits.size(), MaxDigits));
        for (int k = 0; k < count_; ++k) {
            digits_[k] = static_cast<std::uint8_t>(digits[k] - '0');
        }
        truncated_ = digits.find_first_not_of('0', MaxDigits) != std::string_view::npos;
        Trim();
    }

    long long Point() const { return point_; }
    int Leading() const { return digits_[0]; }

    // Multiplies by 2^bits, or divides by 2^-bits.
    void Shift(int bits) {
        if (count_ == 0) {
            return;
        }
        for (int left = bits; left > 0; left -= MaxShift) {
            Double(std::min(left, MaxShift));
        }
        for (int left = -bits; left > 0; left -= MaxShift) {
            Halve(std::min(left, MaxShift));
        }
    }

    // The whole part, rounded half to even; a part of more than 20 digits
    // never comes up.
    std::uint64_t Rounded() const {
        std::uint64_t n = 0;
        for (long long k = 0; k < point_; ++k) {
            n = n * 10 + (k < count_ ? digits_[k] : 0);
        }
        if (point_ < 0 || point_ >= count_) {
            return n;
        }
        const int first = digits_[point_];
        const bool half = first == 5 && point_ + 1 == count_ && !truncated_;
        return half ? n + n % 2 : n + (first >= 5 ? 1 : 0);
    }

private:
    // Digits of the product from the last up, kept to the first MaxDigits.
    void Double(int bits) {
        std::array<std::uint8_t, MaxDigits + 20> product;
        int n = 0;
        std::uint64_t carry = 0;
        for (int k = count_ - 1; k >= 0 || carry > 0; --k) {
            carry += k >= 0 ? std::uint64_t{digits_[k]} << bits : 0;
            product[n++] = static_cast<std::uint8_t>(carry % 10);
            carry /= 10;
        }
        point_ += n - count_;
        count_ = std::min(n, MaxDigits);
        for (int k = 0; k < count_; ++k) {
            digits_[k] = product[n - 1 - k];
        }
        truncated_ = truncated_ || std::any_of(product.begin(), product.begin() + (n - count_),
                                               [](std::uint8_t d) { return d != 0; });
        Trim();
    }

    // Long division, digit by digit from the first.
    void Halve(int bits) {
        const std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
        std::uint64_t remainder = 0;
        int read = 0;
        // Enough leading digits for the first digit of the quotient.
        while (remainder >> bits == 0) {
            remainder = remainder * 10 + (read < count_ ? digits_[read] : 0);
            ++read;
        }
        point_ -= read - 1;
        int write = 0;
        for (; read < count_; ++read) {
            digits_[write++] = static_cast<std::uint8_t>(remainder >> bits);
            remainder = (remainder & mask) * 10 + digits_[read];
        }
        for (; remainder > 0; remainder = (remainder & mask) * 10) {
            if (write < MaxDigits) {
                digits_[write++] = static_cast<std::uint8_t>(remainder >> bits);
            } else if (remainder >> bits != 0) {
                truncated_ = true;
            }
        }
        count_ = write;
        Trim();
    }

    void Trim() {
        while (count_ > 0 && digits_[count_ - 1] == 0) {
            --count_;
        }
    }

    std::array<std::uint8_t, MaxDigits> digits_{};
    int count_ = 0;
    long long point_ = 0;
    bool truncated_ = false;
};

// Bits to move for a decimal point this far from where it should be: as
// many as never carry the number past [0.5, 1), since 2^60 < 10^18.
int Step(long long point) {
    constexpr std::array<int, 9> steps{1, 3, 6, 9, 13, 16, 19, 23, 26};
    if (point >= 19) {
        return MaxShift;
    }
    return point < static_cast<long long>(steps.size()) ? steps[point] : 27;
}

constexpr int MantissaBits = 52;
constexpr int Bias = 1023;
constexpr int InfiniteExponent = 0x7FF;

double Assembled(bool negative, std::uint64_t mantissa, int biasedExponent) {
    const std::uint64_t bits = (negative ? std::uint64_t{1} << 63 : 0) |
                               std::uint64_t(biasedExponent) << MantissaBits |
                               (mantissa & ((std::uint64_t{1} << MantissaBits) - 1));
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

double NearestDouble(std::string_view digits, long long point, bool negative) {
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string_view::npos) {
        return Assembled(negative, 0, 0);
    }
    digits.remove_prefix(first);
    point -= static_cast<long long>(first);
    // Far beyond the largest double, or below half the least.
    if (point > 310) {
        return Assembled(negative, 0, InfiniteExponent);
    }
    if (point < -330) {
        return Assembled(negative, 0, 0);
    }

    Decimal d(digits, point);
    // Into [0.5, 1): the number is d x 2^exponent.
    int exponent = 0;
    while (d.Point() > 0) {
        const int bits = Step(d.Point());
        d.Shift(-bits);
        exponent += bits;
    }
    while (d.Point() < 0 || (d.Point() == 0 && d.Leading() < 5)) {
        const int bits = Step(-d.Point());
        d.Shift(bits);
        exponent -= bits;
    }
    // A double's mantissa is in [1, 2), and its exponent at least 1 - Bias;
    // below that it is subnormal, with fewer bits.
    --exponent;
    if (exponent < 1 - Bias) {
        d.Shift(exponent - (1 - Bias));
        exponent = 1 - Bias;
    }
    d.Shift(MantissaBits + 1);
    std::uint64_t mantissa = d.Rounded();
    if (mantissa == std::uint64_t{2} << MantissaBits) {
        mantissa >>= 1;
        ++exponent;
    }
    if (exponent + Bias >= InfiniteExponent) {
        return Assembled(negative, 0, InfiniteExponent);
    }
    const bool subnormal = (mantissa >> MantissaBits) == 0;
    return Assembled(negative, mantissa, subnormal ? 0 : exponent + Bias);
}

} // namespace puzzle
