// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_driver.h"

class TestCheck : public QObject {
    Q_OBJECT

private slots:
    void verdict_data();
    void verdict();
    void everyVisibleBoxIsJudged();
    void numberBeyondADoubleIsWrongAndTheRestIsJudged();
    void hiddenBoxesAreNotJudged();
    void checkingTwiceGivesTheSameColours();
    void colourStaysUntilTheNextCheckOrClear();
    void spaceOnTheFocusedButtonChecks();
};

void TestCheck::verdict_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");

    // an empty box is right exactly when its value is 0: X5 = 0 after one draw, X1 = 8 at start
    QTest::newRow("empty for 0") << 1 << 4 << "" << true;
    QTest::newRow("empty for 8") << 0 << 0 << "" << false;
    QTest::newRow("letters for 0") << 1 << 4 << "нула" << true;
    // readings of X4 = 5 after one draw
    QTest::newRow("5") << 1 << 3 << "5" << true;
    QTest::newRow("5.0") << 1 << 3 << "5.0" << true;
    QTest::newRow("blank 5") << 1 << 3 << " 5" << true;
    QTest::newRow("5 apples") << 1 << 3 << "5 apples" << true;
    QTest::newRow("+5") << 1 << 3 << "+5" << true;
    QTest::newRow("5,5") << 1 << 3 << "5,5" << true;
    QTest::newRow("5.5") << 1 << 3 << "5.5" << false;
    QTest::newRow("5.0000001") << 1 << 3 << "5.0000001" << false;
    QTest::newRow("&5") << 1 << 3 << "&5" << false;
    QTest::newRow("55") << 1 << 3 << "55" << false;
    QTest::newRow("-5") << 1 << 3 << "-5" << false;
    // readings of X4 = -2 at start
    QTest::newRow("-2") << 0 << 3 << "-2" << true;
    QTest::newRow("- 2") << 0 << 3 << "- 2" << true;
    QTest::newRow("2") << 0 << 3 << "2" << false;
    // beyond a double
    QTest::newRow("1e999") << 1 << 3 << "1e999" << false;
    QTest::newRow("-1e999") << 0 << 3 << "-1e999" << false;
}

void TestCheck::verdict() {
    QFETCH(int, draws);
    QFETCH(int, box);
    QFETCH(QString, answer);
    QFETCH(bool, right);

    const FormDriver f;
    for (int d = 0; d < draws; ++d) {
        f.Press(1);
    }
    f.Type(box, answer);
    f.Press(2);
    QCOMPARE(Hex(f.Colour(f.Label(box))), Hex(right ? Right : Wrong));
}

void TestCheck::everyVisibleBoxIsJudged() {
    const FormDriver f; // (8, 3, 2, -2, 6)
    const QStringList answers{"8", "3", "", "-2", "7"};
    for (int k = 0; k < 5; ++k) {
        f.Type(k, answers[k]);
    }
    const QStringList before = f.Board();
    f.Press(2);

    const QList<QRgb> expected{Right, Right, Wrong, Right, Wrong};
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(expected[k]));
    }
    QCOMPARE(f.Board(), before);
}

void TestCheck::numberBeyondADoubleIsWrongAndTheRestIsJudged() {
    const FormDriver f; // (8, 3, 2, -2, 6)
    const QStringList answers{"1e999", "3", "2", "-2", "6"};
    for (int k = 0; k < 5; ++k) {
        f.Type(k, answers[k]);
    }
    f.Press(2);

    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Wrong));
    for (int k = 1; k < 5; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(Right));
    }
}

void TestCheck::hiddenBoxesAreNotJudged() {
    const FormDriver f;
    f.Press(2);
    for (int k = 5; k < 9; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(Neutral));
    }
}

void TestCheck::checkingTwiceGivesTheSameColours() {
    const FormDriver f;
    f.Type(0, "8");
    f.Type(1, "1");
    f.Press(2);
    QList<QRgb> first;
    for (int k = 0; k < 5; ++k) {
        first << f.Colour(f.Label(k));
    }
    f.Press(2);
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(first[k]));
    }
    QCOMPARE(Hex(first[0]), Hex(Right));
    QCOMPARE(Hex(first[1]), Hex(Wrong));
}

void TestCheck::colourStaysUntilTheNextCheckOrClear() {
    const FormDriver f;
    f.Type(0, "8");
    f.Press(2);
    f.Type(0, "9");
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Right));
    f.Press(2);
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Wrong));
    f.Press(0);
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Neutral));
}

void TestCheck::spaceOnTheFocusedButtonChecks() {
    const FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.Type(0, "8");
    f.Button(2)->setFocus();
    QTest::keyClick(f.Button(2), Qt::Key_Space);
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Right));
    QCOMPARE(Hex(f.Colour(f.Label(1))), Hex(Wrong));
}

WINDOW_TEST_MAIN(TestCheck)
#include "tst_check.moc"
