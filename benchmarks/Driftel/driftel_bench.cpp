// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// What one mouse event costs: the handler stores the position and repaints
// at once, which draws the figure twice in XOR mode and copies the whole
// buffer onto the window. Compared with a plain copy of a buffer of the same
// size in device pixels, at each pixel density. Built twice: for Driftel
// and, with DRIFTEL2, for Driftel2.

#include "bench.h"
#include "programtest.h"
#ifdef DRIFTEL2
#include "driftel2.h"
#define PROGRAM "Driftel2"
#else
#include "driftel.h"
#define PROGRAM "Driftel"
#endif

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTest>

class DriftelBench : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mousePass()
    {
        QVERIFY(QTest::qWaitForWindowExposed(pFenster));

        // A drag to and fro between two nearby points, as a 1000 Hz mouse sends it.
        const QPoint points[2] = {QPoint(150, 300), QPoint(151, 301)};
        int next = 0;
        const auto pass = [&] {
            const QPoint at = points[next ^= 1];
            QMouseEvent e(QEvent::MouseMove, at, pFenster->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(pFenster, &e);
        };

        // The buffer's size in device pixels: on a HiDPI screen it is larger than the window.
        const QSize pixels = pFenster->size() * pFenster->devicePixelRatioF();
        QPixmap from(pixels);
        from.fill(Qt::white);
        QPixmap to(pixels);
        const auto copy = [&] {
            QPainter p(&to);
            p.drawPixmap(0, 0, from);
        };

        Bench::report(Bench::atDensity(PROGRAM " mouse pass (700 x 500) vs plain copy of the buffer", pFenster->devicePixelRatioF()).constData(),
                      Bench::compare(pass, copy));
    }
};

PROGRAM_BENCH_MAIN(DriftelBench)

#include "driftel_bench.moc"
