// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "lcdreader.h"
#include "screentext.h"
#include "x11test.h"

class NotchlyX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The whole life of one window: opening, a real drag with the display
    // read off the screen at every step, keys at both ends, closing.
    void session()
    {
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT Slider test!")));

        const auto shown = [&] {
            return LcdReader::value(p.grab(QRect(150, 200, 400, 150)), 4);
        };
        QVERIFY(p.waitUntil([&] {
            return shown() == 0;
        }));

        // The status bar strip below the slider: empty, and it stays so.
        const QRect bar(0, 460, 700, 40);
        QVERIFY(ScreenText::shows(p.grab(bar), QString()));

        // Drag the handle from its left end past the slider's right end
        // (x 20 to 679), reading the display while the button is held.
        const int y = 425;
        p.moveTo(23, y);
        p.settle(30);
        p.press();
        p.settle(30);
        QList<int> seen;
        int last = 0;
        for (int x = 70; x <= 620; x += 50) {
            p.moveTo(x, y);
            QVERIFY2(p.waitUntil([&] {
                return shown() > last;
            }),
                     qPrintable(QStringLiteral("no new value at x %1").arg(x)));
            p.settle(50); // let the display catch up with the last motion
            last = shown();
            QVERIFY2(last > 0 && last < 9999, qPrintable(QString::number(last)));
            seen << last;
        }
        p.moveTo(699, y); // beyond the end
        QVERIFY(p.waitUntil([&] {
            return shown() == 9999;
        }));
        p.release();
        p.settle();
        QCOMPARE(shown(), 9999);
        QVERIFY2(seen.size() == 12, qPrintable(QString::number(seen.size()))); // one new value at each step, all in between
        // Back beyond the left end, through the handle now at the right end.
        p.drag(QPoint(676, y), QPoint(2, y), 8);
        QVERIFY(p.waitUntil([&] {
            return shown() == 0;
        }));

        // Keys: End and Home jump, the arrows and page keys stop at either end.
        p.focus();
        const struct {
            const char *key;
            int expected;
        } keys[] = {{"End", 9999},
                    {"Right", 9999},
                    {"Prior", 9999},
                    {"Up", 9999},
                    {"Left", 9998},
                    {"Home", 0},
                    {"Left", 0},
                    {"Next", 0},
                    {"Down", 0},
                    {"Up", 1},
                    {"Prior", 11}};
        for (const auto &k : keys) {
            p.key(QString::fromLatin1(k.key));
            QVERIFY2(p.waitUntil([&] {
                return shown() == k.expected;
            }),
                     qPrintable(QStringLiteral("%1: shows %2, not %3").arg(QLatin1String(k.key)).arg(shown()).arg(k.expected)));
        }

        QVERIFY(ScreenText::shows(p.grab(bar), QString())); // nothing was ever written there
        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(NotchlyX11Test)

#include "notchly_x11_test.moc"
