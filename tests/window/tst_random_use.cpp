// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>

#include <cmath>
#include <random>

namespace {

constexpr int UsualActions = 20'000;

QRgb LabelColour(const QLabel* label) { return label->palette().color(QPalette::Window).rgb(); }

// Random user actions on a window, and what the window must look like after each.
class RandomUser {
public:
    RandomUser(const FormDriver& f, std::uint32_t seed) : f_(f), random_(seed) {}

    // Performs one action and says what it was.
    QString Act() {
        switch (Pick(6)) {
        case 0: {
            const int button = Pick(3);
            f_.Press(button);
            Expect(button);
            return QStringLiteral("press Command1_%1").arg(button);
        }
        case 1: {
            const int list = Pick(3);
            const int row = Pick(f_.List(list)->count());
            f_.ClickRow(list, row);
            return QStringLiteral("click row %1 of List1_%2").arg(row).arg(list);
        }
        case 2: {
            const int list = Pick(3);
            static constexpr Qt::Key keys[]{Qt::Key_Up,  Qt::Key_Down,   Qt::Key_Home,
                                            Qt::Key_End, Qt::Key_PageUp, Qt::Key_PageDown};
            const Qt::Key key = keys[Pick(6)];
            f_.List(list)->setFocus();
            QTest::keyClick(f_.List(list), key);
            return QStringLiteral("key %1 in List1_%2").arg(int(key), 0, 16).arg(list);
        }
        default: {
            const int k = Pick(f_.VisibleUnknowns());
            const auto [text, number] = RandomAnswer();
            answers_[k] = number;
            if (text.size() > 20 || Pick(4) == 0) {
                // Long texts and some short ones are pasted, which also lets
                // control characters reach the box.
                f_.Box(k)->setFocus();
                f_.Box(k)->selectAll();
                QApplication::clipboard()->setText(text);
                QTest::keyClick(f_.Box(k), Qt::Key_V, Qt::ControlModifier);
                return QStringLiteral("paste %1 into Text2_%2").arg(Quoted(text)).arg(k);
            }
            f_.Type(k, text);
            return QStringLiteral("type %1 into Text2_%2").arg(Quoted(text)).arg(k);
        }
        }
    }

    // Empty when every invariant holds, else what broke.
    QString Broken() {
        const QListWidgetItem* chosen = f_.List(2)->item(f_.SelectedRow(2));
        if (!chosen) {
            return QStringLiteral("no count is chosen");
        }
        const int n = chosen->text().toInt();
        const int pairs = n * (n - 1) / 2;
        if (f_.List(0)->count() != pairs || f_.List(1)->count() != pairs) {
            return QStringLiteral("%1 and %2 rows for %3 unknowns")
                .arg(f_.List(0)->count())
                .arg(f_.List(1)->count())
                .arg(n);
        }
        if (f_.VisibleUnknowns() != n) {
            return QStringLiteral("%1 unknowns visible, %2 chosen")
                .arg(f_.VisibleUnknowns())
                .arg(n);
        }
        for (int k = n; k < 9; ++k) {
            if (f_.Label(k)->isVisibleTo(&f_.form) || f_.Box(k)->isVisibleTo(&f_.form)) {
                return QStringLiteral("X%1 visible with %2 unknowns").arg(k + 1).arg(n);
            }
        }
        if (f_.SelectedRow(0) >= 0 && f_.SelectedRow(1) >= 0 &&
            f_.SelectedRow(0) != f_.SelectedRow(1)) {
            return QStringLiteral("rows %1 and %2 selected")
                .arg(f_.SelectedRow(0))
                .arg(f_.SelectedRow(1));
        }

        // The tool tips show the hidden values whenever they show numbers.
        for (int k = 0; k < n; ++k) {
            if (f_.ToolTip(k) != QLatin1String("?")) {
                values_[k] = f_.ToolTip(k).toInt();
            }
        }
        const QStringList sums = f_.Rows(1);
        if (sums != QStringList(pairs, QStringLiteral("?"))) {
            if (f_.ToolTip(0) == QLatin1String("?")) {
                return QStringLiteral("sums shown while the values are hidden");
            }
            if (sums != FormDriver::SumsOf(QList<int>(values_.begin(), values_.begin() + n))) {
                return QStringLiteral("sums %1 disagree with the values").arg(sums.join(' '));
            }
        }

        for (int k = 0; k < 9; ++k) {
            const QRgb colour = LabelColour(f_.Label(k));
            if (colour != colours_[k]) {
                return QStringLiteral("X%1 coloured %2, expected %3 (value %4, answer %5)")
                    .arg(k + 1)
                    .arg(QColor(colour).name(), QColor(colours_[k]).name())
                    .arg(values_[k])
                    .arg(Quoted(f_.Box(k)->text()));
            }
        }
        return {};
    }

private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    // The labels' colours after a button press: a check judges every visible
    // answer, a clear makes them neutral, anything else leaves them.
    void Expect(int button) {
        for (int k = 0; k < f_.VisibleUnknowns(); ++k) {
            if (button == 0) {
                colours_[k] = Neutral;
                answers_[k] = 0;
            } else if (button == 2) {
                colours_[k] = answers_[k] == values_[k] ? Right : Wrong;
            }
        }
    }

    // An answer a pupil might type and the number it stands for: a number
    // in one of the forms the reader knows, then perhaps a character that ends
    // the reading and anything after it; or no number at all.
    std::pair<QString, double> RandomAnswer() {
        const int n = Pick(25) - 12;
        const QString digits = QString::number(std::abs(n));
        const QString sign = n < 0 ? QStringLiteral("-") : QString();
        QString text;
        double number = n;
        switch (Pick(12)) {
        case 0:
            text = QString::number(n);
            break;
        case 1:
            text = QStringLiteral(" ") + sign + QStringLiteral(" ") + digits;
            break;
        case 2:
            text = (n < 0 ? sign : QStringLiteral("+")) + QStringLiteral("00") + digits;
            break;
        case 3:
            text = QString::number(n) + QStringLiteral(".0");
            break;
        case 4:
            text = sign + digits + QStringLiteral(".5");
            number = n < 0 ? n - 0.5 : n + 0.5;
            break;
        case 5:
            text = sign + digits + QStringLiteral("e1");
            number = n * 10;
            break;
        case 6:
            text = sign + QStringLiteral(".") + digits + QStringLiteral("E1");
            number = n / std::pow(10.0, double(digits.size() - 1));
            break;
        case 7:
            text = QStringLiteral("&H") + QString::number(std::abs(n), 16).toUpper();
            number = std::abs(n);
            break;
        case 8:
            text = QStringLiteral("&o") + QString::number(std::abs(n), 8);
            number = std::abs(n);
            break;
        case 9:
            text = QStringLiteral("1e999");
            number = HUGE_VAL;
            break;
        default:
            number = 0; // no number: empty, or the tail alone
        }
        // After no number a sign would start one.
        static const QStringList enders{"x", "ж", "Я", "пет", ",", "&", "-"};
        static const QStringList pieces{"0",    "1",    "2", "-",  "+",    " ",  ".",
                                        ",",    "e",    "E", "&H", "&o",   "\t", "\n",
                                        "\x01", "\x7f", "ж", "x",  "1e999"};
        if (Pick(2) == 0 || (text.isEmpty() && Pick(2) == 0)) {
            text += enders[Pick(int(enders.size()) - (text.isEmpty() ? 1 : 0))];
            const int length = Pick(8) == 0 ? 200 + Pick(800) : Pick(6);
            while (text.size() < length) {
                text += pieces[Pick(int(pieces.size()))];
            }
        }
        return {text, number};
    }

    static QString Quoted(const QString& text) {
        return QLatin1Char('"') + text.left(60).toHtmlEscaped() + QLatin1Char('"');
    }

    const FormDriver& f_;
    std::mt19937 random_;
    std::array<int, 9> values_{};
    std::array<double, 9> answers_{}; // what each box's text stands for
    std::array<QRgb, 9> colours_{Neutral, Neutral, Neutral, Neutral, Neutral,
                                 Neutral, Neutral, Neutral, Neutral};
};

} // namespace

class TestRandomUse : public QObject {
    Q_OBJECT

private slots:
    void invariantsHoldAfterEveryAction();
};

void TestRandomUse::invariantsHoldAfterEveryAction() {
    const QByteArray given = qgetenv("KORVELATA_SEED");
    const std::uint32_t seed = given.isEmpty() ? std::random_device()() : given.toUInt();
    qInfo("seed %u (set KORVELATA_SEED to repeat it)", seed);
    // Fewer where every paint goes through an emulated window system.
    const int asked = qEnvironmentVariableIntValue("KORVELATA_ACTIONS");
    const int actions = asked > 0 ? asked : UsualActions;

    FormDriver f(std::vector<float>{0.12f, 0.97f, 0.25f, 0.5f, 0.75f, 0.33f, 0.0f, 0.61f, 0.88f,
                                    0.44f, 0.05f, 0.93f, 0.19f, 0.7f});
    f.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.form));
    RandomUser user(f, seed);
    QCOMPARE(user.Broken(), QString()); // and learns the first values
    QElapsedTimer timer;
    timer.start();
    for (int n = 0; n < actions; ++n) {
        const QString action = user.Act();
        const QString broken = user.Broken();
        QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("seed %1, action %2 (%3): %4")
                                                  .arg(seed)
                                                  .arg(n)
                                                  .arg(action, broken)));
    }
    qInfo("%d actions, no invariant broken, %lld ms", actions, timer.elapsed());
}

WINDOW_TEST_MAIN(TestRandomUse)
#include "tst_random_use.moc"
