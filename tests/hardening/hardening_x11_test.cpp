// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Hardening checks that hold for every program, run against its real binary
// on a private Xvfb server:
//   storm         a seeded storm of random X input, then a close as a window
//                 manager does it: no crash, no sanitizer report, status 0;
//   unknownOption refused with the option named, before any window opens;
//   noDisplay     a message and a failing status, quickly, no crash;
//   memcheck      a session under valgrind: nothing definitely lost.
// Usage: hardening_x11_test <program binary> [test functions...]
// Environment: STORM_SEED replays a storm, STORM_EVENTS sets its length.

#include "xsession.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <iterator>

static QString program;

// Output that means a sanitizer or the toolkit found a fault.
static bool reportsFault(const QByteArray &output)
{
    for (const char *sign : {"runtime error:", "AddressSanitizer", "LeakSanitizer", "QFATAL", "ASSERT"}) {
        if (output.contains(sign)) {
            return true;
        }
    }
    return false;
}

// Prints the whole report when a check fails (QtTest cuts long messages).
static bool holds(bool ok, const QByteArray &report)
{
    if (!ok) {
        std::fwrite(report.constData(), 1, size_t(report.size()), stdout);
        std::fflush(stdout);
    }
    return ok;
}

static bool alive(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    return stat.open(QIODevice::ReadOnly) && !stat.readAll().contains(") Z ");
}

// Random input through XTest, in root coordinates, counted event by event.
class Storm
{
public:
    Storm(Display *dpy, const QRect &window, quint32 seed)
        : m_dpy(dpy)
        , m_window(window)
        , m_rng(seed)
    {
    }
    int events = 0;

    void step()
    {
        const int r = m_rng.bounded(100);
        if (r < 20) {
            move(inside());
        } else if (r < 40) {
            click(1 + (m_rng.bounded(10) == 0 ? 1 + m_rng.bounded(2) : 0)); // mostly the left button
        } else if (r < 52) {
            drag(m_rng.bounded(4) == 0); // some leave the window
        } else if (r < 62) {
            wheel();
        } else if (r < 85) {
            key(keys[m_rng.bounded(int(std::size(keys)))], m_rng.bounded(8) == 0);
        } else {
            type();
        }
        XSync(m_dpy, False);
        QThread::usleep(2000 + m_rng.bounded(14000)); // the program handles most of it between steps
    }
    // Nothing held when the storm ends.
    void calm()
    {
        move(m_window.center());
        for (unsigned b = 1; b <= 3; ++b) {
            XTestFakeButtonEvent(m_dpy, b, False, CurrentTime);
        }
        key(XK_Escape, false); // a context menu left open
        XSync(m_dpy, False);
    }

private:
    static constexpr KeySym keys[] = {XK_Return, XK_Tab, XK_Left, XK_Right, XK_Up, XK_Down, XK_Home, XK_End, XK_Page_Up, XK_Page_Down,
                                      XK_BackSpace, XK_Delete, XK_space, XK_a, XK_e, XK_q, XK_x, XK_z, XK_1, XK_0};

    QPoint inside()
    {
        return {m_window.x() + 1 + m_rng.bounded(m_window.width() - 2), m_window.y() + 1 + m_rng.bounded(m_window.height() - 2)};
    }
    QPoint anywhere()
    {
        const Screen *screen = DefaultScreenOfDisplay(m_dpy);
        return {m_rng.bounded(screen->width), m_rng.bounded(screen->height)};
    }
    void move(const QPoint &p)
    {
        XTestFakeMotionEvent(m_dpy, 0, p.x(), p.y(), CurrentTime);
        ++events;
    }
    void button(unsigned b, bool down)
    {
        XTestFakeButtonEvent(m_dpy, b, down, CurrentTime);
        ++events;
    }
    void click(unsigned b)
    {
        move(inside());
        const int times = m_rng.bounded(6) == 0 ? 2 : 1; // now and then a double click
        for (int i = 0; i < times; ++i) {
            button(b, true);
            button(b, false);
        }
    }
    void drag(bool out)
    {
        move(inside());
        button(1, true);
        const int steps = 3 + m_rng.bounded(12);
        const QPoint to = out ? anywhere() : inside();
        const QPoint from(m_window.center());
        for (int i = 1; i <= steps; ++i) {
            move(from + (to - from) * i / steps);
        }
        button(1, false);
        if (out) {
            move(inside());
        }
    }
    void wheel()
    {
        const unsigned b = 4 + unsigned(m_rng.bounded(4)); // up, down, left, right
        for (int i = 1 + m_rng.bounded(5); i > 0; --i) {
            button(b, true);
            button(b, false);
        }
    }
    void key(KeySym sym, bool shift)
    {
        const KeyCode shiftCode = XKeysymToKeycode(m_dpy, XK_Shift_L);
        const KeyCode code = XKeysymToKeycode(m_dpy, sym);
        if (shift) {
            XTestFakeKeyEvent(m_dpy, shiftCode, True, CurrentTime);
        }
        XTestFakeKeyEvent(m_dpy, code, True, CurrentTime);
        XTestFakeKeyEvent(m_dpy, code, False, CurrentTime);
        if (shift) {
            XTestFakeKeyEvent(m_dpy, shiftCode, False, CurrentTime);
        }
        events += shift ? 4 : 2;
    }
    void type()
    {
        for (int i = 3 + m_rng.bounded(12); i > 0; --i) {
            const int c = m_rng.bounded(37);
            key(c < 26 ? XK_a + KeySym(c) : c < 36 ? XK_0 + KeySym(c - 26) : XK_space, c < 26 && m_rng.bounded(5) == 0);
        }
    }

    Display *m_dpy;
    QRect m_window;
    QRandomGenerator m_rng;
};

class HardeningTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        // A window that is gone mid-storm must fail the test, not end it.
        XSetErrorHandler([](Display *, XErrorEvent *) {
            return 0;
        });
    }

    void storm()
    {
        const quint32 seed = qEnvironmentVariableIsSet("STORM_SEED") ? quint32(qEnvironmentVariableIntValue("STORM_SEED"))
                                                                      : QRandomGenerator::global()->generate() % 1000000;
        const int length = qEnvironmentVariableIsSet("STORM_EVENTS") ? qEnvironmentVariableIntValue("STORM_EVENTS") : 6000;
        std::printf("storm of %d events, seed %u (replay: STORM_SEED=%u)\n", length, seed, seed);
        std::fflush(stdout);

        XProgram p(m_server, program);
        QVERIFY(p.start(60000));
        const qint64 pid = p.pid();
        Display *dpy = m_server.display();
        Storm storm(dpy, p.geometry(), seed);
        int checked = -1000;
        bool ended = false;
        while (storm.events < length && !ended) {
            if (storm.events - checked >= 100) {
                ended = !alive(pid);
                // A click on a popup may have taken the focus away.
                XSetInputFocus(dpy, p.window(), RevertToParent, CurrentTime);
                checked = storm.events;
            }
            storm.step();
        }
        if (!ended) {
            storm.calm();
            p.close();
        }
        const int status = p.waitForExit(120000);
        const QByteArray output = p.output();
        QVERIFY2(holds(!ended && status == 0 && !reportsFault(output), output),
                 qPrintable(QStringLiteral("%1 after %2 events, status %3, seed %4")
                                .arg(QLatin1String(ended ? "ended" : "closed"))
                                .arg(storm.events)
                                .arg(status)
                                .arg(seed)));
    }

    void unknownOption()
    {
        // Watch the screen for any window that is mapped meanwhile.
        Display *dpy = m_server.display();
        XSelectInput(dpy, DefaultRootWindow(dpy), SubstructureNotifyMask);
        XSync(dpy, True);
        XProgram p(m_server, program, {QStringLiteral("--frobnicate")});
        QVERIFY(!p.start(2000)); // the window check is the MapNotify below
        const int status = p.waitForExit(30000);
        QVERIFY2(status > 0, qPrintable(QString::number(status)));
        QVERIFY2(p.output().contains("frobnicate"), p.output().constData());
        XSync(dpy, False);
        XEvent event;
        QVERIFY(!XCheckTypedEvent(dpy, MapNotify, &event));
        XSelectInput(dpy, DefaultRootWindow(dpy), NoEventMask);
    }

    void noDisplay_data()
    {
        QTest::addColumn<QString>("display"); // empty: not set
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("not set") << QString() << QByteArray("could not connect to display");
        QTest::newRow("no such server") << QStringLiteral(":65000") << QByteArray("could not connect to display :65000");
    }
    void noDisplay()
    {
        QFETCH(QString, display);
        QFETCH(QByteArray, says);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(QString::fromLatin1(name));
        }
        if (!display.isEmpty()) {
            env.insert(QStringLiteral("DISPLAY"), display);
        }
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, QStringList());
        QVERIFY(p.waitForFinished(30000)); // no hang
        const QByteArray output = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit, output.constData()); // not a crash
        QVERIFY(p.exitCode() != 0);
        QVERIFY2(output.contains(says), output.constData());
    }

    // A short session of every kind of input under memcheck; valgrind fails
    // the run (status 99) on any block definitely lost that the toolkit
    // suppressions do not explain.
    void memcheck()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("memcheck.log"));
        XProgram p(m_server, qEnvironmentVariable("VALGRIND"),
                   {QStringLiteral("--tool=memcheck"), QStringLiteral("--leak-check=full"), QStringLiteral("--show-leak-kinds=definite"),
                    QStringLiteral("--errors-for-leak-kinds=definite"), QStringLiteral("--error-exitcode=99"),
                    QStringLiteral("--child-silent-after-fork=yes"), QStringLiteral("--num-callers=40"),
                    QStringLiteral("--suppressions=") + qEnvironmentVariable("VALGRIND_SUPPRESSIONS"), QStringLiteral("--gen-suppressions=all"),
                    QStringLiteral("--log-file=") + log, program});
        QVERIFY(p.start(180000));
        p.focus();
        Storm session(m_server.display(), p.geometry(), 1);
        while (session.events < 300) {
            session.step();
            QThread::msleep(20);
        }
        session.calm();
        p.settle(2000);
        p.close();
        const int status = p.waitForExit(300000);
        QFile report(log);
        QVERIFY(report.open(QIODevice::ReadOnly));
        const QByteArray text = report.readAll();
        QVERIFY2(holds(status == 0 && text.contains("ERROR SUMMARY: 0 errors"), text), "memcheck found errors or lost blocks");
    }

private:
    XServer m_server;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: %s <program binary> [test functions...]\n", argv[0]);
        return 2;
    }
    program = arguments.takeAt(1);
    HardeningTest test;
    return QTest::qExec(&test, arguments);
}

#include "hardening_x11_test.moc"
