// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// One tick of a fall (the drawing pass into the buffer with both masks and
// the copy onto the window's backing store) against one plain copy of a
// buffer of the same size in device pixels, at each pixel density.

#include "bench.h"
#include "pebblor.h"
#include "programtest.h"

#include <QPainter>
#include <QTest>

class PebblorBench : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void frame()
    {
        QVERIFY(QTest::qWaitForWindowExposed(HFenster));
        SteinFaellt = true; // a stone between two holes, both masks on
        QPixmap source(HFenster->buffer.size());
        QPixmap target(HFenster->buffer.size());
        source.fill(Qt::blue);
        const Bench::Comparison c = Bench::compare(
            [] {
                y_pos = 198; // the tick moves it to 200 and draws the frame
                HFenster->timerAnimation();
            },
            [&] {
                QPainter p(&target);
                p.drawPixmap(0, 0, source);
            });
        SteinFaellt = false;
        Bench::report(Bench::atDensity("Pebblor frame (400 x 525) vs plain copy of the buffer", HFenster->devicePixelRatioF()).constData(), c);
        QVERIFY(c.ratio() > 0);
    }
};

PROGRAM_BENCH_MAIN(PebblorBench)

#include "pebblor_bench.moc"
