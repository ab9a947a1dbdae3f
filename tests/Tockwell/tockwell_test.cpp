// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clockrows.h"
#include "programtest.h"
#include "screentext.h"
#include "tockwell.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

class TockwellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The test runs before the event loop has delivered anything, so
        // before the first tick: nothing shown yet.
        QVERIFY(statusbar->currentMessage().isEmpty());
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QCOMPARE(timer->timerType(), Qt::PreciseTimer); // a coarse one skips and repeats seconds
        ProgramTest::checkFixedWindow(top, statusbar, QStringLiteral("KDE-QT Tockwell test!"));
    }

    // Each tick reads the clock and shows it on the screen, with leading
    // zeros, in the user's time zone: the clock is set, through libfaketime,
    // to just before the moment of each row (clockrows.h), and must pass it as
    // the row says. It is replaced every second, and never by a blank.
    void clock_data()
    {
        Clock::rows();
    }
    void clock()
    {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, moment);
        QFETCH(QStringList, passage);
        const QString file = qEnvironmentVariable("FAKETIME_TIMESTAMP_FILE");
        if (file.isEmpty()) {
            QSKIP("libfaketime is not installed");
        }
        qputenv("TZ", zone);
        tzset();
        // The clock reads the moment less 1.5 s at the next tick, which comes
        // a second from now on the restarted timer: the ticks fall in the
        // middle of its seconds, and the first shows the passage's first.
        QStringList seen;
        const auto tick = connect(statusbar, &QStatusBar::messageChanged, this, [&](const QString &text) {
            seen << text;
        });
        Clock::set(file, moment - 1500, 1000);
        timer->start();
        QTRY_VERIFY2_WITH_TIMEOUT(seen.endsWith(passage.last()), qPrintable(seen.join(QLatin1Char(' '))), 8000);
        disconnect(tick);
        QCOMPARE(seen, passage);
        const QImage pixels = ProgramTest::screenPixels(top).copy(QRect(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size()));
        QVERIFY(ScreenText::shows(pixels, statusbar->currentMessage())); // as of the grab
    }

    // A tick half a second late, as on a busy machine: the time stays until it comes.
    void lateTick()
    {
        const QSignalSpy messages(statusbar, &QStatusBar::messageChanged);
        const QString last = statusbar->currentMessage();
        QTest::qWait(500);
        timer->start();
        ProgramTest::waitPastTimeouts();
        QVERIFY(statusbar->currentMessage() != last);
        QVERIFY(!messages.contains({QString()}));
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(TockwellTest)

#include "tockwell_test.moc"
