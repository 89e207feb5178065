// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x_session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <QTest>
#include <csignal>
#include <sys/prctl.h>

namespace {

// The program on the given X display, at its natural scale.
QProcessEnvironment OnDisplay(const QString& display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    return environment;
}

// The server and the program end with the test, even when it crashes.
void EndWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

constexpr QRgb Background = qRgb(192, 192, 255);
constexpr QRgb Neutral = qRgb(255, 192, 128);
constexpr QRgb Right = qRgb(0, 255, 0);
constexpr QRgb Wrong = qRgb(255, 0, 255);

// Points in the window's own pixels, clear of any text or border.
constexpr QPoint BackgroundAt(6, 100);
constexpr QPoint TitleAt(76, 4);
constexpr QPoint CountCaptionAt(195, 43);
constexpr QPoint FirstUnknownAt(195, 179);
constexpr std::array<QPoint, 3> ButtonAt{QPoint(389, 68), QPoint(269, 108), QPoint(389, 140)};
constexpr std::array<QRgb, 3> ButtonColour{qRgb(255, 128, 255), qRgb(128, 255, 255),
                                           qRgb(128, 255, 128)};

// Unknown k's label and answer box, inside Frame1 at (192, 176).
QPoint LabelAt(int k) { return {192 + 32 * k + 3, 176 + 3}; }
QPoint BoxAt(int k) { return {192 + 32 * k + 16, 176 + 32 + 16}; }

QString Hex(QRgb colour) { return QColor(colour).name(); }

QList<QRgb> LabelColours(const QImage& shot) {
    QList<QRgb> colours;
    for (int k = 0; k < 5; ++k) {
        colours << shot.pixel(LabelAt(k));
    }
    return colours;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windowLooksAsDesigned();
    void typedAnswersAreJudged();
    void scaledWindowKeepsItsProportions_data();
    void scaledWindowKeepsItsProportions();
    void withoutADisplayItSaysSoInOneLine();
    void contextMenuIsNotQtsEnglish();

private:
    void Start(QProcess& program, const QString& scale, unsigned long* window,
               const QString& path = QStringLiteral(PROGRAM_PATH));
    QImage ContextMenu(const QString& path);
    void CheckAll(const QString& answer, QList<QRgb>* colours);

    QImage Shot(const QString& name);

    QProcess server_;
    QProcess program_;
    QString display_;
    std::unique_ptr<XSession> x_;
    unsigned long window_ = 0;
};

void TestEndToEnd::initTestCase() {
    EndWithTheTest(server_);
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("2048x1536x24"), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp")});
    QVERIFY2(server_.waitForStarted(), "Xvfb is installed");
    QTRY_VERIFY_WITH_TIMEOUT(server_.canReadLine(), 20000);
    display_ = QLatin1Char(':') + QString::fromLatin1(server_.readLine().trimmed());
    x_ = std::make_unique<XSession>(display_);
    QVERIFY(x_->IsOpen());
    x_->WatchTopLevels();
    Start(program_, QString(), &window_);
}

// Starts the program at the given scale factor (none when empty) and waits
// until its window is mapped, focused and painted.
void TestEndToEnd::Start(QProcess& program, const QString& scale, unsigned long* window,
                         const QString& path) {
    QProcessEnvironment environment = OnDisplay(display_);
    if (!scale.isEmpty()) {
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    }
    program.setProcessEnvironment(environment);
    EndWithTheTest(program);
    program.start(path, {});
    QVERIFY(program.waitForStarted());

    *window = x_->WaitForWindow(QStringLiteral("Корвелата"), 20000);
    QVERIFY2(*window != 0, "the window was mapped");
    // No window manager runs, so the window is given the focus by hand.
    x_->Focus(*window);
    const double factor = scale.isEmpty() ? 1.0 : scale.toDouble();
    QTRY_COMPARE_WITH_TIMEOUT(Hex(x_->Grab(*window).pixel(BackgroundAt * factor)), Hex(Background),
                              10000);
}

void TestEndToEnd::cleanupTestCase() {
    x_.reset();
    for (QProcess* process : {&program_, &server_}) {
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished();
        }
    }
}

QImage TestEndToEnd::Shot(const QString& name) {
    const QImage image = x_->Grab(window_);
    image.save(QStringLiteral(SCREENSHOT_DIR "/%1.png").arg(name));
    return image;
}

void TestEndToEnd::windowLooksAsDesigned() {
    const QImage shot = Shot(QStringLiteral("window"));
    QCOMPARE(shot.size(), QSize(510, 424));
    // The class names the desktop entry, for docks and task switchers.
    QCOMPARE(x_->WindowClass(window_).value(1), "bg.korvelata.korvelata");
    QCOMPARE(Hex(shot.pixel(BackgroundAt)), Hex(Background));
    QCOMPARE(Hex(shot.pixel(TitleAt)), Hex(Neutral));
    QCOMPARE(Hex(shot.pixel(CountCaptionAt)), Hex(Neutral));
    QCOMPARE(Hex(shot.pixel(FirstUnknownAt)), Hex(Neutral));
    for (std::size_t b = 0; b < ButtonAt.size(); ++b) {
        QCOMPARE(Hex(shot.pixel(ButtonAt[b])), Hex(ButtonColour[b]));
    }
}

// Clears the board, types the answer into X1..X5, checks, and reads the labels.
void TestEndToEnd::CheckAll(const QString& answer, QList<QRgb>* colours) {
    x_->Click(window_, ButtonAt[0]);
    const QList<QRgb> neutral(5, Neutral);
    QTRY_COMPARE_WITH_TIMEOUT(LabelColours(x_->Grab(window_)), neutral, 5000);
    for (int k = 0; k < 5; ++k) {
        x_->Click(window_, BoxAt(k));
        x_->Type(answer);
    }
    x_->Click(window_, ButtonAt[2]);
    QTRY_VERIFY_WITH_TIMEOUT(!LabelColours(x_->Grab(window_)).contains(Neutral), 5000);
    *colours = LabelColours(x_->Grab(window_));
}

void TestEndToEnd::typedAnswersAreJudged() {
    // Without reading the sums, try every value a draw can give in all boxes:
    // each label must turn green for exactly one of them.
    std::array<QList<int>, 5> greenFor;
    for (int value = -8; value <= 9; ++value) {
        QList<QRgb> colours;
        CheckAll(QString::number(value), &colours);
        if (QTest::currentTestFailed()) {
            return;
        }
        for (int k = 0; k < 5; ++k) {
            QVERIFY2(colours[k] == Right || colours[k] == Wrong, qPrintable(Hex(colours[k])));
            if (colours[k] == Right) {
                greenFor[k] << value;
            }
        }
    }
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(greenFor[k].size(), 1);
    }

    // Right answers for X1..X3, wrong ones for X4 and X5.
    x_->Click(window_, ButtonAt[0]);
    for (int k = 0; k < 5; ++k) {
        x_->Click(window_, BoxAt(k));
        x_->Type(k < 3 ? QString::number(greenFor[k].first()) : QStringLiteral("99"));
    }
    x_->Click(window_, ButtonAt[2]);
    const QList<QRgb> expected{Right, Right, Right, Wrong, Wrong};
    QTRY_COMPARE_WITH_TIMEOUT(LabelColours(x_->Grab(window_)), expected, 5000);
    Shot(QStringLiteral("checked"));
}

void TestEndToEnd::scaledWindowKeepsItsProportions_data() {
    QTest::addColumn<QString>("scale");

    QTest::newRow("1.25") << "1.25";
    QTest::newRow("1.5") << "1.5";
    QTest::newRow("2") << "2";
}

void TestEndToEnd::scaledWindowKeepsItsProportions() {
    QFETCH(QString, scale);

    QProcess program;
    unsigned long window = 0;
    Start(program, scale, &window);
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    if (QTest::currentTestFailed()) {
        return;
    }

    const double factor = scale.toDouble();
    const QImage shot = x_->Grab(window);
    shot.save(QStringLiteral(SCREENSHOT_DIR "/window-%1x.png").arg(scale));
    QVERIFY2(qAbs(shot.width() - 510 * factor) <= 1 && qAbs(shot.height() - 424 * factor) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(shot.width()).arg(shot.height())));
    if (scale == QLatin1String("2")) {
        QCOMPARE(shot.size(), QSize(1020, 848));
    }

    QCOMPARE(Hex(shot.pixel(TitleAt * factor)), Hex(Neutral));
    QCOMPARE(Hex(shot.pixel(CountCaptionAt * factor)), Hex(Neutral));
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(Hex(shot.pixel(LabelAt(k) * factor)), Hex(Neutral));
    }
    for (std::size_t b = 0; b < ButtonAt.size(); ++b) {
        QCOMPARE(Hex(shot.pixel(ButtonAt[b] * factor)), Hex(ButtonColour[b]));
    }
}

void TestEndToEnd::withoutADisplayItSaysSoInOneLine() {
    QProcess program;
    program.setProcessEnvironment(OnDisplay(QStringLiteral(":9999")));
    program.start(QStringLiteral(PROGRAM_PATH), {});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QList<QByteArray> lines = program.readAllStandardError().trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains("no display"), lines.first().constData());
}

// A fresh start of the program at path, right-clicked in X1's box: its menu.
QImage TestEndToEnd::ContextMenu(const QString& path) {
    QProcess program;
    unsigned long window = 0;
    Start(program, QString(), &window, path);
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished();
    });
    if (QTest::currentTestFailed()) {
        return {};
    }
    x_->Click(window, BoxAt(0), 3);
    const unsigned long menu = x_->WaitForPopup(10000);
    if (menu == 0) {
        return {};
    }
    // Painted when two grabs a moment apart agree.
    QImage shot = x_->Grab(menu);
    for (const QDeadlineTimer deadline(5000); !deadline.hasExpired();) {
        QTest::qWait(100);
        const QImage later = x_->Grab(menu);
        if (later == shot) {
            break;
        }
        shot = later;
    }
    return shot;
}

void TestEndToEnd::contextMenuIsNotQtsEnglish() {
    // The same program with no Qt translations to be found shows Qt's English.
    QTemporaryDir english;
    QVERIFY(english.isValid());
    const QString copy = english.filePath(QStringLiteral("korvelata"));
    QVERIFY(QFile::copy(QStringLiteral(PROGRAM_PATH), copy));
    QVERIFY(QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner));
    QFile conf(english.filePath(QStringLiteral("qt.conf")));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[Paths]\nPlugins = " + QLibraryInfo::path(QLibraryInfo::PluginsPath).toUtf8() +
               "\nTranslations = " + english.path().toUtf8() + "/none\n");
    conf.close();

    const QImage bulgarian = ContextMenu(QStringLiteral(PROGRAM_PATH));
    QVERIFY2(!bulgarian.isNull(), "the program's context menu opened");
    const QImage qts = ContextMenu(copy);
    QVERIFY2(!qts.isNull(), "the untranslated copy's context menu opened");
    bulgarian.save(QStringLiteral(SCREENSHOT_DIR "/context-menu.png"));
    qts.save(QStringLiteral(SCREENSHOT_DIR "/context-menu-english.png"));
    QVERIFY2(bulgarian != qts, "the program's context menu shows Qt's English texts");
}

QTEST_GUILESS_MAIN(TestEndToEnd)
#include "tst_e2e_window.moc"
