// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "design.h"
#include "list_box.h"
#include "puzzle.h"
#include "uniform.h"

#include <QWidget>

#include <array>

class AnswerBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The program's one window: the pair equations beside their sums, a choice of
// the number of unknowns, an answer box for each, and three buttons.
class MainForm : public QWidget {
    Q_OBJECT

public:
    explicit MainForm(puzzle::Uniform uniform = puzzle::ClockUniform(), QWidget* parent = nullptr);

    // Click handlers of the control arrays, given the member's index.
    void Command1Click(int index);
    void List1Click(int index);

private:
    void CreateControls();
    void SetTabOrder();
    void Load();

    void LayoutUnknowns();
    void ClearAnswers();
    void NewValues();
    void CheckAnswers();

    std::array<ListBox*, 3> List1{};
    std::array<QPushButton*, 3> Command1{};
    std::array<QLabel*, design::UnknownSlots> Label2{};
    std::array<AnswerBox*, design::UnknownSlots> Text2{};
    QWidget* Frame1 = nullptr;
    std::array<QLabel*, 2> Label1{};
    std::array<QPlainTextEdit*, 1> Text1{};

    puzzle::Puzzle puzzle_;
    puzzle::Uniform uniform_;
};
