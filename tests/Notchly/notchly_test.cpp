// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "lcdreader.h"
#include "notchly.h"
#include "programtest.h"

#include <QLCDNumber>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include <climits>
#include <memory>

class NotchlyTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QSignalSpy> m_messages; // made anew for every test function

    // The digits on the screen, read from the display's segments.
    static QString shown()
    {
        return LcdReader::digits(ProgramTest::screenPixels(top).copy(lcd->geometry()), lcd->digitCount());
    }

private Q_SLOTS:
    // The slider at its left end, the display showing 0, both found by
    // their object names; the (empty) status bar clear of the slider.
    void initTestCase()
    {
        ProgramTest::checkFixedWindow(top, statusbar, QStringLiteral("KDE-QT Slider test!"));
        QCOMPARE(top->findChild<QLCDNumber *>(QStringLiteral("lcd")), lcd);
        QCOMPARE(top->findChild<QSlider *>(QStringLiteral("slider")), slider);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(shown(), QStringLiteral("   0"));
        QVERIFY(statusbar->mapTo(top, QPoint(0, 0)).y() >= slider->geometry().bottom());
    }

    // Nothing that happens in the window writes into the status bar.
    void init()
    {
        m_messages = std::make_unique<QSignalSpy>(statusbar, SIGNAL(messageChanged(QString)));
    }
    void cleanup()
    {
        QCOMPARE(m_messages->count(), 0);
        QVERIFY(statusbar->currentMessage().isEmpty());
    }

    // Every digit in every position, blanks before short numbers, and values
    // outside the range, which the slider clamps before the display sees them.
    void valueReachesDisplay()
    {
        const struct {
            int set;
            const char *digits;
        } values[] = {{1, "   1"},
                      {80, "  80"},
                      {1234, "1234"},
                      {5678, "5678"},
                      {9012, "9012"},
                      {3456, "3456"},
                      {7890, "7890"},
                      {1000, "1000"},
                      {9999, "9999"},
                      {10000, "9999"},
                      {INT_MAX, "9999"},
                      {0, "   0"},
                      {-1, "   0"},
                      {INT_MIN, "   0"}};
        for (const auto &v : values) {
            slider->setValue(v.set);
            const QString digits = QString::fromLatin1(v.digits);
            QCOMPARE(shown(), digits);
            QCOMPARE(slider->value(), digits.trimmed().toInt());
        }
    }

    // Keys from the middle and at both ends: never outside 0 to 9999.
    void keys()
    {
        const struct {
            int from;
            Qt::Key key;
            int expected;
        } keys[] = {{5000, Qt::Key_Home, 0},
                    {5000, Qt::Key_End, 9999},
                    {5000, Qt::Key_Right, 5001},
                    {5000, Qt::Key_Up, 5001},
                    {5000, Qt::Key_Left, 4999},
                    {5000, Qt::Key_Down, 4999},
                    {5000, Qt::Key_PageUp, 5010},
                    {5000, Qt::Key_PageDown, 4990},
                    {0, Qt::Key_Left, 0},
                    {0, Qt::Key_Down, 0},
                    {0, Qt::Key_PageDown, 0},
                    {5, Qt::Key_PageDown, 0},
                    {9999, Qt::Key_Right, 9999},
                    {9999, Qt::Key_Up, 9999},
                    {9999, Qt::Key_PageUp, 9999},
                    {9995, Qt::Key_PageUp, 9999}};
        for (const auto &k : keys) {
            slider->setValue(k.from);
            QTest::keyClick(slider, k.key);
            const QString what = QStringLiteral("key %1 from %2").arg(QKeySequence(k.key).toString()).arg(k.from);
            QVERIFY2(slider->value() == k.expected, qPrintable(what));
            QVERIFY2(shown() == QStringLiteral("%1").arg(k.expected, 4), qPrintable(what));
        }
        ProgramTest::waitPastTimeouts(); // nothing happens: the number stays, the status bar empty
        QCOMPARE(shown(), QStringLiteral("9999"));
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(NotchlyTest)

#include "notchly_test.moc"
