// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "application.h"
#include "main_form.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <vector>

// The window's colours, as a test expects to read them back.
constexpr QRgb Background = qRgb(192, 192, 255);
constexpr QRgb Neutral = qRgb(255, 192, 128);
constexpr QRgb Right = qRgb(0, 255, 0);
constexpr QRgb Wrong = qRgb(255, 0, 255);

// "#rrggbb", so that a failed comparison reads well.
inline QString Hex(QRgb colour) { return QColor(colour).name(); }

// Drives a MainForm through its controls, found by their object names, as a
// user would, and reads back what the window shows.
class FormDriver {
public:
    // Draws cycle through the given values, so that every puzzle is known: by
    // default (8, 3, 2, -2, 6) at start-up, then (1, 9, 4, 5, 0), and so on.
    explicit FormDriver(std::vector<float> draws = {0.8f, 0.3f, 0.2f, 0.2f, 0.6f, 0.1f, 0.9f, 0.4f,
                                                    0.5f, 0.0f})
        : form(Cycle(std::move(draws))) {}

    template <typename T = QWidget> T* Control(const QString& name) const {
        T* control = name == form.objectName() ? qobject_cast<T*>(&form) : form.findChild<T*>(name);
        if (!control) {
            qFatal("no control %s", qPrintable(name));
        }
        return control;
    }

    QListWidget* List(int index) const { return Control<QListWidget>(Indexed("List1", index)); }
    QPushButton* Button(int index) const {
        return Control<QPushButton>(Indexed("Command1", index));
    }
    QLabel* Label(int k) const { return Control<QLabel>(Indexed("Label2", k)); }
    QLineEdit* Box(int k) const { return Control<QLineEdit>(Indexed("Text2", k)); }

    // What the pointer resting on answer box k shows.
    QString ToolTip(int k) const {
        const QPoint centre = Box(k)->rect().center();
        QHelpEvent hover(QEvent::ToolTip, centre, Box(k)->mapToGlobal(centre));
        QCoreApplication::sendEvent(Box(k), &hover);
        return QToolTip::text();
    }

    void Press(int button) const { QTest::mouseClick(Button(button), Qt::LeftButton); }

    void Type(int k, const QString& text) const {
        Box(k)->selectAll();
        QTest::keyClick(Box(k), Qt::Key_Backspace);
        for (const QChar c : text) {
            // QTest::keyClick knows printable ASCII keys only; others go as text.
            if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
                QTest::keyClick(Box(k), c.toLatin1());
            } else {
                QTest::sendKeyEvent(QTest::Click, Box(k), Qt::Key_unknown, QString(c), {});
            }
        }
    }

    // Clicks a row of a list through its viewport, scrolling to it first.
    void ClickRow(int list, int row) const {
        QListWidget* l = List(list);
        l->scrollToItem(l->item(row));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }

    // The colour the label is painted in, read off a rendering inside its border.
    QRgb Colour(QWidget* widget) const { return widget->grab().toImage().pixel(3, 3); }

    QStringList Rows(int list) const {
        QStringList rows;
        for (int r = 0; r < List(list)->count(); ++r) {
            rows << List(list)->item(r)->text();
        }
        return rows;
    }

    int SelectedRow(int list) const {
        const auto selected = List(list)->selectedItems();
        return selected.isEmpty() ? -1 : List(list)->row(selected.first());
    }

    // Lists, selections, answers, tool tips and visibility: everything a user
    // sees of the board but the labels' colours.
    QStringList Board() const {
        QStringList board;
        board << Rows(0) << Rows(1) << QString::number(SelectedRow(0))
              << QString::number(SelectedRow(1)) << QString::number(SelectedRow(2));
        for (int k = 0; k < 9; ++k) {
            board << Box(k)->text() << ToolTip(k) << QString::number(Label(k)->isVisibleTo(&form));
        }
        return board;
    }

    int VisibleUnknowns() const {
        int visible = 0;
        for (int k = 0; k < 9; ++k) {
            visible += Label(k)->isVisibleTo(&form) && Box(k)->isVisibleTo(&form) ? 1 : 0;
        }
        return visible;
    }

    // The hidden values, as the answer boxes' tool tips show them.
    QList<int> ShownValues() const {
        QList<int> values;
        for (int k = 0; k < VisibleUnknowns(); ++k) {
            values << ToolTip(k).toInt();
        }
        return values;
    }

    // What the sums list must show for the given values, in pair order.
    static QStringList SumsOf(const QList<int>& values) {
        QStringList sums;
        for (qsizetype i = 0; i < values.size(); ++i) {
            for (qsizetype j = i + 1; j < values.size(); ++j) {
                sums << QString::number(values[i] + values[j]);
            }
        }
        return sums;
    }

    static QString Indexed(const char* array, int index) {
        return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
    }

    mutable MainForm form;

private:
    // The position lives in the source itself, so that a draw from a copy
    // would repeat the last puzzle and show.
    static puzzle::Uniform Cycle(std::vector<float> draws) {
        return [draws = std::move(draws), next = std::size_t{0}]() mutable {
            return draws[next++ % draws.size()];
        };
    }
};

// A test's main, with the application prepared as the program prepares its own.
#define WINDOW_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char* argv[]) {                                                             \
        QApplication application(argc, argv);                                                      \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        PrepareApplication(application);                                                           \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
