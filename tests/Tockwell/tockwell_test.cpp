// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "clockpicture.h"
#include "programtest.h"
#include "tockwell.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QTime>
#include <QTimer>

extern KdeW *top;
extern QStatusBar *statusbar;
extern QTime Uhr;
extern QTimer *timer;

class TockwellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startState()
    {
        // The test runs before the event loop has delivered anything, so
        // before the first tick: nothing shown yet, the clock still at midnight.
        QVERIFY(statusbar->currentMessage().isEmpty());
        QCOMPARE(Uhr, QTime(0, 0));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
        QVERIFY(!timer->isSingleShot());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer); // a coarse one skips and repeats seconds
        QCOMPARE(timer->parent(), top);

        QVERIFY(QTest::qWaitForWindowExposed(top));
        QCOMPARE(top->size(), QSize(700, 500));
        QCOMPARE(top->minimumSize(), QSize(700, 500));
        QCOMPARE(top->maximumSize(), QSize(700, 500));
        QCOMPARE(top->palette().color(QPalette::Window), QColor(250, 250, 200));
        QVERIFY(top->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("KDE-QT Tockwell test!"));

        const QRect bar(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size());
        QVERIFY(statusbar->isVisible());
        QCOMPARE(bar.bottom(), 499);
        QCOMPARE(bar.width(), 700);
        QCOMPARE(statusbar->font().family(), QStringLiteral("courier"));
        QCOMPARE(statusbar->font().pointSize(), 14);
        QVERIFY(statusbar->font().bold());
    }

    void fixedSize()
    {
        top->resize(900, 700);
        QCOMPARE(top->size(), QSize(700, 500));
        top->resize(300, 200);
        QCOMPARE(top->size(), QSize(700, 500));
    }

    // Each tick reads the clock and shows it, with leading zeros, on the screen.
    void ticks()
    {
        for (int tick = 0; tick < 2; ++tick) {
            const QString before = statusbar->currentMessage();
            QTRY_VERIFY_WITH_TIMEOUT(statusbar->currentMessage() != before, 5000);
            const QTime now = QTime::currentTime();
            const QString text = statusbar->currentMessage();
            QVERIFY2(QRegularExpression(QStringLiteral("^([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]$")).match(text).hasMatch(),
                     qPrintable(text));
            QCOMPARE(text, Uhr.toString(QStringLiteral("HH:mm:ss")));
            const int late = (Uhr.msecsTo(now) + 86400000) % 86400000; // across midnight too
            QVERIFY2(late < 1000, qPrintable(QString::number(late)));

            const QImage pixels = ProgramTest::screenPixels(top).copy(QRect(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size()));
            const QString drawn = statusbar->currentMessage(); // as of the grab
            QCOMPARE(ClockPicture::read(pixels, {drawn}), drawn);
        }
    }
};

PROGRAM_TEST_MAIN(TockwellTest)

#include "tockwell_test.moc"
