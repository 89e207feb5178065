#include "qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallBulgarianQtTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    return translator->load(QStringLiteral("qtbase_bg"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(translator);
}
