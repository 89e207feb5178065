// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <memory>

// A client connection to an X server that watches for the program's window,
// looks at it and sends it input as a user would.
class XSession {
public:
    explicit XSession(const QString& display);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool IsOpen() const;

    // Call before the program starts, so that its window's mapping is seen.
    void WatchTopLevels();
    // The first top-level window mapped with this title, 0 if none within the time.
    unsigned long WaitForWindow(const QString& title, int timeoutMs);
    // The first pop-up (a menu or a tool tip) mapped, 0 if none within the time.
    unsigned long WaitForPopup(int timeoutMs);

    // WM_CLASS: the instance name, then the class name.
    QStringList WindowClass(unsigned long window);
    void Focus(unsigned long window);
    QImage Grab(unsigned long window);
    void Click(unsigned long window, QPoint at, unsigned int button = 1);
    void Type(const QString& ascii);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
