// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "puzzle.h"
#include "uniform.h"

#include <QTest>

#include <array>
#include <chrono>
#include <cmath>
#include <set>
#include <stdexcept>
#include <thread>

using puzzle::Pair;
using puzzle::Puzzle;
using puzzle::Verdict;

namespace {

// A source that hands out the given values in order and counts what it gave.
// The count lives in the source itself, so a draw from a copy shows.
struct Sequence {
    std::vector<float> values;
    std::size_t used = 0;
    float operator()() { return values.at(used++); }
};

Puzzle Drawn(const std::vector<float>& values) {
    Puzzle p;
    p.SetCount(static_cast<double>(values.size()));
    puzzle::Uniform source = Sequence{values};
    p.Draw(source);
    return p;
}

// Draw takes only a source that it then advances: a generator of another
// type, a temporary or a const source would be a copy, and does not compile.
template <typename Source>
concept Drawable = requires(Puzzle p, Source&& source) {
    p.Draw(std::forward<Source>(source));
};
static_assert(Drawable<puzzle::Uniform&>);
static_assert(!Drawable<puzzle::ClockUniform&>);
static_assert(!Drawable<Sequence&>);
static_assert(!Drawable<puzzle::Uniform>);
static_assert(!Drawable<const puzzle::Uniform&>);

QStringList Labels(double count) {
    QStringList labels;
    for (const Pair pair : puzzle::PairRows(count)) {
        labels << QString::fromStdString(puzzle::PairLabel(pair));
    }
    return labels;
}

} // namespace

class TestPuzzle : public QObject {
    Q_OBJECT

private slots:
    void pairRows_data();
    void pairRows();
    void pairOrderForFive();
    void workedExample();
    void sumText_data();
    void sumText();
    void drawnValue_data();
    void drawnValue();
    void drawnValuesCoverTheirSets();
    void drawTakesOneValuePerUnknown();
    void drawAdvancesItsSource();
    void drawKeepsHigherSlots();
    void slotsAreRangeChecked_data();
    void slotsAreRangeChecked();
    void drawBeyondTheSlotsStops();
    void count_data();
    void count();
    void verdict_data();
    void verdict();
    void uniformBounds_data();
    void uniformBounds();
    void clockUniformStaysBelowOne();
};

void TestPuzzle::pairRows_data() {
    QTest::addColumn<double>("count");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");

    // every count the window offers
    QTest::newRow("3") << 3.0 << 3 << "X1 + X2 ="
                       << "X2 + X3 =";
    QTest::newRow("4") << 4.0 << 6 << "X1 + X2 ="
                       << "X3 + X4 =";
    QTest::newRow("5") << 5.0 << 10 << "X1 + X2 ="
                       << "X4 + X5 =";
    QTest::newRow("6") << 6.0 << 15 << "X1 + X2 ="
                       << "X5 + X6 =";
    QTest::newRow("7") << 7.0 << 21 << "X1 + X2 ="
                       << "X6 + X7 =";
    QTest::newRow("8") << 8.0 << 28 << "X1 + X2 ="
                       << "X7 + X8 =";
    QTest::newRow("9") << 9.0 << 36 << "X1 + X2 ="
                       << "X8 + X9 =";
}

void TestPuzzle::pairRows() {
    QFETCH(double, count);
    QFETCH(int, rows);
    QFETCH(QString, first);
    QFETCH(QString, last);

    const QStringList labels = Labels(count);
    QCOMPARE(labels.size(), rows);
    QCOMPARE(labels.first(), first);
    QCOMPARE(labels.last(), last);
    QCOMPARE(QSet<QString>(labels.begin(), labels.end()).size(), rows);
}

void TestPuzzle::pairOrderForFive() {
    QCOMPARE(Labels(5),
             QStringList({"X1 + X2 =", "X1 + X3 =", "X1 + X4 =", "X1 + X5 =", "X2 + X3 =",
                          "X2 + X4 =", "X2 + X5 =", "X3 + X4 =", "X3 + X5 =", "X4 + X5 ="}));
    QCOMPARE(Labels(3), QStringList({"X1 + X2 =", "X1 + X3 =", "X2 + X3 ="}));
}

void TestPuzzle::workedExample() {
    const Puzzle p = Drawn({0.8f, 0.3f, 0.2f, 0.2f, 0.6f});
    QStringList values;
    for (int i = 1; i <= 5; ++i) {
        values << QString::fromStdString(p.ValueText(i));
    }
    QCOMPARE(values, QStringList({"8", "3", "2", "-2", "6"}));

    QStringList sums;
    for (const Pair pair : puzzle::PairRows(5)) {
        sums << QString::fromStdString(p.PairSumText(pair));
    }
    QCOMPARE(sums, QStringList({"11", "10", "6", "14", "5", "1", "9", "0", "8", "4"}));
}

void TestPuzzle::sumText_data() {
    QTest::addColumn<float>("ri");
    QTest::addColumn<float>("rj");
    QTest::addColumn<QString>("sum");

    // the extremes of X2 + X4: both -8, both 9
    QTest::newRow("lowest") << 0.8f << 0.8f << "-16";
    QTest::newRow("highest") << 0.9f << 0.9f << "18";
    // a negative zero digit still prints as 0
    QTest::newRow("zeros") << 0.0f << 0.0f << "0";
    QTest::newRow("mixed") << 0.4f << 0.1f << "-3";
}

void TestPuzzle::sumText() {
    QFETCH(float, ri);
    QFETCH(float, rj);
    QFETCH(QString, sum);

    const Puzzle p = Drawn({0.5f, ri, 0.5f, rj});
    QCOMPARE(QString::fromStdString(p.PairSumText({2, 4})), sum);
}

void TestPuzzle::drawnValue_data() {
    QTest::addColumn<int>("i");
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("value");

    // exact halves round to the even digit
    QTest::newRow("0.25 odd i") << 1 << 0.25f << 2;
    QTest::newRow("0.25 even i") << 2 << 0.25f << -2;
    QTest::newRow("0.75 odd i") << 3 << 0.75f << 8;
    QTest::newRow("0.75 even i") << 4 << 0.75f << -8;
    QTest::newRow("0.5 odd i") << 1 << 0.5f << 5;
    QTest::newRow("0.5 even i") << 2 << 0.5f << 5;
    // r x 10 from 9.5 on rounds to 10, which wraps to 0
    QTest::newRow("just above 9.5") << 1 << std::nextafter(0.95f, 1.0f) << 0;
    QTest::newRow("just below 9.5") << 1 << std::nextafter(0.95f, 0.0f) << 9;
    QTest::newRow("just below 9.5 even i") << 2 << std::nextafter(0.95f, 0.0f) << 9;
    QTest::newRow("largest r") << 2 << std::nextafter(1.0f, 0.0f) << 0;
    QTest::newRow("zero") << 2 << 0.0f << 0;
    // the sign needs both an even index and an even digit
    QTest::newRow("i4 d2") << 4 << 0.2f << -2;
    QTest::newRow("i4 d3") << 4 << 0.3f << 3;
    QTest::newRow("i3 d2") << 3 << 0.2f << 2;
    QTest::newRow("i9 d8") << 9 << 0.8f << 8;
    QTest::newRow("i8 d6") << 8 << 0.6f << -6;
}

void TestPuzzle::drawnValue() {
    QFETCH(int, i);
    QFETCH(float, r);
    QFETCH(int, value);

    QCOMPARE(int(puzzle::DrawnValue(i, r)), value);
}

void TestPuzzle::drawnValuesCoverTheirSets() {
    // Every float the default source can give, so no value is left out.
    std::set<int> odd;
    std::set<int> even;
    for (std::uint32_t top = 0; top < (1u << 24); ++top) {
        const float r = puzzle::UniformFromBits(top << 8);
        odd.insert(puzzle::DrawnValue(1, r));
        even.insert(puzzle::DrawnValue(2, r));
    }
    QCOMPARE(odd, std::set<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(even, std::set<int>({0, 1, -2, 3, -4, 5, -6, 7, -8, 9}));
}

void TestPuzzle::drawTakesOneValuePerUnknown() {
    Puzzle p;
    p.SetCount(7);
    puzzle::Uniform source = Sequence{std::vector<float>(14, 0.3f)};
    p.Draw(source);
    QCOMPARE(source.target<Sequence>()->used, std::size_t(7));
    p.Draw(source);
    QCOMPARE(source.target<Sequence>()->used, std::size_t(14));
}

void TestPuzzle::drawAdvancesItsSource() {
    puzzle::Uniform clock = puzzle::ClockUniform();
    puzzle::Uniform replay = clock; // the same generator in the same state
    Puzzle p;
    p.SetCount(9);
    QList<QList<int>> draws;
    for (int draw = 0; draw < 2; ++draw) {
        p.Draw(clock);
        QList<int> drawn;
        QList<int> expected;
        for (int i = 1; i <= 9; ++i) {
            drawn << p.Value(i);
            expected << puzzle::DrawnValue(i, replay());
        }
        QCOMPARE(drawn, expected);
        draws << drawn;
    }
    QVERIFY2(draws[0] != draws[1], "the second draw repeats the first");
}

void TestPuzzle::drawKeepsHigherSlots() {
    Puzzle p;
    p.SetCount(9);
    puzzle::Uniform source = Sequence{
        {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.8f, 0.9f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f}};
    p.Draw(source);
    p.SetCount(5);
    p.Draw(source);

    QList<int> values;
    for (int i = 1; i <= 9; ++i) {
        values << p.Value(i);
    }
    QCOMPARE(values, QList<int>({0, 0, 0, 0, 0, -6, 7, -8, 9}));
}

void TestPuzzle::slotsAreRangeChecked_data() {
    QTest::addColumn<int>("i");
    QTest::addColumn<bool>("inRange");

    QTest::newRow("X0") << 0 << false;
    QTest::newRow("X1") << 1 << true;
    QTest::newRow("X26") << 26 << true;
    QTest::newRow("X27") << 27 << false;
    QTest::newRow("X-1") << -1 << false;
}

void TestPuzzle::slotsAreRangeChecked() {
    QFETCH(int, i);
    QFETCH(bool, inRange);

    const Puzzle p;
    if (inRange) {
        QCOMPARE(int(p.Value(i)), 0);
    } else {
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, p.Value(i));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, p.ValueText(i));
    }
}

void TestPuzzle::drawBeyondTheSlotsStops() {
    Puzzle p;
    p.SetCount(30);
    puzzle::Uniform source = Sequence{std::vector<float>(30, 0.9f)};
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, p.Draw(source));
}

void TestPuzzle::count_data() {
    QTest::addColumn<double>("unknownCount");
    QTest::addColumn<int>("count");

    QTest::newRow("whole") << 5.0 << 5;
    QTest::newRow("half to even down") << 4.5 << 4;
    QTest::newRow("half to even up") << 5.5 << 6;
    QTest::newRow("zero") << 0.0 << 0;
}

void TestPuzzle::count() {
    QFETCH(double, unknownCount);
    QFETCH(int, count);

    Puzzle p;
    p.SetCount(unknownCount);
    QCOMPARE(p.UnknownCount(), unknownCount);
    QCOMPARE(p.Count(), count);
}

void TestPuzzle::verdict_data() {
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("i");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("right");

    // r = 0.7 at X1 hides 7
    QTest::newRow("7") << 0.7f << 1 << "7" << true;
    QTest::newRow("blank 7") << 0.7f << 1 << " 7" << true;
    QTest::newRow("7.0") << 0.7f << 1 << "7.0" << true;
    QTest::newRow("7abc") << 0.7f << 1 << "7abc" << true;
    QTest::newRow("+7") << 0.7f << 1 << "+7" << true;
    QTest::newRow("&H7") << 0.7f << 1 << "&H7" << true;
    QTest::newRow("7.5") << 0.7f << 1 << "7.5" << false;
    QTest::newRow("7.0000001") << 0.7f << 1 << "7.0000001" << false;
    QTest::newRow("&7") << 0.7f << 1 << "&7" << false;
    QTest::newRow("07,9") << 0.7f << 1 << "07,9" << true;
    QTest::newRow("-7") << 0.7f << 1 << "-7" << false;
    QTest::newRow("empty for 7") << 0.7f << 1 << "" << false;
    // r = 0.2 at X2 hides -2
    QTest::newRow("-2") << 0.2f << 2 << "-2" << true;
    QTest::newRow("- 2") << 0.2f << 2 << "- 2" << true;
    QTest::newRow("2") << 0.2f << 2 << "2" << false;
    // an empty or unreadable answer reads as 0
    QTest::newRow("empty for 0") << 0.0f << 1 << "" << true;
    QTest::newRow("abc for 0") << 0.0f << 2 << "abc" << true;
    QTest::newRow("-0 for 0") << 0.0f << 1 << "-0" << true;
    // beyond a double: never right
    QTest::newRow("1e999 for 9") << 0.9f << 1 << "1e999" << false;
    QTest::newRow("-1e999 for -8") << 0.8f << 2 << "-1e999" << false;
    QTest::newRow("1e-999 for 0") << 0.0f << 1 << "1e-999" << true;
}

void TestPuzzle::verdict() {
    QFETCH(float, r);
    QFETCH(int, i);
    QFETCH(QString, answer);
    QFETCH(bool, right);

    std::vector<float> values(static_cast<std::size_t>(i), 0.5f);
    values.back() = r;
    const Puzzle p = Drawn(values);
    QCOMPARE(p.Judge(answer.toStdString(), i), right ? Verdict::Right : Verdict::Wrong);
}

void TestPuzzle::uniformBounds_data() {
    QTest::addColumn<quint32>("bits");
    QTest::addColumn<float>("r");

    QTest::newRow("zero") << 0u << 0.0f;
    QTest::newRow("low bits ignored") << 0xFFu << 0.0f;
    QTest::newRow("half") << 0x80000000u << 0.5f;
    QTest::newRow("largest word") << 0xFFFFFFFFu << std::nextafter(1.0f, 0.0f);
}

void TestPuzzle::uniformBounds() {
    QFETCH(quint32, bits);
    QFETCH(float, r);

    QCOMPARE(puzzle::UniformFromBits(bits), r);
}

void TestPuzzle::clockUniformStaysBelowOne() {
    puzzle::ClockUniform uniform;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    puzzle::ClockUniform later;
    const std::array first{uniform(), uniform(), uniform()};
    QVERIFY2(first != (std::array{later(), later(), later()}),
             "two sources made at different moments draw alike");

    float lowest = 1;
    float highest = 0;
    for (int n = 0; n < 1'000'000; ++n) {
        const float r = uniform();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(highest < 1.0f);
    QVERIFY2(lowest < 0.001f && highest > 0.999f, "a uniform source spans [0, 1)");
}

QTEST_APPLESS_MAIN(TestPuzzle)
#include "tst_puzzle.moc"
