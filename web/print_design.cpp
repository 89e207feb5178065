// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the design table as JSON, from which the build writes the page's
// window and what the page's script reads.

#include "design.h"
#include "puzzle.h"
#include "read_number.h"

#include <concepts>
#include <cstdio>
#include <ranges>
#include <string>
#include <string_view>
#include <vector>

namespace {

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

// A list of any of the above; a string is one text, not a list.
template <std::ranges::range Items>
    requires(!std::convertible_to<Items, std::string_view>)
std::string Json(const Items& items) {
    std::string out = "[";
    for (const auto& item : items) {
        out += (out.size() > 1 ? "," : "") + Json(item);
    }
    return out + "]";
}

std::string DesignJson() {
    // The equations for the count chosen at start, which the page shows
    // before its core has come.
    std::vector<std::string> startPairs;
    for (const puzzle::Pair pair :
         puzzle::PairRows(puzzle::ReadNumber(design::Counts[design::StartCountRow]))) {
        startPairs.push_back(puzzle::PairLabel(pair));
    }
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
    field("ColourSelection", design::ColourSelection);
    field("ColourSelectionText", design::ColourSelectionText);
    field("ForcedSelection", design::ForcedSelection);
    field("ForcedSelectionText", design::ForcedSelectionText);
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
    field("StartPairs", startPairs);
    field("Status", design::Status);
    field("RetryText", design::RetryText);
    field("SlowText", design::SlowText);
    field("OfflineText", design::OfflineText);
    field("NotFoundText", design::NotFoundText);
    field("ServerErrorText", design::ServerErrorText);
    field("PatienceSeconds", design::PatienceSeconds);
    field("TimeoutText", design::TimeoutText);
    field("WrongTypeText", design::WrongTypeText);
    field("BrokenText", design::BrokenText);
    field("PageLostText", design::PageLostText);
    field("NoScriptText", design::NoScriptText);
    field("TooOldText", design::TooOldText);
    return out + "}";
}

} // namespace

int main() { return std::puts(DesignJson().c_str()) < 0 ? 1 : 0; }
