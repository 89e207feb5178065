// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "design.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <string_view>

// The design's places, colours and texts in Qt's terms.
namespace design {

constexpr QRect Place(Twips t) {
    const Rect r = Pixels(t);
    return {r.left, r.top, r.width, r.height};
}

// The place of unknown k + 1's label or box.
constexpr QRect Place(Twips t, int k) {
    const Rect r = Pixels(t, k);
    return {r.left, r.top, r.width, r.height};
}

inline QColor Colour(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

inline QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace design
