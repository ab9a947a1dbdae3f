// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// End-to-end test support: a private Xvfb server, a program started on it,
// real input through the XTest extension, and what the X server shows
// (pixels, geometry, size hints, window names) read back from the server.

#ifndef XSESSION_H
#define XSESSION_H

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

typedef struct _XDisplay Display;

// Size limits as the window announces them in WM_NORMAL_HINTS;
// a missing limit reads as an empty size.
struct SizeHints {
    QSize minimum;
    QSize maximum;
};

class XServer
{
public:
    XServer() = default;
    ~XServer();
    XServer(const XServer &) = delete;
    XServer &operator=(const XServer &) = delete;

    // Starts Xvfb on the first free display number; false if it fails.
    bool start(QSize screen = QSize(1024, 768));
    QString name() const
    {
        return m_name;
    }
    Display *display() const
    {
        return m_display;
    }
    // A private XDG_RUNTIME_DIR for the programs, as a desktop session has.
    QString runtimeDir() const
    {
        return m_runtime.path();
    }

private:
    QProcess m_server;
    QTemporaryDir m_runtime;
    QString m_name;
    Display *m_display = nullptr;
};

class XProgram
{
public:
    XProgram(XServer &server, const QString &binary, const QStringList &arguments = {});
    ~XProgram();
    XProgram(const XProgram &) = delete;
    XProgram &operator=(const XProgram &) = delete;

    // Environment for the program, on top of the test's own.
    void setEnvironment(const QString &name, const QString &value);

    // Starts the program and waits until its top-level window is mapped.
    bool start(int timeoutMs = 15000);
    // The same in two steps, for callers that poll on their own: starts the
    // program, then finds its mapped top-level window (0 while there is none).
    bool launch();
    unsigned long findWindow();
    unsigned long window() const
    {
        return m_window;
    }
    qint64 pid() const
    {
        return m_process.processId();
    }

    // The OpenGL drivers mapped into the process (Mesa's, by file name); the
    // dispatch libraries Qt links against (libGL, libEGL, ...) are not drivers.
    QStringList openGlDrivers() const;

    // What the X server knows about the window.
    QRect geometry() const; // in root coordinates
    SizeHints sizeHints() const;
    QString name() const; // _NET_WM_NAME

    // The pixels the user sees, in window coordinates.
    QImage grab(const QRect &rect = QRect()) const;
    QColor pixel(int x, int y) const;

    // Real input, through XTest; positions in window coordinates.
    void moveTo(int x, int y);
    void press(int button = 1);
    void release(int button = 1);
    void click(int x, int y, int button = 1);
    void drag(const QPoint &from, const QPoint &to, int steps = 10, int button = 1);
    void focus();
    void key(const QString &keysym); // "Return", "Home", "a", ...
    void type(const QString &text);

    // Asks the window to close, as a window manager does (WM_DELETE_WINDOW).
    void close();
    // Waits for the process to end; its exit status, or -1 on a crash or time-out.
    int waitForExit(int timeoutMs = 10000);
    QByteArray output();

    // Lets the program handle what was sent so far.
    void settle(int ms = 150);
    // Polls condition until it holds or timeoutMs has passed.
    bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000);

private:
    XServer &m_server;
    QString m_binary;
    QStringList m_arguments;
    QProcess m_process;
    QByteArray m_output;
    unsigned long m_window = 0;
};

#endif
