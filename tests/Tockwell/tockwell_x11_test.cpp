// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clockpicture.h"
#include "xsession.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

// The program runs under a fake clock (libfaketime): its time of day is the
// real one plus an offset that the test writes into a file and may change
// at any moment, as setting the system clock does. The timers keep the real
// monotonic clock. The clock's text is read off the screen by comparing it
// with the texts drawn by this process, on the same X server and in the
// same font.
class TockwellX11Test : public QObject
{
    Q_OBJECT

public:
    explicit TockwellX11Test(XServer &server)
        : m_server(server)
    {
    }

private:
    XServer &m_server;
    QTemporaryDir m_dir;

    QString clockFile() const
    {
        return m_dir.filePath(QStringLiteral("clock"));
    }

    // The program's clock then reads `fake` at real time `real` (both in ms since the epoch, UTC).
    void setClock(qint64 fake, qint64 real) const
    {
        // Written aside and renamed: the program reads the file at every look at the clock.
        QSaveFile f(clockFile());
        const qint64 offset = fake - real;
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QByteArray::number(double(offset) / 1000.0, 'f', 3).prepend(offset >= 0 ? "+" : ""));
            f.commit();
        }
    }

    static qint64 now()
    {
        return QDateTime::currentMSecsSinceEpoch();
    }

    static qint64 at(const char *utc)
    {
        return QDateTime::fromString(QString::fromLatin1(utc), Qt::ISODate).toMSecsSinceEpoch();
    }

    static QString hms(qint64 ms)
    {
        return QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC).toString(QStringLiteral("HH:mm:ss"));
    }

private Q_SLOTS:
    void clock()
    {
        QVERIFY(m_dir.isValid());
        const qint64 midnight = at("2026-01-02T00:00:00Z");
        QElapsedTimer sinceStart;
        sinceStart.start();
        setClock(midnight - 10000, now());

        XProgram p(m_server, QStringLiteral(PROGRAM_BINARY));
        p.setEnvironment(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKETIME_LIBRARY));
        // In the sanitizer build its runtime would insist on coming first.
        p.setEnvironment(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        p.setEnvironment(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), clockFile());
        p.setEnvironment(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("TZ"), QStringLiteral("UTC"));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(50, 1, 700, 500));
        QVERIFY2(p.name().contains(QStringLiteral("KDE-QT Tockwell test!")), qPrintable(p.name()));

        const QRect bar(0, 440, 700, 60); // the status bar along the bottom edge
        const auto shows = [&](const QStringList &candidates) {
            return ClockPicture::read(p.grab(bar), candidates);
        };
        // Empty until the first tick, which comes a second after start-up;
        // only a check made well before that says anything. (Before its
        // first paint the window is black all over.)
        QVERIFY(p.waitUntil([&] { return p.pixel(400, 200) == QColor(250, 250, 200); }));
        const QString first = shows({});
        if (sinceStart.elapsed() < 700) {
            QCOMPARE(first, QString());
        }

        // Ticks keep the phase of the first. Set the clock right after one
        // so that they fall in the middle of its seconds, whatever the delay
        // of the test in seeing them, and it reaches midnight at the fourth.
        QStringList around;
        for (qint64 ms = midnight - 10000; ms <= midnight + 2000; ms += 1000) {
            around << hms(ms);
        }
        QVERIFY(p.waitUntil([&] { return around.contains(shows(around)); }));
        const auto nextTick = [&] {
            const QImage before = p.grab(bar);
            return p.waitUntil([&] { return p.grab(bar) != before; }, 4000);
        };
        QVERIFY(nextTick());
        setClock(midnight - 2500, now() + 1000);

        // The passage through midnight, as it comes on the screen.
        QStringList seen;
        QVERIFY(p.waitUntil(
            [&] {
                const QString s = shows(around);
                if (seen.isEmpty() || seen.last() != s) {
                    seen << s;
                }
                return s == QStringLiteral("00:00:01") || s == QStringLiteral("?");
            },
            10000));
        QVERIFY2(seen.join(QLatin1Char(' ')).endsWith(QStringLiteral("23:59:58 23:59:59 00:00:00 00:00:01")), qPrintable(seen.join(QLatin1Char(' '))));

        // The system clock is set, forward and back: the next tick shows the new time.
        for (const char *time : {"2026-03-04T07:05:09Z", "2025-12-31T00:09:03Z"}) {
            // Set the clock right after a tick, well before the next one,
            // so that the next one reads `time` and a half.
            for (;;) {
                QVERIFY(nextTick());
                const qint64 tick = now();
                setClock(at(time) + 500, tick + 1000);
                if (now() - tick < 300) {
                    break;
                }
            }
            QVERIFY(nextTick());
            QStringList near; // what a tick early or late would show, to tell in a failure
            for (int s = -3; s <= 3; ++s) {
                near << hms(at(time) + s * 1000);
            }
            QCOMPARE(shows(near), hms(at(time)));
        }

        p.close();
        QCOMPARE(p.waitForExit(), 0);
        QCOMPARE(p.output(), QByteArray()); // nothing printed on a healthy machine
    }
};

int main(int argc, char **argv)
{
    // This process draws its texts on the program's X server, so that
    // resolution and fonts are the same as the program's.
    XServer server;
    if (!server.start()) {
        qCritical("Xvfb did not start");
        return 1;
    }
    qputenv("DISPLAY", server.name().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("XDG_RUNTIME_DIR", server.runtimeDir().toLocal8Bit());
    QGuiApplication app(argc, argv);
    TockwellX11Test test(server);
    return QTest::qExec(&test, argc, argv);
}

#include "tockwell_x11_test.moc"
