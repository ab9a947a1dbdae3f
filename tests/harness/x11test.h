// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// The frame of an end-to-end test: X11_TEST_MAIN(T) starts a private Xvfb
// server, makes the test's own application object a client of it (so that
// texts drawn by the test, see screentext.h, get the programs' resolution
// and fonts) and runs the QtTest object T; T reaches the server through
// X11Test::server().

#ifndef X11TEST_H
#define X11TEST_H

#include "xsession.h"

#include <QGuiApplication>
#include <QTest>

namespace X11Test
{
inline XServer *&serverSlot()
{
    static XServer *server = nullptr;
    return server;
}

inline XServer &server()
{
    return *serverSlot();
}

// Starts the program and checks the window every one of them opens: at
// (50, 1), fixed at 700 x 500 for the window manager too, titled, and its
// background drawn. False when any of it failed:
//     QVERIFY(X11Test::openFixedWindow(p, title));
inline void checkFixedWindow(XProgram &p, const QString &title, const QColor &background)
{
    QVERIFY(p.start());
    QCOMPARE(p.geometry(), QRect(50, 1, 700, 500));
    const SizeHints hints = p.sizeHints();
    QCOMPARE(hints.minimum, QSize(700, 500));
    QCOMPARE(hints.maximum, QSize(700, 500));
    QVERIFY2(p.name().contains(title), qPrintable(p.name()));
    QVERIFY(p.waitUntil([&] {
        return p.pixel(300, 100) == background;
    }));
}

inline bool openFixedWindow(XProgram &p, const QString &title, const QColor &background = QColor(250, 250, 200))
{
    checkFixedWindow(p, title, background);
    return !QTest::currentTestFailed();
}

// Closes the window as a window manager does: the program ends with status
// 0 and has printed nothing, as on a healthy machine. Its window, up until
// then, was drawn by the raster engine with no OpenGL driver loaded.
inline void closeCleanly(XProgram &p)
{
    const QStringList drivers = p.openGlDrivers();
    QVERIFY2(drivers.isEmpty(), qPrintable(QStringLiteral("OpenGL drivers loaded: ") + drivers.join(QStringLiteral(", "))));
    p.close();
    QCOMPARE(p.waitForExit(30000), 0);
    QCOMPARE(p.output(), QByteArray());
}

template<class T>
int run(int argc, char **argv)
{
    XServer xserver;
    if (!xserver.start()) {
        qCritical("Xvfb did not start");
        return 1;
    }
    serverSlot() = &xserver;
    qputenv("DISPLAY", xserver.name().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("XDG_RUNTIME_DIR", xserver.runtimeDir().toLocal8Bit());
    QGuiApplication app(argc, argv);
    T test;
    return QTest::qExec(&test, argc, argv);
}
}

#define X11_TEST_MAIN(TestObject)                                                                                                                              \
    int main(int argc, char **argv)                                                                                                                            \
    {                                                                                                                                                          \
        return X11Test::run<TestObject>(argc, argv);                                                                                                           \
    }

#endif
