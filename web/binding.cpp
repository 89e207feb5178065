// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the web page's procedures need of the puzzle, as plain C functions.
// Texts go out as UTF-8 in a buffer that the next call reuses; the page
// copies them at once.

#include "puzzle.h"
#include "read_number.h"
#include "uniform.h"

#include <emscripten/emscripten.h>

#include <string>

namespace {

struct State {
    puzzle::Puzzle puzzle;
    puzzle::Uniform uniform = puzzle::ClockUniform();
    std::string text;
};

State& The() {
    static State state;
    return state;
}

const char* Out(std::string text) {
    The().text = std::move(text);
    return The().text.c_str();
}

puzzle::Pair Row(int k) { return puzzle::PairRows(The().puzzle.UnknownCount()).at(k); }

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE double ReadNumber(const char* text) { return puzzle::ReadNumber(text); }

EMSCRIPTEN_KEEPALIVE void SetCount(double count) { The().puzzle.SetCount(count); }

// The count as a whole number, for the loops over the unknowns.
EMSCRIPTEN_KEEPALIVE int Count() { return The().puzzle.Count(); }

EMSCRIPTEN_KEEPALIVE void Draw() { The().puzzle.Draw(The().uniform); }

EMSCRIPTEN_KEEPALIVE int PairRowCount() {
    return static_cast<int>(puzzle::PairRows(The().puzzle.UnknownCount()).size());
}

EMSCRIPTEN_KEEPALIVE const char* PairLabel(int k) { return Out(puzzle::PairLabel(Row(k))); }

EMSCRIPTEN_KEEPALIVE const char* PairSumText(int k) {
    return Out(The().puzzle.PairSumText(Row(k)));
}

EMSCRIPTEN_KEEPALIVE const char* ValueText(int i) { return Out(The().puzzle.ValueText(i)); }

// 1 when the answer is right for unknown i, 0 when it is wrong.
EMSCRIPTEN_KEEPALIVE int Judge(const char* answer, int i) {
    return The().puzzle.Judge(answer, i) == puzzle::Verdict::Right ? 1 : 0;
}

} // extern "C"
