// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"
#include "main_form.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// While the application is being created, a fatal message means that no window
// system could be reached: say so in one line and exit instead of aborting.
void StartupMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "korvelata: cannot open its window, no display can be reached (%s)\n",
                     qPrintable(message.section(QLatin1Char('\n'), 0, 0)));
        std::_Exit(EXIT_FAILURE);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    const QtMessageHandler usual = qInstallMessageHandler(StartupMessage);
    QApplication application(argc, argv);
    qInstallMessageHandler(usual);
    PrepareApplication(application);

    MainForm form;
    form.show();
    return application.exec();
}
