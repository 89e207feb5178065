#pragma once

class QCoreApplication;

// Loads Qt's own texts in Bulgarian (the context menus of the text boxes,
// among others). Returns false when the translation is not installed; Qt's
// English texts remain then.
bool InstallBulgarianQtTexts(QCoreApplication& application);
