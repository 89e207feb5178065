// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "application.h"

#include "design_qt.h"
#include "window_style.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QToolTip>
#include <QTranslator>

void PrepareApplication(QApplication& application) {
    // The X11 window class comes from the application's name, the Wayland
    // app_id from the desktop file name: both name the desktop entry, so that
    // docks and task switchers show its icon and name.
    QCoreApplication::setApplicationName(QString::fromUtf8(design::DesktopId));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(design::DesktopId));
    QApplication::setStyle(new WindowStyle);

    // Every control shows the window's font; making it the application's too
    // spares Qt from loading the platform's font for text it never shows.
    // Menus and tool tips keep the platform's font.
    const QFont platform = QApplication::font();
    QApplication::setFont(QFont(QString::fromUtf8(design::FontFamily), design::FontPoints));
    QApplication::setFont(platform, "QMenu");
    QToolTip::setFont(platform);

    InstallBulgarianQtTexts(application);
}

bool InstallBulgarianQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    return translator->load(QStringLiteral("qtbase_bg"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(translator);
}
