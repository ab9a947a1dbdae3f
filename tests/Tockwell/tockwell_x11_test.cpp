// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clockrows.h"
#include "screentext.h"
#include "x11test.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

// The program runs under a fake clock (libfaketime): its time of day is the
// real one plus an offset that the test writes into a file and may change
// at any moment, as setting the system clock does, and its time zone is the
// row's (clockrows.h). The timers keep the real monotonic clock. The clock's
// text is read off the screen by comparing it with the texts drawn by this
// process, on the same X server and in the same font.
class TockwellX11Test : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private Q_SLOTS:
    void clock_data()
    {
        Clock::rows();
    }
    void clock()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, moment);
        QFETCH(QStringList, passage);
        QVERIFY(m_dir.isValid());
        const QString clockFile = m_dir.filePath(QStringLiteral("clock"));
        QElapsedTimer sinceStart;
        sinceStart.start();
        Clock::set(clockFile, moment + 12 * 3600 * 1000); // half a day later

        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        p.setEnvironment(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKETIME_LIBRARY));
        // In the sanitizer build its runtime would insist on coming first.
        p.setEnvironment(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        p.setEnvironment(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), clockFile);
        p.setEnvironment(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("TZ"), QString::fromLatin1(zone));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT Tockwell test!")));

        const QRect bar(0, 440, 700, 60); // the status bar along the bottom edge
        const auto shows = [&](const QStringList &candidates) {
            return ScreenText::read(p.grab(bar), candidates);
        };
        // Empty until the first tick, which comes a second after start-up;
        // only a check made well before that says anything.
        const QString first = shows({});
        if (sinceStart.elapsed() < 700) {
            QCOMPARE(first, QString());
        }
        QVERIFY(p.waitUntil([&] {
            return !shows({}).isEmpty();
        }));

        // The system clock is set back: the next tick shows the new time. Ticks
        // keep the phase of the first; set right after one, the clock's ticks
        // fall in the middle of its seconds, whatever the delay of the test in
        // seeing them (under half a second): the passage through the row's
        // moment, as it comes on the screen from the next tick on.
        Clock::set(clockFile, moment - 1500, 1000);
        QStringList seen;
        const auto passed = [&] {
            const QString s = shows(passage);
            if (seen.isEmpty() || seen.last() != s) {
                seen << s;
            }
            return s == passage.last();
        };
        QVERIFY2(p.waitUntil(passed, 10000), qPrintable(seen.join(QLatin1Char(' '))));
        QVERIFY2(seen.join(QLatin1Char(' ')).endsWith(passage.join(QLatin1Char(' '))), qPrintable(seen.join(QLatin1Char(' '))));

        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(TockwellX11Test)

#include "tockwell_x11_test.moc"
