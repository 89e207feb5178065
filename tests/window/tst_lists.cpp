// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_driver.h"
#include "list_box.h"

#include <QScopeGuard>
#include <QSignalSpy>

namespace {

// Counts the click events of all three lists.
struct EventCounter {
    explicit EventCounter(const FormDriver& f)
        : spies{std::make_unique<QSignalSpy>(Of(f, 0), &ListBox::SelectedRowChanged),
                std::make_unique<QSignalSpy>(Of(f, 1), &ListBox::SelectedRowChanged),
                std::make_unique<QSignalSpy>(Of(f, 2), &ListBox::SelectedRowChanged)} {}

    QList<int> Counts() const {
        return {int(spies[0]->count()), int(spies[1]->count()), int(spies[2]->count())};
    }

    static ListBox* Of(const FormDriver& f, int list) {
        return qobject_cast<ListBox*>(f.List(list));
    }

    std::array<std::unique_ptr<QSignalSpy>, 3> spies;
};

} // namespace

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void clickLinksTheRows_data();
    void clickLinksTheRows();
    void arrowKeysLinkTheRows_data();
    void arrowKeysLinkTheRows();
    void oneSelectionRunsTheHandlerBoundedly_data();
    void oneSelectionRunsTheHandlerBoundedly();
    void countChoiceRefitsTheWindow_data();
    void countChoiceRefitsTheWindow();
    void countChoiceByKeyboard();
    void countChoiceKeepsTheValues();
    void hiddenAnswersSurviveARoundTrip();
    void ctrlClickCannotClearASelection();
};

void TestLists::clickLinksTheRows_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("row");

    // equations to sums and back
    QTest::newRow("equation row 3") << 0 << 3;
    QTest::newRow("sum row 3") << 1 << 3;
    QTest::newRow("last equation") << 0 << 9;
    QTest::newRow("last sum") << 1 << 9;
    QTest::newRow("sum row 0") << 1 << 0;
}

void TestLists::clickLinksTheRows() {
    QFETCH(int, list);
    QFETCH(int, row);

    // A theme that greys the selection of an inactive list.
    const QPalette usual = QApplication::palette();
    QPalette greying = usual;
    greying.setColor(QPalette::Active, QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    greying.setColor(QPalette::Inactive, QPalette::Highlight, QColor(0xc0, 0xc0, 0xc0));
    QApplication::setPalette(greying);
    const auto restore = qScopeGuard([&usual] { QApplication::setPalette(usual); });

    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.ClickRow(1 - list, 5);
    f.ClickRow(list, row);
    QCOMPARE(f.SelectedRow(0), row);
    QCOMPARE(f.SelectedRow(1), row);
    // Both rows show the window's own selection fill, focused or not, whatever
    // the theme's (the focused row's focus frame tints it by a shade).
    const QRgb active = qRgb(32, 96, 160);
    for (int l = 0; l < 2; ++l) {
        const QRect selected = f.List(l)->visualItemRect(f.List(l)->item(row));
        const QRgb shown = f.List(l)->viewport()->grab().toImage().pixel(selected.right() - 6,
                                                                         selected.center().y());
        QVERIFY2(
            std::abs(qRed(shown) - qRed(active)) + std::abs(qGreen(shown) - qGreen(active)) +
                    std::abs(qBlue(shown) - qBlue(active)) <=
                6,
            qPrintable(QStringLiteral("list %1 row %2 is %3").arg(l).arg(row).arg(Hex(shown))));
    }
}

void TestLists::arrowKeysLinkTheRows_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("row");

    QTest::newRow("down in equations") << 0 << 4 << int(Qt::Key_Down) << 5;
    QTest::newRow("up in sums") << 1 << 4 << int(Qt::Key_Up) << 3;
    QTest::newRow("end in sums") << 1 << 4 << int(Qt::Key_End) << 9;
    QTest::newRow("home in equations") << 0 << 4 << int(Qt::Key_Home) << 0;
    QTest::newRow("down past the last sum") << 1 << 9 << int(Qt::Key_Down) << 9;
    // With no row selected (from -1: after a count change), the focus makes
    // row 0 current without selecting it; the keys move from there.
    QTest::newRow("down, none selected") << 0 << -1 << int(Qt::Key_Down) << 1;
    QTest::newRow("up, none selected") << 1 << -1 << int(Qt::Key_Up) << -1;
    QTest::newRow("home, none selected") << 0 << -1 << int(Qt::Key_Home) << -1;
    QTest::newRow("page down, none selected") << 1 << -1 << int(Qt::Key_PageDown) << 9;
}

void TestLists::arrowKeysLinkTheRows() {
    QFETCH(int, list);
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, row);

    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    if (from < 0) {
        f.ClickRow(2, 3);
        f.ClickRow(2, 2);
    } else {
        f.ClickRow(list, from);
    }
    f.List(list)->setFocus();
    QTest::keyClick(f.List(list), Qt::Key(key));
    QCOMPARE(f.SelectedRow(0), row);
    QCOMPARE(f.SelectedRow(1), row);
}

void TestLists::oneSelectionRunsTheHandlerBoundedly_data() {
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<bool>("rebuilt");

    // one event in the list clicked, one nested in the other, none further
    QTest::newRow("equation row") << 0 << 4 << QList<int>({1, 1, 0}) << false;
    QTest::newRow("sum row") << 1 << 7 << QList<int>({1, 1, 0}) << false;
    // the count list rebuilds the others without selecting in them
    QTest::newRow("count") << 2 << 4 << QList<int>({0, 0, 1}) << true;
    // start-up selected row 0 in both lists and "5" in the count list
    QTest::newRow("same equation row") << 0 << 0 << QList<int>({0, 0, 0}) << false;
    QTest::newRow("same sum row") << 1 << 0 << QList<int>({0, 0, 0}) << false;
    QTest::newRow("same count") << 2 << 2 << QList<int>({0, 0, 0}) << false;
}

void TestLists::oneSelectionRunsTheHandlerBoundedly() {
    QFETCH(int, list);
    QFETCH(int, row);
    QFETCH(QList<int>, events);
    QFETCH(bool, rebuilt);

    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    const QStringList before = f.Rows(0) + f.Rows(1);
    const EventCounter counter(f);
    f.ClickRow(list, row);
    QCOMPARE(counter.Counts(), events);
    QCOMPARE(f.Rows(0) + f.Rows(1) != before, rebuilt);
    QCOMPARE(f.SelectedRow(list), row);
}

void TestLists::countChoiceRefitsTheWindow_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("count");

    for (int count = 3; count <= 9; ++count) {
        QTest::addRow("%d", count) << count - 3 << count;
    }
}

void TestLists::countChoiceRefitsTheWindow() {
    QFETCH(int, row);
    QFETCH(int, count);

    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.Press(2);
    f.ClickRow(2, row == 6 ? 0 : 6); // away first, since "5" is chosen at start
    f.ClickRow(2, row);

    const int pairs = count * (count - 1) / 2;
    QCOMPARE(f.VisibleUnknowns(), count);
    for (int k = count; k < 9; ++k) {
        QVERIFY(!f.Label(k)->isVisible());
        QVERIFY(!f.Box(k)->isVisible());
    }
    QCOMPARE(f.List(0)->count(), pairs);
    QCOMPARE(f.Rows(0).first(), "X1 + X2 =");
    QCOMPARE(f.Rows(0).last(), QStringLiteral("X%1 + X%2 =").arg(count - 1).arg(count));
    QCOMPARE(f.Rows(1), QStringList(pairs, "?"));
    QCOMPARE(f.SelectedRow(0), -1);
    QCOMPARE(f.SelectedRow(1), -1);
    QCOMPARE(f.SelectedRow(2), row);
    for (int k = 0; k < count; ++k) {
        QCOMPARE(f.ToolTip(k), "?");
    }
    QCOMPARE(Hex(f.Colour(f.Label(0))), Hex(Wrong)); // the check before stays
}

void TestLists::countChoiceByKeyboard() {
    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.List(2)->setFocus();
    QTest::keyClick(f.List(2), Qt::Key_Down);
    QCOMPARE(f.VisibleUnknowns(), 6);
    QCOMPARE(f.List(0)->count(), 15);
    QTest::keyClick(f.List(2), Qt::Key_Home);
    QCOMPARE(f.VisibleUnknowns(), 3);
    QCOMPARE(f.List(1)->count(), 3);
}

void TestLists::countChoiceKeepsTheValues() {
    // Choosing 7 draws nothing: X1..X5 keep (8, 3, 2, -2, 6), X6 and X7 were never drawn.
    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.ClickRow(2, 4);
    QCOMPARE(f.List(0)->count(), 21);

    const QStringList answers{"8", "3", "2", "-2", "6", "0", ""};
    for (int k = 0; k < 7; ++k) {
        f.Type(k, answers[k]);
    }
    f.Press(2);
    for (int k = 0; k < 7; ++k) {
        QCOMPARE(Hex(f.Colour(f.Label(k))), Hex(Right));
    }

    // New values for all seven, the answers and colours kept.
    f.Press(1);
    QCOMPARE(f.ShownValues(), QList<int>({1, 9, 4, 5, 0, -8, 3}));
    QCOMPARE(f.Rows(1), FormDriver::SumsOf(f.ShownValues()));
    QCOMPARE(f.Box(6)->text(), QString());
    QCOMPARE(Hex(f.Colour(f.Label(6))), Hex(Right));
}

void TestLists::hiddenAnswersSurviveARoundTrip() {
    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    f.Type(3, "-2");
    f.Type(4, "5");
    f.Press(2);

    f.ClickRow(2, 0); // 3 unknowns
    QCOMPARE(f.VisibleUnknowns(), 3);
    f.Press(2);
    f.ClickRow(2, 2); // 5 again
    QCOMPARE(f.VisibleUnknowns(), 5);
    QCOMPARE(f.Box(3)->text(), "-2");
    QCOMPARE(f.Box(4)->text(), "5");
    QCOMPARE(Hex(f.Colour(f.Label(3))), Hex(Right));
    QCOMPARE(Hex(f.Colour(f.Label(4))), Hex(Wrong));
}

void TestLists::ctrlClickCannotClearASelection() {
    FormDriver f;
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    const EventCounter counter(f);
    for (int list = 0; list < 3; ++list) {
        QListWidget* l = f.List(list);
        const int row = f.SelectedRow(list);
        QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          l->visualItemRect(l->item(row)).center());
        QCOMPARE(f.SelectedRow(list), row);
    }
    QCOMPARE(counter.Counts(), QList<int>({0, 0, 0}));
    QCOMPARE(f.VisibleUnknowns(), 5);
}

WINDOW_TEST_MAIN(TestLists)
#include "tst_lists.moc"
