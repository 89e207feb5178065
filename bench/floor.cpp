// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for the start-up benchmark: the program's window with the same
// widgets, texts and font, as plain Qt draws them: no style of the program's,
// no fills, no icon, no translations and no logic. What it costs to open is
// what Qt itself costs for this window.

#include "design_qt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setFont(QFont(QString::fromUtf8(design::FontFamily), design::FontPoints));
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(design::Caption));
    window.setFixedSize(design::Place(design::Window).size());

    for (std::size_t k = 0; k < design::Label1.size(); ++k) {
        auto* label = new QLabel(QString::fromUtf8(design::Label1Text[k]), &window);
        label->setGeometry(design::Place(design::Label1[k]));
    }
    // Five unknowns' equations and sums, and the counts.
    std::array<QListWidget*, 3> lists{};
    for (std::size_t x = 0; x < lists.size(); ++x) {
        lists[x] = new QListWidget(&window);
        lists[x]->setGeometry(design::Place(design::List1[x]));
    }
    for (int i = 1; i <= 5; ++i) {
        for (int j = i + 1; j <= 5; ++j) {
            lists[0]->addItem(QStringLiteral("X%1 + X%2 =").arg(i).arg(j));
            lists[1]->addItem(QString::number(i * 3 - j));
        }
    }
    for (const char* count : design::Counts) {
        lists[2]->addItem(QString::fromUtf8(count));
    }
    lists[0]->setCurrentRow(0);
    lists[1]->setCurrentRow(0);
    lists[2]->setCurrentRow(2);
    for (std::size_t b = 0; b < design::Command1.size(); ++b) {
        auto* button = new QPushButton(QString::fromUtf8(design::Command1Text[b]), &window);
        button->setGeometry(design::Place(design::Command1[b]));
    }
    auto* frame = new QWidget(&window);
    frame->setGeometry(design::Place(design::Frame1));
    for (int k = 0; k < 9; ++k) {
        auto* label = new QLabel(QStringLiteral("X%1").arg(k + 1), frame);
        label->setGeometry(design::Place(design::Label2, k));
        auto* box = new QLineEdit(frame);
        box->setGeometry(design::Place(design::Text2, k));
        label->setVisible(k < 5);
        box->setVisible(k < 5);
    }
    auto* text = new QPlainTextEdit(design::Text(design::TaskText()), &window);
    text->setGeometry(design::Place(design::Text1));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    window.show();
    return application.exec();
}
