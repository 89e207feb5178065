// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answer_box.h"

#include <QHelpEvent>
#include <QToolTip>

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {}

bool AnswerBox::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTip_, this);
        return true;
    }
    return QLineEdit::event(event);
}
