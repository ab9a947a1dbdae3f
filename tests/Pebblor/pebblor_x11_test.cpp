// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "x11test.h"

#include <QTest>

class PebblorX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One life of the window: the board, a fall started by a real click,
    // the AND step switched off during it, the board redrawn, closing.
    void session()
    {
        const QColor background(220, 220, 220), blue(0, 0, 255), gray(160, 160, 164), red(255, 0, 0), magenta(255, 0, 255);
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(1, 1, 400, 525));
        QCOMPARE(p.sizeHints().maximum, QSize()); // freely resizable
        QVERIFY2(p.name().contains(QStringLiteral("Pebblor")) && p.name().contains(QStringLiteral("QT-Demo")), qPrintable(p.name()));
        QVERIFY(p.waitUntil([&] {
            return p.pixel(5, 5) == background && p.pixel(75, 300) == blue && p.pixel(75, 145) == gray && p.pixel(75, 20) == background;
        }));

        p.click(220 + 50, 260 + 15); // "Stein Move": the stone comes down the entry strip
        QVERIFY(p.waitUntil([&] {
            return p.pixel(75, 20) == red;
        }));
        QCOMPARE(p.pixel(75, 101), blue); // hidden on the board

        p.click(170 + 15 + 8, 120 + 25 + 10); // "Maske1 Und" off: the stone leaves a magenta trace
        QVERIFY(p.waitUntil(
            [&] {
                return p.pixel(75, 191) == magenta;
            },
            15000));
        QCOMPARE(p.pixel(75, 101), magenta);
        QCOMPARE(p.pixel(75, 130), gray); // the holes keep none

        p.click(220 + 50, 350 + 15); // "Neu Zeichnen": the trace is gone, the fall goes on
        QVERIFY(p.waitUntil([&] {
            return p.pixel(75, 101) == blue;
        }));
        QVERIFY(p.waitUntil(
            [&] {
                return p.pixel(75, 241) == red;
            },
            10000)); // seen through the second hole
        QCOMPARE(p.pixel(75, 101), blue);
        QCOMPARE(p.pixel(75, 191), magenta);

        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(PebblorX11Test)

#include "pebblor_x11_test.moc"
