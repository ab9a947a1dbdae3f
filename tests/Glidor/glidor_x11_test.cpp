// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "screentext.h"
#include "x11test.h"

namespace
{
// Positions of the bars' parts in the window (Fusion style, 14-pixel arrows).
const QPoint horLeftArrow(12, 467);
const QPoint horRightArrow(668, 467);
const QPoint horGrooveRight(650, 467); // right of the slider up to value 92
const QPoint verUpArrow(687, 17);
const QPoint verDownArrow(687, 468);
const QPoint verGrooveLow(687, 450); // below the slider up to value 92

// The status bar's text row: below the bars, above the window's bottom edge.
const QRect textRow(0, 475, 700, 25);
}

class GlidorX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Real clicks on both bars' arrows and grooves; each new value is read
    // off the screen, and the last one goes after its second.
    void session()
    {
        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT Glidor test!")));
        QVERIFY(ScreenText::shows(p.grab(textRow), QString())); // nothing reported at start-up

        QStringList values; // what the bars can show, to tell in a failure
        for (int n = 0; n <= 100; ++n) {
            values << QString::number(n);
        }
        const struct {
            QPoint where;
            const char *shown;
        } steps[] = {
            {horRightArrow, "2"},   {horLeftArrow, "1"},    {horLeftArrow, "0"},     {horGrooveRight, "10"}, {horGrooveRight, "20"},
            {horGrooveRight, "30"}, {horGrooveRight, "40"}, {horGrooveRight, "50"},  {horGrooveRight, "60"}, {horGrooveRight, "70"},
            {horGrooveRight, "80"}, {horGrooveRight, "90"}, {horGrooveRight, "100"}, {verDownArrow, "2"},    {verGrooveLow, "12"},
            {verGrooveLow, "22"},   {verGrooveLow, "32"},   {verGrooveLow, "42"},    {verGrooveLow, "52"},   {verGrooveLow, "62"},
            {verGrooveLow, "72"},   {verGrooveLow, "82"},   {verGrooveLow, "92"},    {verGrooveLow, "100"},  {verUpArrow, "99"},
        };
        for (const auto &s : steps) {
            p.click(s.where.x(), s.where.y());
            const QString expected = QString::fromLatin1(s.shown);
            QImage seen; // the last text on the screen
            const bool shown = p.waitUntil([&] {
                const QImage row = p.grab(textRow);
                seen = ScreenText::inkBox(row).isEmpty() ? seen : row;
                return ScreenText::shows(row, expected);
            });
            QVERIFY2(shown, qPrintable(QStringLiteral("expected %1, read %2").arg(expected, ScreenText::read(seen, values))));
        }
        QVERIFY(p.waitUntil([&] {
            return ScreenText::shows(p.grab(textRow), QString());
        }));
        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(GlidorX11Test)

#include "glidor_x11_test.moc"
