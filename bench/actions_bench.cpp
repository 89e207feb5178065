// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the window's actions at nine unknowns, and ReadNumber over a large
// text. Run with QT_QPA_PLATFORM=offscreen.

#include "form_driver.h"
#include "read_number.h"

class ActionsBench : public QObject {
    Q_OBJECT

private slots:
    void init();
    void newValues();
    void clearAnswers();
    void checkAnswers();
    void countChangeNineToEightAndBack();
    void readNumberOfAMegabyte();

private:
    std::unique_ptr<FormDriver> f_;
};

void ActionsBench::init() {
    f_ = std::make_unique<FormDriver>();
    f_->form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f_->form));
    f_->ClickRow(2, 6);
    QCOMPARE(f_->VisibleUnknowns(), 9);
    for (int k = 0; k < 9; ++k) {
        f_->Type(k, QStringLiteral("- 7.5e0"));
    }
}

void ActionsBench::newValues() {
    QBENCHMARK { f_->form.Command1Click(1); }
}

void ActionsBench::clearAnswers() {
    QBENCHMARK { f_->form.Command1Click(0); }
}

void ActionsBench::checkAnswers() {
    QBENCHMARK { f_->form.Command1Click(2); }
}

void ActionsBench::countChangeNineToEightAndBack() {
    QListWidget* counts = f_->List(2);
    QBENCHMARK {
        counts->setCurrentRow(5);
        counts->setCurrentRow(6);
    }
    QCOMPARE(f_->VisibleUnknowns(), 9);
}

void ActionsBench::readNumberOfAMegabyte() {
    std::string text(1 << 20, '7');
    for (std::size_t k = 0; k < text.size(); k += 10) {
        text[k] = ' ';
    }
    double number = 0;
    QBENCHMARK { number = puzzle::ReadNumber(text); }
    QVERIFY(number > 1e300);
}

QTEST_MAIN(ActionsBench)
#include "actions_bench.moc"
