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

#include <X11/Xlib.h>

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

// Random input through the harness (XTest), counted event by event.
class Storm
{
public:
    Storm(XProgram &program, quint32 seed)
        : m_program(program)
        , m_size(program.geometry().size())
        , m_rng(seed)
    {
    }
    int events = 0;

    void step()
    {
        const int r = m_rng.bounded(100);
        if (r < 20) {
            move(inside());
        } else if (r < 42) {
            click(m_rng.bounded(10) == 0 ? 2 + m_rng.bounded(2) : 1); // mostly the left button
        } else if (r < 56) {
            drag(m_rng.bounded(4) == 0); // some leave the window
        } else if (r < 68) {
            wheel();
        } else if (r < 90) {
            key(QLatin1String(keys[m_rng.bounded(int(std::size(keys)))]));
        } else {
            type();
        }
        m_program.settle(2 + m_rng.bounded(14)); // the program handles most of it between steps
    }
    // Nothing held when the storm ends.
    void calm()
    {
        move(QRect(QPoint(), m_size).center());
        for (int b = 1; b <= 3; ++b) {
            m_program.release(b);
        }
        key(QStringLiteral("Escape")); // a context menu left open
    }

private:
    static constexpr const char *keys[] = {"Return",    "Tab",    "Left",  "Right", "Up", "Down", "Home", "End", "Prior", "Next",
                                           "BackSpace", "Delete", "space", "a",     "E",  "q",    "X",    "z",   "1",     "0"};

    QPoint inside()
    {
        return {1 + m_rng.bounded(m_size.width() - 2), 1 + m_rng.bounded(m_size.height() - 2)};
    }
    QPoint outside()
    {
        return {m_rng.bounded(-60, m_size.width() + 60), m_size.height() + 1 + m_rng.bounded(60)};
    }
    void move(const QPoint &p)
    {
        m_program.moveTo(p.x(), p.y());
        ++events;
    }
    void click(int button)
    {
        move(inside());
        for (int i = m_rng.bounded(6) == 0 ? 2 : 1; i > 0; --i) { // now and then a double click
            m_program.press(button);
            m_program.release(button);
            events += 2;
        }
    }
    void drag(bool out)
    {
        const QPoint from = inside();
        const QPoint to = out ? outside() : inside();
        move(from);
        m_program.press(1);
        const int steps = 3 + m_rng.bounded(12);
        for (int i = 1; i <= steps; ++i) {
            move(from + (to - from) * i / steps);
        }
        m_program.release(1);
        events += 2;
    }
    void wheel()
    {
        const int button = 4 + m_rng.bounded(4); // up, down, left, right
        for (int i = 1 + m_rng.bounded(5); i > 0; --i) {
            m_program.press(button);
            m_program.release(button);
            events += 2;
        }
    }
    void key(const QString &keysym)
    {
        m_program.key(keysym);
        events += keysym.size() == 1 && keysym.at(0).isUpper() ? 4 : 2; // with Shift
    }
    void type()
    {
        static const QString characters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ");
        QString text;
        for (int i = 3 + m_rng.bounded(12); i > 0; --i) {
            text += characters.at(m_rng.bounded(characters.size()));
        }
        m_program.type(text);
        for (const QChar c : text) {
            events += c.isUpper() ? 4 : 2;
        }
    }

    XProgram &m_program;
    QSize m_size;
    QRandomGenerator m_rng;
};

class HardeningTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start()); // with the harness's X error handler: a window gone mid-storm fails the test, not ends it
    }

    void storm()
    {
        const quint32 seed =
            qEnvironmentVariableIsSet("STORM_SEED") ? quint32(qEnvironmentVariableIntValue("STORM_SEED")) : QRandomGenerator::global()->generate() % 1000000;
        const int length = qEnvironmentVariableIsSet("STORM_EVENTS") ? qEnvironmentVariableIntValue("STORM_EVENTS") : 6000;
        std::printf("storm of %d events, seed %u (replay: STORM_SEED=%u)\n", length, seed, seed);
        std::fflush(stdout);

        XProgram p(m_server, program);
        QVERIFY(p.start(60000));
        const qint64 pid = p.pid();
        Storm storm(p, seed);
        int checked = -1000;
        bool ended = false;
        while (storm.events < length && !ended) {
            if (storm.events - checked >= 100) {
                ended = !alive(pid);
                // A click on a popup may have taken the focus away.
                XSetInputFocus(m_server.display(), p.window(), RevertToParent, CurrentTime);
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
        const QString options = QStringLiteral(
            "--tool=memcheck --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite --error-exitcode=99 "
            "--child-silent-after-fork=yes --num-callers=40 --gen-suppressions=all");
        XProgram p(m_server,
                   qEnvironmentVariable("VALGRIND"),
                   options.split(QLatin1Char(' ')) << QStringLiteral("--suppressions=") + qEnvironmentVariable("VALGRIND_SUPPRESSIONS")
                                                   << QStringLiteral("--log-file=") + log << program);
        QVERIFY(p.start(180000));
        p.focus();
        Storm session(p, 1);
        while (session.events < 300) {
            session.step();
            p.settle(20);
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
