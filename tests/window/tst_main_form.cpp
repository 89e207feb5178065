// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_driver.h"

#include <QApplication>
#include <QScopeGuard>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

const QStringList FiveLabels{"X1 + X2 =", "X1 + X3 =", "X1 + X4 =", "X1 + X5 =", "X2 + X3 =",
                             "X2 + X4 =", "X2 + X5 =", "X3 + X4 =", "X3 + X5 =", "X4 + X5 ="};
const QStringList WorkedSums{"11", "10", "6", "14", "5", "1", "9", "0", "8", "4"};

// Everything a user can see of the board, to tell whether anything changed.
QStringList Board(const FormDriver& f) {
    QStringList board = f.Board();
    for (int k = 0; k < 9; ++k) {
        board << Hex(f.Colour(f.Label(k)));
    }
    return board;
}

// The contrast ratio of two colours, as the Web Content Accessibility
// Guidelines define it: 1 for equal colours, 21 for black on white.
double Contrast(QRgb a, QRgb b) {
    const auto luminance = [](QRgb c) {
        const auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// The colours of a dark desktop theme.
QPalette DarkPalette() {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2d, 0x2d, 0x2d));
    for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
        dark.setColor(role, Qt::white);
    }
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    return dark;
}

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

private slots:
    void startUp();
    void geometry_data();
    void geometry();
    void countListShowsWholeRows();
    void colours_data();
    void colours();
    void captions_data();
    void captions();
    void selectedRowsCanBeRead_data();
    void selectedRowsCanBeRead();
    void taskStatement();
    void tabOrder();
    void clear();
    void newValues();
    void newValuesKeepsTheCheck();
    void otherButtonIndexChangesNothing_data();
    void otherButtonIndexChangesNothing();
};

void TestMainForm::startUp() {
    const FormDriver f;
    QCOMPARE(f.Rows(2), QStringList({"3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(f.SelectedRow(2), 2);
    QCOMPARE(f.VisibleUnknowns(), 5);
    for (int k = 5; k < 9; ++k) {
        QVERIFY(!f.Label(k)->isVisibleTo(&f.form));
        QVERIFY(!f.Box(k)->isVisibleTo(&f.form));
    }
    QCOMPARE(f.Rows(0), FiveLabels);
    QCOMPARE(f.ShownValues(), QList<int>({8, 3, 2, -2, 6}));
    QCOMPARE(f.Rows(1), WorkedSums);
    QCOMPARE(f.SelectedRow(0), 0);
    QCOMPARE(f.SelectedRow(1), 0);
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(Neutral));
        QCOMPARE(f.Box(k)->text(), QString());
    }
    QCOMPARE(f.form.focusWidget(), f.Control("Text1_0"));
}

void TestMainForm::geometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    // on the window
    QTest::newRow("Label1_0") << "Label1_0" << QRect(1080, 0, 5535, 375);
    QTest::newRow("List1_0") << "List1_0" << QRect(360, 720, 1455, 2880);
    QTest::newRow("List1_1") << "List1_1" << QRect(1800, 720, 735, 2880);
    QTest::newRow("Label1_1") << "Label1_1" << QRect(2880, 600, 855, 375);
    QTest::newRow("Command1_0") << "Command1_0" << QRect(5760, 840, 1455, 375);
    QTest::newRow("Command1_1") << "Command1_1" << QRect(3960, 1440, 1455, 375);
    QTest::newRow("Command1_2") << "Command1_2" << QRect(5760, 1920, 1455, 375);
    QTest::newRow("Frame1") << "Frame1" << QRect(2880, 2640, 4335, 975);
    QTest::newRow("Text1_0") << "Text1_0" << QRect(120, 3720, 7335, 2535);
    // inside Frame1, 480 twips apart
    for (int k = 0; k < 9; ++k) {
        QTest::addRow("Label2_%d", k)
            << FormDriver::Indexed("Label2", k) << QRect(480 * k, 0, 495, 495);
        QTest::addRow("Text2_%d", k)
            << FormDriver::Indexed("Text2", k) << QRect(480 * k, 480, 495, 495);
    }
}

void TestMainForm::geometry() {
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    const FormDriver f;
    const QRect pixels(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
    QCOMPARE(f.Control(name)->geometry(), pixels);
}

// In its designed place, 855 by 1455 twips, as many whole rows as fit.
void TestMainForm::countListShowsWholeRows() {
    FormDriver f;
    f.form.show();
    const QListWidget* list = f.List(2);
    QCOMPARE(list->geometry().topLeft(), QPoint(2880 / 15, 960 / 15));
    QCOMPARE(list->width(), 855 / 15);
    const QRect inside = list->viewport()->rect();
    int whole = 0;
    for (int row = 0; row < list->count(); ++row) {
        const QRect shown = list->visualItemRect(list->item(row)).intersected(inside);
        QVERIFY2(shown.isEmpty() ||
                     shown.height() == list->visualItemRect(list->item(row)).height(),
                 qPrintable(QStringLiteral("row %1 is cut").arg(row)));
        whole += shown.isEmpty() ? 0 : 1;
    }
    const int rowHeight = list->visualItemRect(list->item(0)).height();
    QVERIFY(list->height() <= 1455 / 15);
    QVERIFY2(list->height() + rowHeight > 1455 / 15, "one more row would fit");
    QCOMPARE(whole, (list->height() - 2 * list->frameWidth()) / rowHeight);
}

void TestMainForm::colours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");

    // window and frame, where no control covers them
    QTest::newRow("MainForm") << "MainForm" << QPoint(3, 100) << Background;
    QTest::newRow("Frame1") << "Frame1" << QPoint(280, 60) << Background;
    // labels, inside the border of those that have one
    QTest::newRow("Label1_0") << "Label1_0" << QPoint(3, 3) << Neutral;
    QTest::newRow("Label1_1") << "Label1_1" << QPoint(3, 3) << Neutral;
    for (int k = 0; k < 9; ++k) {
        QTest::addRow("Label2_%d", k)
            << FormDriver::Indexed("Label2", k) << QPoint(3, 3) << Neutral;
    }
    // buttons are a flat fill of their own colour
    QTest::newRow("Command1_0") << "Command1_0" << QPoint(5, 12) << qRgb(255, 128, 255);
    QTest::newRow("Command1_1") << "Command1_1" << QPoint(5, 12) << qRgb(128, 255, 255);
    QTest::newRow("Command1_2") << "Command1_2" << QPoint(5, 12) << qRgb(128, 255, 128);
    QTest::newRow("Command1_2 far corner") << "Command1_2" << QPoint(90, 20) << qRgb(128, 255, 128);
}

void TestMainForm::colours() {
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);

    const FormDriver f;
    QCOMPARE(Hex(f.Control(name)->grab().toImage().pixel(at)), Hex(colour));
}

void TestMainForm::captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");

    QTest::newRow("title") << "Label1_0"
                           << "Зарвоника";
    QTest::newRow("count caption") << "Label1_1"
                                   << "Брой";
    QTest::newRow("clear") << "Command1_0"
                           << "Чисти";
    QTest::newRow("new values") << "Command1_1"
                                << "Случайни";
    QTest::newRow("check") << "Command1_2"
                           << "Провери";
    for (int k = 0; k < 9; ++k) {
        QTest::addRow("Label2_%d", k)
            << FormDriver::Indexed("Label2", k) << QStringLiteral("X%1").arg(k + 1);
    }
}

// Read on a dark desktop: the text keeps to black on the designed fill.
void TestMainForm::captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);

    const QPalette usual = QApplication::palette();
    QApplication::setPalette(DarkPalette());
    const auto restore = qScopeGuard([&usual] { QApplication::setPalette(usual); });
    const FormDriver f;
    QWidget* control = f.Control(name);
    const QImage shot = control->grab().toImage();
    const QRgb fill = shot.pixel(3, 3);
    double contrast = 1;
    for (int y = 3; y < shot.height() - 3; ++y) {
        for (int x = 3; x < shot.width() - 3; ++x) {
            contrast = std::max(contrast, Contrast(shot.pixel(x, y), fill));
        }
    }
    QVERIFY2(
        contrast >= 4.5,
        qPrintable(
            QStringLiteral("text contrasts %1:1 with %2").arg(contrast, 0, 'f', 2).arg(Hex(fill))));

    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
    } else {
        QCOMPARE(qobject_cast<const QPushButton*>(control)->text(), caption);
    }
    QCOMPARE(f.form.windowTitle(), QStringLiteral("Корвелата"));
    QCOMPARE(f.form.minimumSize(), QSize(510, 424));
    QCOMPARE(f.form.maximumSize(), QSize(510, 424));
    QCOMPARE(f.form.font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(f.form.font().pointSize(), 12);
    QVERIFY(!f.form.windowIcon().isNull());
}

void TestMainForm::selectedRowsCanBeRead_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("focused");

    for (int list = 0; list < 3; ++list) {
        for (const bool dark : {false, true}) {
            for (const bool focused : {false, true}) {
                QTest::addRow("List1_%d %s %s", list, dark ? "dark" : "light",
                              focused ? "focused" : "unfocused")
                    << list << dark << focused;
            }
        }
    }
}

// The selected row's text against its fill, on either theme, whether its
// list has the focus or not.
void TestMainForm::selectedRowsCanBeRead() {
    QFETCH(int, list);
    QFETCH(bool, dark);
    QFETCH(bool, focused);

    const QPalette usual = QApplication::palette();
    if (dark) {
        QApplication::setPalette(DarkPalette());
    }
    const auto restore = qScopeGuard([&usual] { QApplication::setPalette(usual); });
    FormDriver f;
    f.form.show();
    QApplication::setActiveWindow(&f.form);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QListWidget* l = f.List(list);
    if (focused) {
        l->setFocus();
        QTRY_VERIFY(l->hasFocus());
    }
    QCOMPARE(l->hasFocus(), focused);

    const QImage shot = l->viewport()->grab().toImage();
    const QRect row = l->visualItemRect(l->selectedItems().first());
    // Clear of the text, and of the frame that the focus draws.
    const QRgb fill = shot.pixel(row.right() - 5, row.center().y());
    double contrast = 1;
    for (int y = row.top(); y <= row.bottom(); ++y) {
        for (int x = row.left(); x <= row.right(); ++x) {
            contrast = std::max(contrast, Contrast(shot.pixel(x, y), fill));
        }
    }
    QVERIFY2(
        contrast >= 4.5,
        qPrintable(
            QStringLiteral("text contrasts %1:1 with %2").arg(contrast, 0, 'f', 2).arg(Hex(fill))));
}

void TestMainForm::taskStatement() {
    const FormDriver f;
    const auto* task = f.Control<QPlainTextEdit>("Text1_0");
    QVERIFY(task->isReadOnly());
    QCOMPARE(task->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const QStringList lines = task->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 22);
    QCOMPARE(lines[0], "Да се реализира проект, чрез който се осъществява междупредметни "
                       "връзки Математика и Информатика.");
    QCOMPARE(lines[1], "Тема на проекта: Зарвоника.");
    QVERIFY(lines[2].contains("[-999..999]"));
    QCOMPARE(lines[3], "Изходни данни: изчислените стойностите на всяко от неизвестните.");
    QCOMPARE(lines[4], "Пример: За 5 неизвестни са дадени всички възможни, неповтарящи се "
                       "комбинации от суми на 2 неизвестни:");
    for (int row = 0; row < 10; ++row) {
        QCOMPARE(lines[5 + row], FiveLabels[row] + WorkedSums[row]);
    }
    QCOMPARE(lines[15], "Изход:");
    QCOMPARE(lines[16], "X1=8; X2=3; X3=2; X4=-2;X5=6");
    QCOMPARE(lines[17],
             "Прочетете допълнителен материал за решаване на системи линейни уравнения.");
    QVERIFY(lines[20].contains("n-1"));
}

void TestMainForm::tabOrder() {
    FormDriver f;
    f.form.show();
    QApplication::setActiveWindow(&f.form);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));
    QCOMPARE(QApplication::focusWidget(), f.Control("Text1_0"));

    QStringList order;
    for (int step = 0; step < 13; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, QStringList({"List1_0", "List1_1", "Command1_0", "Command1_1", "Command1_2",
                                 "Text2_0", "Text2_1", "Text2_2", "Text2_3", "Text2_4", "List1_2",
                                 "Text1_0", "List1_0"}));
}

void TestMainForm::clear() {
    const FormDriver f;
    f.ClickRow(0, 3);
    f.Type(0, "5");
    f.Press(2);
    f.Press(0);

    QCOMPARE(f.Rows(1), QStringList(10, "?"));
    QCOMPARE(f.SelectedRow(1), -1);
    QCOMPARE(f.SelectedRow(0), 3);
    QCOMPARE(f.Rows(0), FiveLabels);
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(Neutral));
        QCOMPARE(f.Box(k)->text(), QString());
    }
    QCOMPARE(f.ShownValues(), QList<int>({8, 3, 2, -2, 6}));
}

void TestMainForm::newValues() {
    const FormDriver f;
    f.Press(0);
    f.Press(1);

    QCOMPARE(f.ShownValues(), QList<int>({1, 9, 4, 5, 0}));
    QCOMPARE(f.Rows(1), FormDriver::SumsOf(f.ShownValues()));
    QCOMPARE(f.Rows(0), FiveLabels);
    QCOMPARE(f.SelectedRow(0), 0);
    QCOMPARE(f.SelectedRow(1), 0);
}

void TestMainForm::newValuesKeepsTheCheck() {
    const FormDriver f;
    f.Type(0, "8");
    f.Type(1, "4");
    f.Press(2);
    f.Press(1);

    QCOMPARE(f.ShownValues(), QList<int>({1, 9, 4, 5, 0}));
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Right));
    QCOMPARE(Hex(f.Colour(f.Label(1))), Hex(Wrong));
    QCOMPARE(f.Box(0)->text(), "8");
    QCOMPARE(f.Box(1)->text(), "4");
}

void TestMainForm::otherButtonIndexChangesNothing_data() {
    QTest::addColumn<int>("index");

    QTest::newRow("3") << 3;
    QTest::newRow("-1") << -1;
    QTest::newRow("32767") << 32767;
}

void TestMainForm::otherButtonIndexChangesNothing() {
    QFETCH(int, index);

    FormDriver f;
    f.Type(0, "8");
    f.Press(2);
    const QStringList before = Board(f);
    f.form.Command1Click(index);
    QCOMPARE(Board(f), before);
}

WINDOW_TEST_MAIN(TestMainForm)
#include "tst_main_form.moc"
