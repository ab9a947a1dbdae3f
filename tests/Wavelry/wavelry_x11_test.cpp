// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "screentext.h"
#include "x11test.h"

class WavelryX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The whole life of one window: opening, real clicks with the status
    // bar read off the screen after each, closing.
    void session()
    {
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT RadioButton test!")));
        const QRect bar(0, 460, 700, 40);
        QVERIFY(p.waitUntil([&] {
            return ScreenText::shows(p.grab(bar), QStringLiteral("FM is true!"));
        }));

        // Button centres: group at (10, 10), buttons at (5, 20/40/60) in it.
        // A click on the button that is on already changes nothing.
        const struct {
            int row;
            const char *shown;
        } clicks[] = {{1, "AM is true!"}, {1, "AM is true!"}, {2, "LW is true!"}, {0, "FM is true!"}};
        for (const auto &c : clicks) {
            p.click(10 + 5 + 8, 10 + 20 + 20 * c.row + 10);
            const QString shown = QString::fromLatin1(c.shown);
            QVERIFY2(p.waitUntil([&] {
                return ScreenText::shows(p.grab(bar), shown);
            }),
                     c.shown);
        }
        X11Test::closeCleanly(p);
    }

    // Nothing ties one running copy to another: both open, and closing one
    // leaves the other working.
    void twoCopiesAtOnce()
    {
        XProgram a(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        XProgram b(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(X11Test::openFixedWindow(a, QStringLiteral("KDE-QT RadioButton test!")));
        QVERIFY(X11Test::openFixedWindow(b, QStringLiteral("KDE-QT RadioButton test!")));
        QVERIFY(a.window() != b.window());
        X11Test::closeCleanly(a);
        b.click(10 + 5 + 8, 10 + 20 + 20 * 2 + 10); // "LW"
        QVERIFY(b.waitUntil([&] {
            return ScreenText::shows(b.grab(QRect(0, 460, 700, 40)), QStringLiteral("LW is true!"));
        }));
        X11Test::closeCleanly(b);
    }

    // What the command line offers besides starting (an unknown option is
    // refused, as by every program, in the start-up checks).
    void commandLine_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("--version");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("1.0");
    }
    void commandLine()
    {
        QFETCH(QString, option);
        QFETCH(QString, says);
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY), {option});
        QVERIFY(p.launch());
        QCOMPARE(p.waitForExit(30000), 0); // at once, without a window to close
        QVERIFY2(p.output().contains(says.toUtf8()), p.output().constData());
    }
};

X11_TEST_MAIN(WavelryX11Test)

#include "wavelry_x11_test.moc"
