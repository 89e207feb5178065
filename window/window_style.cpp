// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_style.h"

#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QStyleOption>

WindowStyle::WindowStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void WindowStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (!qobject_cast<const QPushButton*>(widget)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    if (element == PE_PanelButtonCommand) {
        const bool pressed = option->state & (State_Sunken | State_On);
        const QColor fill = option->palette.color(QPalette::Button);
        const int border = option->state & State_HasFocus ? 2 : 1;
        painter->save();
        painter->fillRect(option->rect, option->palette.color(QPalette::ButtonText));
        painter->fillRect(option->rect.adjusted(border, border, -border, -border),
                          pressed ? fill.darker(120) : fill);
        painter->restore();
    } else if (element != PE_FrameFocusRect && element != PE_FrameDefaultButton) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}
