// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "screentext.h"
#include "x11test.h"

class QuilletX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Typed text and Return, read off the screen: the status bar shows the
    // field's text with its leading spaces, the field empties, and Return on
    // an empty field blanks the status bar.
    void session()
    {
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT LineEdit test!")));
        const auto field = [&] { // width of the ink in the field; its cursor alone is 1 or 2 pixels
            return ScreenText::inkBox(p.grab(QRect(112, 317, 476, 26))).width();
        };
        const auto bar = [&] {
            return p.grab(QRect(0, 467, 700, 33));
        };
        QVERIFY(field() <= 2);
        QVERIFY(ScreenText::shows(bar(), QString()));

        p.focus(); // the window gets the keyboard; no click into the field
        const QString texts[2] = {QStringLiteral("Hallo Welt"), QStringLiteral("  Hallo Welt")};
        int barStart[2];
        for (int i = 0; i < 2; ++i) {
            p.type(texts[i]);
            QVERIFY(p.waitUntil([&] {
                return field() > 50;
            }));
            QVERIFY(ScreenText::shows(bar(), i == 0 ? QString() : texts[0])); // typing alone changes nothing there
            p.key(QStringLiteral("Return"));
            QVERIFY(p.waitUntil([&] {
                return field() <= 2;
            }));
            QVERIFY2(p.waitUntil([&] {
                return ScreenText::shows(bar(), texts[i]);
            }),
                     qPrintable(texts[i]));
            barStart[i] = ScreenText::inkBox(bar()).left();
        }
        // The leading spaces move the text in the bar as far right as they do
        // in a drawing of it (to the pixel: glyphs may start at fractional positions).
        const int spaces = ScreenText::inkBox(ScreenText::drawn(texts[1])).left() - ScreenText::inkBox(ScreenText::drawn(texts[0])).left();
        QVERIFY2(spaces > 0 && qAbs(barStart[1] - barStart[0] - spaces) <= 1, qPrintable(QString::number(barStart[1] - barStart[0])));

        p.key(QStringLiteral("Return"));
        QVERIFY(p.waitUntil([&] {
            return ScreenText::shows(bar(), QString());
        }));
        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(QuilletX11Test)

#include "quillet_x11_test.moc"
