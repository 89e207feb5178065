// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle.h"
#include "read_number.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// Seventeen significant digits tell any two doubles apart, infinities included.
QString Exact(double value) { return QString::number(value, 'g', 17); }

double Read(const QByteArray& text) {
    return puzzle::ReadNumber(std::string_view(text.constData(), std::size_t(text.size())));
}

} // namespace

class TestReadNumber : public QObject {
    Q_OBJECT

private slots:
    void readNumber_data();
    void readNumber();
    void stopsAtTheEndOfItsText();
    void outOfRangeIsNeverRight_data();
    void outOfRangeIsNeverRight();
};

void TestReadNumber::readNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("number");

    // plain numbers
    QTest::newRow("digit") << QByteArray("7") << 7.0;
    QTest::newRow("leading point") << QByteArray(".5") << 0.5;
    QTest::newRow("fraction") << QByteArray("7.5") << 7.5;
    QTest::newRow("trailing point") << QByteArray("7.") << 7.0;
    QTest::newRow("leading zero") << QByteArray("07") << 7.0;
    QTest::newRow("plus") << QByteArray("+7") << 7.0;
    QTest::newRow("minus") << QByteArray("-2") << -2.0;
    QTest::newRow("count entry") << QByteArray("5") << 5.0;
    // blanks, tabs and line feeds are skipped anywhere
    QTest::newRow("leading blank") << QByteArray(" 7") << 7.0;
    QTest::newRow("blank between digits") << QByteArray("1 2") << 12.0;
    QTest::newRow("blank after minus") << QByteArray("- 2") << -2.0;
    QTest::newRow("tab and line feed") << QByteArray("\t\n5\n0") << 50.0;
    QTest::newRow("blank in exponent") << QByteArray("1 e 1") << 10.0;
    QTest::newRow("carriage return stops") << QByteArray("\r5") << 0.0;
    QTest::newRow("no-break space stops") << QByteArray("\xC2\xA0"
                                                        "5")
                                          << 0.0;
    // exponents
    QTest::newRow("1e1") << QByteArray("1e1") << 10.0;
    QTest::newRow("capital E") << QByteArray("2E3") << 2000.0;
    QTest::newRow("negative exponent") << QByteArray("5e-1") << 0.5;
    QTest::newRow("signed exponent") << QByteArray("5e+1") << 50.0;
    QTest::newRow("exponent without digits") << QByteArray("1e") << 1.0;
    QTest::newRow("exponent sign only") << QByteArray("1e+") << 1.0;
    QTest::newRow("point then exponent") << QByteArray("1.e2") << 100.0;
    QTest::newRow("D is no exponent") << QByteArray("1d2") << 1.0;
    // &H and &O integers
    QTest::newRow("&HA") << QByteArray("&HA") << 10.0;
    QTest::newRow("&hff") << QByteArray("&hff") << 255.0;
    QTest::newRow("&O17") << QByteArray("&O17") << 15.0;
    QTest::newRow("&o8 stops") << QByteArray("&o8") << 0.0;
    QTest::newRow("blank inside &H") << QByteArray(" & H 1 0") << 16.0;
    QTest::newRow("&H largest 63-bit") << QByteArray("&H7FFFFFFFFFFFFFFF") << 9223372036854775807.0;
    QTest::newRow("&H beyond 63 bits")
        << QByteArray("&HFFFFFFFFFFFFFFFF") << 18446744073709551615.0;
    QTest::newRow("lone &H") << QByteArray("&H") << 0.0;
    QTest::newRow("lone &") << QByteArray("&") << 0.0;
    QTest::newRow("&X") << QByteArray("&X1") << 0.0;
    QTest::newRow("&5") << QByteArray("&5") << 0.0;
    QTest::newRow("sign before &H") << QByteArray("-&H1") << 0.0;
    // reading stops at the first character that cannot continue
    QTest::newRow("7abc") << QByteArray("7abc") << 7.0;
    QTest::newRow("comma") << QByteArray("3,5") << 3.0;
    QTest::newRow("07,9") << QByteArray("07,9") << 7.0;
    QTest::newRow("trailing minus") << QByteArray("5-") << 5.0;
    QTest::newRow("second point") << QByteArray("1.2.3") << 1.2;
    QTest::newRow("double sign") << QByteArray("--5") << 0.0;
    QTest::newRow("plus minus") << QByteArray("+-5") << 0.0;
    QTest::newRow("NUL then digit") << QByteArray("\0"
                                                  "7",
                                                  2)
                                    << 0.0;
    QTest::newRow("digit then NUL") << QByteArray("7\0"
                                                  "1",
                                                  3)
                                    << 7.0;
    QTest::newRow("invalid UTF-8") << QByteArray("\xFF\xFE"
                                                 "7")
                                   << 0.0;
    QTest::newRow("Cyrillic") << QByteArray("пет") << 0.0;
    // no digit: 0
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("abc") << QByteArray("abc") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("sign and point") << QByteArray("+.") << 0.0;
    QTest::newRow("exponent alone") << QByteArray("e5") << 0.0;
    QTest::newRow("blanks only") << QByteArray(" \t\n") << 0.0;
    // beyond the range of a double
    QTest::newRow("1e999") << QByteArray("1e999") << Infinity;
    QTest::newRow("-1e999") << QByteArray("-1e999") << -Infinity;
    QTest::newRow("1e-999") << QByteArray("1e-999") << 0.0;
    QTest::newRow("0e999") << QByteArray("0e999") << 0.0;
    QTest::newRow("huge exponent") << QByteArray("1e99999999999999999999999") << Infinity;
    QTest::newRow("tiny fraction, huge exponent")
        << QByteArray("0.0001e99999999999999999999") << Infinity;
    QTest::newRow("100000 digits") << QByteArray(100'000, '9') << Infinity;
    QTest::newRow("100000 digits, small exponent")
        << QByteArray("1" + QByteArray(99'999, '0') + "e-99999") << 1.0;
    QTest::newRow("100000 zeros then 1")
        << QByteArray("0." + QByteArray(100'000, '0') + "1") << 0.0;
    QTest::newRow("100000 hex digits") << QByteArray("&H" + QByteArray(100'000, 'F')) << Infinity;
}

void TestReadNumber::readNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, number);

    QCOMPARE(Exact(Read(text)), Exact(number));
}

void TestReadNumber::stopsAtTheEndOfItsText() {
    const char buffer[] = "12345e9";
    QCOMPARE(puzzle::ReadNumber(std::string_view(buffer, 2)), 12.0);
    QCOMPARE(puzzle::ReadNumber(std::string_view(buffer, 0)), 0.0);
    QCOMPARE(puzzle::ReadNumber(std::string_view("&H1F", 3)), 1.0);
}

void TestReadNumber::outOfRangeIsNeverRight_data() {
    QTest::addColumn<QByteArray>("answer");

    QTest::newRow("1e999") << QByteArray("1e999");
    QTest::newRow("-1e999") << QByteArray("-1e999");
    QTest::newRow("1e400") << QByteArray("1e400");
    QTest::newRow("long hex") << QByteArray("&H" + QByteArray(1000, 'F'));
    QTest::newRow("long digits") << QByteArray(1000, '1');
}

void TestReadNumber::outOfRangeIsNeverRight() {
    QFETCH(QByteArray, answer);

    // Every value a draw can hide, at an odd and an even index.
    for (int digit = 0; digit <= 9; ++digit) {
        puzzle::Puzzle p;
        p.SetCount(2);
        const float r = static_cast<float>(digit) / 10.0f;
        puzzle::Uniform constant = [r] { return r; };
        p.Draw(constant);
        for (int i = 1; i <= 2; ++i) {
            QCOMPARE(p.Judge(std::string_view(answer.constData(), std::size_t(answer.size())), i),
                     puzzle::Verdict::Wrong);
        }
    }
}

QTEST_APPLESS_MAIN(TestReadNumber)
#include "tst_read_number.moc"
