// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Built twice: for Driftel and, with DRIFTEL2, for Driftel2.

#include "driftelpicture.h"
#include "x11test.h"

#include <QTest>

class DriftelX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The whole life of one window: opening, real drags inside and past
    // its edges, a move with no button, closing.
    void session()
    {
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(1, 1, 700, 500));
        QCOMPARE(p.sizeHints().maximum, QSize(700, 500));
        QVERIFY(p.sizeHints().minimum.width() < 700 && p.sizeHints().minimum.height() < 500);
        QVERIFY2(p.name().startsWith(QStringLiteral("KDE-QT Driftel  \"Hello World\"  test!   ")), qPrintable(p.name()));

        QRect text;
        QString wrong;
        QVERIFY2(p.waitUntil([&] {
            return (wrong = Picture::checkStart(p.grab(), &text)).isEmpty();
        }),
                 qPrintable(wrong));
        const auto shows = [&](const Picture::Expected &e) {
            return p.waitUntil([&] {
                return (wrong = Picture::mismatch(p.grab(), e, text)).isEmpty();
            });
        };
        const QPoint start(100, 200);

        p.drag(start, QPoint(350, 430));
        QVERIFY2(shows({start, true, {{350, 430}}}), qPrintable(wrong));
        const QImage dragged = p.grab();

        p.moveTo(500, 60); // no button held: not delivered
        p.settle(300);
        QVERIFY(p.grab() == dragged);

        // Out past the right and bottom edges, past the left and top, and back.
        QPoint at(350, 430);
        const auto dragTo = [&](QPoint to) {
            for (int i = 1; i <= 5; ++i) {
                const QPoint q = at + (to - at) * i / 5;
                p.moveTo(q.x(), q.y());
                p.settle(20);
            }
            at = to;
        };
        p.moveTo(350, 430);
        p.settle(30);
        p.press();
        dragTo(QPoint(1000, 740));
        QVERIFY2(shows({start, true, {}}), qPrintable(wrong));
        dragTo(QPoint(-1, -1));
        QVERIFY2(shows({start, true, {{-1, -1}}}), qPrintable(wrong));
        dragTo(QPoint(350, 430));
        QVERIFY(p.waitUntil([&] {
            return p.grab() == dragged;
        }));
        p.release();

        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(DriftelX11Test)

#include "driftel_x11_test.moc"
