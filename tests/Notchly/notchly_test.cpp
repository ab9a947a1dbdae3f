// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "lcdreader.h"
#include "notchly.h"
#include "programtest.h"

#include <QGuiApplication>
#include <QLCDNumber>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include <climits>

extern KdeW *top;
extern QStatusBar *statusbar;
extern QLCDNumber *lcd;
extern QSlider *slider;

class NotchlyTest : public QObject
{
    Q_OBJECT

private:
    QSignalSpy *m_messages = nullptr;

    // The number on the screen, read from the display's segments.
    static int shown()
    {
        return LcdReader::value(ProgramTest::screenPixels(top).copy(lcd->geometry()), lcd->digitCount());
    }

private Q_SLOTS:
    void startState()
    {
        m_messages = new QSignalSpy(statusbar, SIGNAL(messageChanged(QString)));
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QCOMPARE(top->size(), QSize(700, 500));
        QCOMPARE(top->minimumSize(), QSize(700, 500));
        QCOMPARE(top->maximumSize(), QSize(700, 500));
        QCOMPARE(top->palette().color(QPalette::Window), QColor(250, 250, 200));
        QVERIFY(top->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("KDE-QT Slider test!"));

        QCOMPARE(slider->objectName(), QStringLiteral("slider"));
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->geometry(), QRect(20, 400, 660, 50));
        QCOMPARE(slider->minimum(), 0);
        QCOMPARE(slider->maximum(), 9999);
        QCOMPARE(slider->value(), 0);
        QVERIFY(slider->hasTracking()); // the display follows a drag, not only its end
        QCOMPARE(lcd->objectName(), QStringLiteral("lcd"));
        QCOMPARE(lcd->geometry(), QRect(150, 200, 400, 150));
        QCOMPARE(lcd->digitCount(), 4);
        QCOMPARE(lcd->intValue(), 0);
        QCOMPARE(LcdReader::digits(ProgramTest::screenPixels(top).copy(lcd->geometry()), 4), QStringLiteral("   0"));

        // The (empty) status bar lies inside the window along its bottom edge, clear of the slider.
        const QRect bar(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size());
        QVERIFY(statusbar->isVisible());
        QCOMPARE(bar.bottom(), 499);
        QCOMPARE(bar.width(), 700);
        QVERIFY(bar.top() >= slider->geometry().bottom());
        QVERIFY(statusbar->currentMessage().isEmpty());
    }

    void fixedSize()
    {
        top->resize(900, 700);
        QCOMPARE(top->size(), QSize(700, 500));
        top->resize(300, 200);
        QCOMPARE(top->size(), QSize(700, 500));
    }

    // Every digit in every position, blanks before short numbers, and values
    // outside the range, which the slider clamps before the display sees them.
    void valueReachesDisplay_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("digits");
        QTest::newRow("1") << 1 << 1 << QStringLiteral("   1");
        QTest::newRow("80") << 80 << 80 << QStringLiteral("  80");
        QTest::newRow("1234") << 1234 << 1234 << QStringLiteral("1234");
        QTest::newRow("5678") << 5678 << 5678 << QStringLiteral("5678");
        QTest::newRow("9012") << 9012 << 9012 << QStringLiteral("9012");
        QTest::newRow("3456") << 3456 << 3456 << QStringLiteral("3456");
        QTest::newRow("7890") << 7890 << 7890 << QStringLiteral("7890");
        QTest::newRow("1000") << 1000 << 1000 << QStringLiteral("1000");
        QTest::newRow("max") << 9999 << 9999 << QStringLiteral("9999");
        QTest::newRow("above max") << 10000 << 9999 << QStringLiteral("9999");
        QTest::newRow("INT_MAX") << INT_MAX << 9999 << QStringLiteral("9999");
        QTest::newRow("back to 0") << 0 << 0 << QStringLiteral("   0");
        QTest::newRow("below 0") << -1 << 0 << QStringLiteral("   0");
        QTest::newRow("INT_MIN") << INT_MIN << 0 << QStringLiteral("   0");
    }
    void valueReachesDisplay()
    {
        QFETCH(int, set);
        QFETCH(int, expected);
        QFETCH(QString, digits);
        slider->setValue(set);
        QCOMPARE(slider->value(), expected);
        QCOMPARE(lcd->intValue(), expected);
        QVERIFY(!lcd->checkOverflow(lcd->intValue()));
        QCOMPARE(LcdReader::digits(ProgramTest::screenPixels(top).copy(lcd->geometry()), 4), digits);
    }

    // Keys from the middle and at both ends: never outside 0 to 9999.
    void keys_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("Home") << 5000 << int(Qt::Key_Home) << 0;
        QTest::newRow("End") << 5000 << int(Qt::Key_End) << 9999;
        QTest::newRow("Right") << 5000 << int(Qt::Key_Right) << 5001;
        QTest::newRow("Up") << 5000 << int(Qt::Key_Up) << 5001;
        QTest::newRow("Left") << 5000 << int(Qt::Key_Left) << 4999;
        QTest::newRow("Down") << 5000 << int(Qt::Key_Down) << 4999;
        QTest::newRow("PageUp") << 5000 << int(Qt::Key_PageUp) << 5010;
        QTest::newRow("PageDown") << 5000 << int(Qt::Key_PageDown) << 4990;
        QTest::newRow("Left at 0") << 0 << int(Qt::Key_Left) << 0;
        QTest::newRow("Down at 0") << 0 << int(Qt::Key_Down) << 0;
        QTest::newRow("PageDown at 0") << 0 << int(Qt::Key_PageDown) << 0;
        QTest::newRow("Home at 0") << 0 << int(Qt::Key_Home) << 0;
        QTest::newRow("PageDown at 5") << 5 << int(Qt::Key_PageDown) << 0;
        QTest::newRow("Right at 9999") << 9999 << int(Qt::Key_Right) << 9999;
        QTest::newRow("Up at 9999") << 9999 << int(Qt::Key_Up) << 9999;
        QTest::newRow("PageUp at 9999") << 9999 << int(Qt::Key_PageUp) << 9999;
        QTest::newRow("End at 9999") << 9999 << int(Qt::Key_End) << 9999;
        QTest::newRow("PageUp at 9995") << 9995 << int(Qt::Key_PageUp) << 9999;
    }
    void keys()
    {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, expected);
        slider->setValue(from);
        QTest::keyClick(slider, Qt::Key(key));
        QCOMPARE(slider->value(), expected);
        QCOMPARE(lcd->intValue(), expected);
        QCOMPARE(shown(), expected);
    }

    void statusBarNeverWritten()
    {
        QCOMPARE(m_messages->count(), 0);
        QVERIFY(statusbar->currentMessage().isEmpty());
        delete m_messages;
    }
};

PROGRAM_TEST_MAIN(NotchlyTest)

#include "notchly_test.moc"
