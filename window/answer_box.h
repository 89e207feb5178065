// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>

// An answer box whose tool tip only the pointer shows. Qt would report a tool
// tip as the box's accessible description too, and a screen reader would then
// speak the hidden value whenever the box takes the focus.
class AnswerBox : public QLineEdit {
    Q_OBJECT

public:
    explicit AnswerBox(QWidget* parent);

    void SetToolTip(const QString& text) { toolTip_ = text; }

protected:
    bool event(QEvent* event) override;

private:
    QString toolTip_;
};
