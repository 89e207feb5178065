// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_driver.h"

#include <QAccessible>
#include <QApplication>

namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

QString Name(QWidget* widget) { return Accessible(widget)->text(QAccessible::Name); }
QString Description(QWidget* widget) { return Accessible(widget)->text(QAccessible::Description); }

QWidget* Focused() { return QApplication::focusWidget(); }

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
    for (int n = 0; n < times; ++n) {
        QTest::keyClick(Focused(), key, modifiers);
    }
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void screenReaderIsNotToldTheValues();
    void verdictIsSpokenAsWellAsColoured_data();
    void verdictIsSpokenAsWellAsColoured();
    void clearForgetsTheVerdict();
    void roundWithTheKeyboardAlone();
};

void TestAccessibility::names_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QAccessible::Role>("role");
    QTest::addColumn<QString>("name");

    // answer boxes are named after their labels
    for (int k = 0; k < 9; ++k) {
        QTest::addRow("Text2_%d", k) << FormDriver::Indexed("Text2", k) << QAccessible::EditableText
                                     << QStringLiteral("X%1").arg(k + 1);
        QTest::addRow("Label2_%d", k) << FormDriver::Indexed("Label2", k) << QAccessible::StaticText
                                      << QStringLiteral("X%1").arg(k + 1);
    }
    // lists and the task statement
    QTest::newRow("equations") << "List1_0" << QAccessible::List << "Уравнения";
    QTest::newRow("sums") << "List1_1" << QAccessible::List << "Суми";
    QTest::newRow("count") << "List1_2" << QAccessible::List << "Брой неизвестни";
    QTest::newRow("task") << "Text1_0" << QAccessible::EditableText << "Условие";
    // buttons and captions by their texts
    QTest::newRow("clear") << "Command1_0" << QAccessible::Button << "Чисти";
    QTest::newRow("new values") << "Command1_1" << QAccessible::Button << "Случайни";
    QTest::newRow("check") << "Command1_2" << QAccessible::Button << "Провери";
    QTest::newRow("title") << "Label1_0" << QAccessible::StaticText << "Зарвоника";
    QTest::newRow("count caption") << "Label1_1" << QAccessible::StaticText << "Брой";
}

void TestAccessibility::names() {
    QFETCH(QString, control);
    QFETCH(QAccessible::Role, role);
    QFETCH(QString, name);

    const FormDriver f;
    QAccessibleInterface* accessible = Accessible(f.Control(control));
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), role);
    QCOMPARE(accessible->text(QAccessible::Name), name);
}

void TestAccessibility::screenReaderIsNotToldTheValues() {
    const FormDriver f;          // (8, 3, 2, -2, 6)
    QCOMPARE(f.ToolTip(0), "8"); // the pointer still shows it
    f.Type(0, "8");
    f.Press(2);
    const QStringList values{"8", "3", "2", "-2", "6"};
    for (int k = 0; k < 5; ++k) {
        for (QWidget* control :
             {static_cast<QWidget*>(f.Box(k)), static_cast<QWidget*>(f.Label(k))}) {
            QVERIFY2(!values.contains(Description(control)), qPrintable(control->objectName()));
            QVERIFY2(!values.contains(Name(control)), qPrintable(control->objectName()));
        }
    }
}

void TestAccessibility::verdictIsSpokenAsWellAsColoured_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("description");

    // X1 = 8
    QTest::newRow("right") << "8"
                           << "вярно";
    QTest::newRow("wrong") << "9"
                           << "грешно";
    QTest::newRow("empty") << ""
                           << "грешно";
}

void TestAccessibility::verdictIsSpokenAsWellAsColoured() {
    QFETCH(QString, answer);
    QFETCH(QString, description);

    const FormDriver f;
    QCOMPARE(Description(f.Label(0)), QString());
    QCOMPARE(Description(f.Box(0)), QString());
    f.Type(0, answer);
    f.Press(2);
    QCOMPARE(Description(f.Label(0)), description);
    QCOMPARE(Description(f.Box(0)), description);
    QCOMPARE(Name(f.Label(0)), "X1");
    QCOMPARE(Name(f.Box(0)), "X1");
}

void TestAccessibility::clearForgetsTheVerdict() {
    const FormDriver f;
    f.Type(0, "8");
    f.Press(2);
    f.Press(0);
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Description(f.Label(k)), QString());
        QCOMPARE(Description(f.Box(k)), QString());
    }
}

void TestAccessibility::roundWithTheKeyboardAlone() {
    FormDriver f;
    f.form.show();
    QApplication::setActiveWindow(&f.form);
    QVERIFY(QTest::qWaitForWindowActive(&f.form));

    // Tab to the count list and choose 4 unknowns.
    Press(Qt::Key_Tab, {}, 11);
    QCOMPARE(Focused(), f.List(2));
    Press(Qt::Key_Up);
    QCOMPARE(f.VisibleUnknowns(), 4);

    // Around to "Случайни", draw, and read the values off the tool tips.
    Press(Qt::Key_Tab, {}, 5);
    QCOMPARE(Focused(), f.Button(1));
    Press(Qt::Key_Space);
    QStringList values;
    for (int k = 0; k < 4; ++k) {
        values << f.ToolTip(k);
    }
    QCOMPARE(values, QStringList({"1", "9", "4", "5"}));

    // Type the answers, the last one wrong, and check.
    Press(Qt::Key_Tab, {}, 2);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(Focused(), f.Box(k));
        QTest::keyClicks(Focused(), k < 3 ? values[k] : QStringLiteral("6"));
        Press(Qt::Key_Tab);
    }
    Press(Qt::Key_Tab, Qt::ShiftModifier, 5);
    QCOMPARE(Focused(), f.Button(2));
    Press(Qt::Key_Return);

    // Tab through the boxes: each tells its verdict where the focus is.
    Press(Qt::Key_Tab);
    QStringList verdicts;
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(Focused(), f.Box(k));
        verdicts << Description(Focused());
        Press(Qt::Key_Tab);
    }
    QCOMPARE(verdicts, QStringList({"вярно", "вярно", "вярно", "грешно"}));
    Press(Qt::Key_Tab, Qt::ShiftModifier, 5);

    // Clear, with Enter.
    Press(Qt::Key_Tab, Qt::ShiftModifier, 2);
    QCOMPARE(Focused(), f.Button(0));
    Press(Qt::Key_Enter);
    for (int k = 0; k < 4; ++k) {
        QCOMPARE(f.Box(k)->text(), QString());
        QCOMPARE(Description(f.Label(k)), QString());
    }
    QCOMPARE(f.Rows(1), QStringList(6, "?"));
}

WINDOW_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
