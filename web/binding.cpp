// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the web page's procedures need of the puzzle, as plain C functions.
// Texts go out as UTF-8 in a buffer that the next call reuses; the page
// copies them at once.

#include "design.h"
#include "puzzle.h"
#include "read_number.h"
#include "uniform.h"

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

namespace {

struct State {
    puzzle::Puzzle puzzle;
    puzzle::ClockUniform uniform;
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

// A small JSON writer for the design table.
std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out + "\"";
}

std::string Json(design::Rect r) {
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
           std::to_string(r.width) + "," + std::to_string(r.height) + "]";
}

std::string Json(design::Rgb c) {
    return Quoted("rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
                  std::to_string(c.blue) + ")");
}

std::string Json(const char* text) { return Quoted(text); }
std::string Json(const std::string& text) { return Quoted(text); }
std::string Json(int n) { return std::to_string(n); }
std::string Json(design::Twips t) { return Json(design::Pixels(t)); }

template <typename T, std::size_t N> std::string Json(const std::array<T, N>& items) {
    std::string out = "[";
    for (const T& item : items) {
        out += (out.size() > 1 ? "," : "") + Json(item);
    }
    return out + "]";
}

std::string DesignJson() {
    std::array<design::Rect, design::UnknownSlots> label2{};
    std::array<design::Rect, design::UnknownSlots> text2{};
    std::array<std::string, design::UnknownSlots> label2Text{};
    for (int k = 0; k < design::UnknownSlots; ++k) {
        label2[k] = design::Pixels(design::Label2, k);
        text2[k] = design::Pixels(design::Text2, k);
        label2Text[k] = design::Label2Text(k);
    }
    std::string out;
    const auto field = [&out](const char* name, const auto& value) {
        out += (out.empty() ? "{" : ",") + Quoted(name) + ":" + Json(value);
    };
    field("Window", design::Window);
    field("Label1", design::Label1);
    field("List1", design::List1);
    field("Command1", design::Command1);
    field("Frame1", design::Frame1);
    field("Label2", label2);
    field("Text2", text2);
    field("Text1", design::Text1);
    field("ColourWindow", design::ColourWindow);
    field("ColourText", design::ColourText);
    field("ColourNeutral", design::ColourNeutral);
    field("ColourRight", design::ColourRight);
    field("ColourWrong", design::ColourWrong);
    field("ColourCommand1", design::ColourCommand1);
    field("FontFamily", design::FontFamily);
    field("FontPoints", design::FontPoints);
    field("Caption", design::Caption);
    field("Label1Text", design::Label1Text);
    field("List1Name", design::List1Name);
    field("Command1Text", design::Command1Text);
    field("Label2Text", label2Text);
    field("Text1Name", design::Text1Name);
    field("RightText", design::RightText);
    field("WrongText", design::WrongText);
    field("Counts", design::Counts);
    field("StartCountRow", design::StartCountRow);
    field("Placeholder", std::string(puzzle::Placeholder));
    field("Task", design::TaskText());
    return out + "}";
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* Design() { return Out(DesignJson()); }

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
