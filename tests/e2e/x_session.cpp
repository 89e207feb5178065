// SPDX-FileCopyrightText: 2026 Korvelata developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x_session.h"

#include <QDeadlineTimer>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <sys/select.h>

struct XSession::Private {
    Display* display = nullptr;
};

namespace {

QString Title(Display* display, Window window) {
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
        XFree(data);
    }
    return title;
}

// Waits for the next event up to the deadline; false when none came.
bool NextEvent(Display* display, const QDeadlineTimer& deadline, XEvent* event) {
    while (!XPending(display)) {
        const qint64 left = deadline.remainingTime();
        if (left <= 0) {
            return false;
        }
        const int fd = ConnectionNumber(display);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{static_cast<time_t>(left / 1000),
                     static_cast<suseconds_t>(left % 1000 * 1000)};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
    XNextEvent(display, event);
    return true;
}

// The first window mapped that is wanted, 0 if none within the time.
template <typename Wanted>
unsigned long WaitForMap(Display* display, int timeoutMs, Wanted wanted) {
    const QDeadlineTimer deadline(timeoutMs);
    XEvent event;
    while (NextEvent(display, deadline, &event)) {
        if (event.type == MapNotify && wanted(event.xmap)) {
            return event.xmap.window;
        }
    }
    return 0;
}

} // namespace

XSession::XSession(const QString& display) : d(std::make_unique<Private>()) {
    d->display = XOpenDisplay(display.toLocal8Bit().constData());
}

XSession::~XSession() {
    if (d->display) {
        XCloseDisplay(d->display);
    }
}

bool XSession::IsOpen() const { return d->display != nullptr; }

void XSession::WatchTopLevels() {
    XSelectInput(d->display, DefaultRootWindow(d->display), SubstructureNotifyMask);
    XSync(d->display, False);
}

unsigned long XSession::WaitForWindow(const QString& title, int timeoutMs) {
    return WaitForMap(d->display, timeoutMs, [&](const XMapEvent& map) {
        return Title(map.display, map.window) == title;
    });
}

unsigned long XSession::WaitForPopup(int timeoutMs) {
    return WaitForMap(d->display, timeoutMs,
                      [](const XMapEvent& map) { return map.override_redirect; });
}

QStringList XSession::WindowClass(unsigned long window) {
    XClassHint hint{};
    if (!XGetClassHint(d->display, window, &hint)) {
        return {};
    }
    const QStringList names{QString::fromLatin1(hint.res_name),
                            QString::fromLatin1(hint.res_class)};
    XFree(hint.res_name);
    XFree(hint.res_class);
    return names;
}

void XSession::Focus(unsigned long window) {
    XRaiseWindow(d->display, window);
    XSetInputFocus(d->display, window, RevertToParent, CurrentTime);
    XSync(d->display, False);
}

QImage XSession::Grab(unsigned long window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(d->display, window, &attributes);
    XImage* shot = XGetImage(d->display, window, 0, 0, unsigned(attributes.width),
                             unsigned(attributes.height), AllPlanes, ZPixmap);
    QImage image(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(shot, x, y);
            image.setPixel(x, y,
                           qRgb(int((pixel & shot->red_mask) >> 16),
                                int((pixel & shot->green_mask) >> 8),
                                int(pixel & shot->blue_mask)));
        }
    }
    XDestroyImage(shot);
    return image;
}

void XSession::Click(unsigned long window, QPoint at, unsigned int button) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(d->display, window, DefaultRootWindow(d->display), at.x(), at.y(), &rootX,
                          &rootY, &child);
    XTestFakeMotionEvent(d->display, DefaultScreen(d->display), rootX, rootY, CurrentTime);
    XTestFakeButtonEvent(d->display, button, True, CurrentTime);
    XTestFakeButtonEvent(d->display, button, False, CurrentTime);
    XSync(d->display, False);
}

void XSession::Type(const QString& ascii) {
    for (const QChar c : ascii) {
        const KeySym symbol =
            c == QLatin1Char('-') ? XK_minus : XStringToKeysym(QString(c).toLatin1().constData());
        const KeyCode code = XKeysymToKeycode(d->display, symbol);
        XTestFakeKeyEvent(d->display, code, True, CurrentTime);
        XTestFakeKeyEvent(d->display, code, False, CurrentTime);
    }
    XSync(d->display, False);
}
