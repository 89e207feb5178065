// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the number each file's text reads as, by its bits in hexadecimal,
// one file a line, for comparing readers built for different platforms.

#include "read_number.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    for (int k = 1; k < argc; ++k) {
        std::ifstream file(argv[k], std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file), {}};
        const double value = puzzle::ReadNumber(text);
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        std::printf("%016llx\n", static_cast<unsigned long long>(bits));
    }
    return 0;
}
