// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "programtest.h"
#include "screentext.h"
#include "tockwell.h"

#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTime>
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

    // Each tick reads the clock and shows it, with leading zeros, on the
    // screen. Under the fixed clock of the test's CMakeLists the hour is 7.
    // The time is replaced every second, and never by a blank.
    void ticks()
    {
        const bool fixedClock = qEnvironmentVariableIsSet("FAKETIME");
        const QSignalSpy messages(statusbar, &QStatusBar::messageChanged);
        for (int tick = 0; tick < 2; ++tick) {
            const QString before = statusbar->currentMessage();
            QTRY_VERIFY_WITH_TIMEOUT(statusbar->currentMessage() != before, 5000);
            const QTime now = QTime::currentTime();
            const QString text = statusbar->currentMessage();
            QCOMPARE(text, Uhr.toString(QStringLiteral("HH:mm:ss")));
            QVERIFY2(!fixedClock || text.startsWith(QLatin1String("07:05:")), qPrintable(text));
            const int late = (Uhr.msecsTo(now) + 86400000) % 86400000; // across midnight too
            QVERIFY2(late < 1000, qPrintable(QString::number(late)));

            const QImage pixels = ProgramTest::screenPixels(top).copy(QRect(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size()));
            QVERIFY(ScreenText::shows(pixels, statusbar->currentMessage())); // as of the grab
        }
        // A tick half a second late, as on a busy machine: the time stays until it comes.
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
