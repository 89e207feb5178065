// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: a window of the program's size,
// caption and font, with the same widgets holding the same texts, and no logic.
// What it costs to open is what Qt itself costs.

#include "design.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QString::fromUtf8(design::Caption));
    window.setFont(QFont(QString::fromUtf8(design::FontFamily), design::FontPoints));
    window.setFixedSize(design::Pixels(design::Window).size());

    for (std::size_t k = 0; k < design::Label1.size(); ++k) {
        auto* label = new QLabel(QString::fromUtf8(design::Label1Text[k]), &window);
        label->setGeometry(design::Pixels(design::Label1[k]));
    }
    for (std::size_t x = 0; x < design::List1.size(); ++x) {
        auto* list = new QListWidget(&window);
        list->setGeometry(design::Pixels(design::List1[x]));
        for (int row = 0; row < (x == 2 ? 7 : 10); ++row) {
            list->addItem(QStringLiteral("X1 + X2 ="));
        }
    }
    for (std::size_t b = 0; b < design::Command1.size(); ++b) {
        auto* button = new QPushButton(QString::fromUtf8(design::Command1Text[b]), &window);
        button->setGeometry(design::Pixels(design::Command1[b]));
    }
    auto* frame = new QFrame(&window);
    frame->setGeometry(design::Pixels(design::Frame1));
    for (int k = 0; k < 9; ++k) {
        auto* label = new QLabel(QStringLiteral("X%1").arg(k + 1), frame);
        label->setGeometry(design::Pixels(design::Label2, k));
        auto* box = new QLineEdit(frame);
        box->setGeometry(design::Pixels(design::Text2, k));
    }
    auto* text = new QPlainTextEdit(design::TaskText(), &window);
    text->setGeometry(design::Pixels(design::Text1));

    window.show();
    return application.exec();
}
