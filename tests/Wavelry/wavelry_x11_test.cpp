// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "xsession.h"

#include <QTest>

class WavelryX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
    }

    // The whole life of one window: opening, real clicks, closing.
    void session()
    {
        XProgram p(m_server, QStringLiteral(PROGRAM_BINARY));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(50, 1, 700, 500));
        const SizeHints hints = p.sizeHints();
        QCOMPARE(hints.minimum, QSize(700, 500));
        QCOMPARE(hints.maximum, QSize(700, 500));
        QVERIFY2(p.name().contains(QStringLiteral("KDE-QT RadioButton test!")), qPrintable(p.name()));
        QVERIFY(p.waitUntil([&] { return p.pixel(400, 200) == QColor(250, 250, 200); }));

        // The status bar's text is drawn inside the window: dark pixels in its lower strip.
        const QRect bar(0, 460, 700, 40);
        const auto darkPixels = [&] {
            const QImage img = p.grab(bar);
            int n = 0;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    n += qGray(img.pixel(x, y)) < 100;
            return n;
        };
        QVERIFY(p.waitUntil([&] { return darkPixels() > 50; }));
        const QImage fm = p.grab(bar);

        // Button centres: group at (10, 10), buttons at (5, 20/40/60) in it.
        const auto clickBand = [&](int row) {
            p.click(10 + 5 + 8, 10 + 20 + 20 * row + 10);
        };
        clickBand(1);
        QVERIFY(p.waitUntil([&] { return p.grab(bar) != fm; }));
        const QImage am = p.grab(bar);
        clickBand(1); // already on: nothing changes
        QCOMPARE(p.grab(bar), am);
        clickBand(2);
        QVERIFY(p.waitUntil([&] { return p.grab(bar) != am; }));
        QVERIFY(p.grab(bar) != fm);
        clickBand(0);
        QVERIFY(p.waitUntil([&] { return p.grab(bar) == fm; }));

        p.close();
        QCOMPARE(p.waitForExit(), 0);
        QCOMPARE(p.output(), QByteArray()); // nothing printed on a healthy machine
    }

    void twoCopiesAtOnce()
    {
        XProgram a(m_server, QStringLiteral(PROGRAM_BINARY));
        XProgram b(m_server, QStringLiteral(PROGRAM_BINARY));
        QVERIFY(a.start());
        QVERIFY(b.start());
        QVERIFY(a.window() != b.window());
        a.close();
        QCOMPARE(a.waitForExit(), 0);
        QCOMPARE(b.geometry().size(), QSize(700, 500)); // still there
        b.close();
        QCOMPARE(b.waitForExit(), 0);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("--version");
        QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0 << QStringLiteral("1.0");
        QTest::newRow("unknown") << QStringList{QStringLiteral("--frobnicate")} << 1 << QStringLiteral("frobnicate");
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, says);
        XProgram p(m_server, QStringLiteral(PROGRAM_BINARY), arguments);
        QVERIFY(!p.start(3000)); // no window opens
        QCOMPARE(p.waitForExit(), status);
        QVERIFY2(p.output().contains(says.toUtf8()), p.output().constData());
    }

private:
    XServer m_server;
};

QTEST_GUILESS_MAIN(WavelryX11Test)

#include "wavelry_x11_test.moc"
