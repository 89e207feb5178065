// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "form_driver.h"

#include <QApplication>
#include <QMenu>
#include <QRegularExpression>

class TestTexts : public QObject {
    Q_OBJECT

private slots:
    void contextMenusAreBulgarian_data();
    void contextMenusAreBulgarian();
    void fontHasEveryGlyph();
};

void TestTexts::contextMenusAreBulgarian_data() {
    QTest::addColumn<QString>("control");

    QTest::newRow("answer box") << "Text2_0";
    QTest::newRow("task statement") << "Text1_0";
}

void TestTexts::contextMenusAreBulgarian() {
    QFETCH(QString, control);

    QVERIFY(InstallBulgarianQtTexts(*QApplication::instance()));
    const FormDriver f;
    QWidget* widget = f.Control(control);
    QMenu* menu = nullptr;
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        menu = box->createStandardContextMenu();
    } else {
        menu = qobject_cast<QPlainTextEdit*>(widget)->createStandardContextMenu();
    }
    menu->setParent(&f.form, Qt::Popup);

    const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
    int texts = 0;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            QVERIFY2(action->text().contains(cyrillic), qPrintable(action->text()));
            ++texts;
        }
    }
    QVERIFY(texts >= 2);
}

void TestTexts::fontHasEveryGlyph() {
    const FormDriver f;
    QStringList texts{f.form.windowTitle(), f.Control<QPlainTextEdit>("Text1_0")->toPlainText(),
                      "?-0123456789"};
    for (const QLabel* label : f.form.findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const QPushButton* button : f.form.findChildren<QPushButton*>()) {
        texts << button->text();
    }
    for (int count = 0; count < 7; ++count) {
        f.ClickRow(2, count);
        texts << f.Rows(0) << f.Rows(2);
    }

    const QFontMetrics metrics(f.form.font());
    for (const QString& text : texts) {
        for (const char32_t c : text.toUcs4()) {
            if (c != U'\n') {
                QVERIFY2(metrics.inFontUcs4(c),
                         qPrintable(QStringLiteral("no glyph for U+%1 in %2")
                                        .arg(quint32(c), 4, 16, QLatin1Char('0'))
                                        .arg(QFontInfo(f.form.font()).family())));
            }
        }
    }
}

QTEST_MAIN(TestTexts)
#include "tst_texts.moc"
