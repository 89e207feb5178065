// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

// Fusion, the same on every platform, with the window's own push buttons: a
// flat fill in the button's palette colour, a black border that thickens when
// the button has the focus, and a darker shade while it is pressed.
class WindowStyle : public QProxyStyle {
public:
    WindowStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
