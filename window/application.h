// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QApplication;
class QCoreApplication;

// What the program sets on the application before its window opens: the
// desktop entry it belongs to, one style on every platform, the window's font,
// and Qt's own texts in Bulgarian.
void PrepareApplication(QApplication& application);

// Loads Qt's own texts in Bulgarian (the context menus of the text boxes,
// among others). Returns false when the translation is not installed; Qt's
// English texts remain then.
bool InstallBulgarianQtTexts(QCoreApplication& application);
