// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "xsession.h"

#include <QTest>

namespace
{
const QRect fieldInside(112, 317, 476, 26);
const QRect statusBar(0, 467, 700, 33);

// How many dark pixels each column of a picture holds. The field and the
// status bar draw in the same font, so the same text gives the same
// profile in both, whatever the background.
QVector<int> darkColumns(const QImage &img)
{
    QVector<int> columns(img.width());
    for (int x = 0; x < img.width(); ++x) {
        for (int y = 0; y < img.height(); ++y) {
            columns[x] += qGray(img.pixel(x, y)) < 128;
        }
    }
    return columns;
}

// Where the text begins and ends; the field's one-pixel cursor, standing
// alone, is not text. {-1, -1} for no text.
QPair<int, int> textSpan(const QVector<int> &c)
{
    const auto lit = [&](int x) {
        return x >= 0 && x < c.size() && c[x] > 0;
    };
    int first = -1, last = -1;
    for (int x = 0; x < c.size(); ++x) {
        if (lit(x) && (lit(x - 1) || lit(x + 1))) {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return {first, last};
}

// True when the status bar's text has the field's profile, column by column.
// The two may place a glyph a pixel apart (fractional advances), so each
// column is matched with the closest of its neighbours.
bool sameText(const QVector<int> &field, const QVector<int> &bar)
{
    const auto f = textSpan(field);
    const auto b = textSpan(bar);
    if (f.first < 0 || b.first < 0 || qAbs((f.second - f.first) - (b.second - b.first)) > 1) {
        return false;
    }
    int differences = 0, total = 0;
    for (int i = 0; i <= b.second - b.first; ++i) {
        const int x = f.first + i;
        int d = qAbs(field[x] - bar[b.first + i]);
        for (int n : {x - 1, x + 1}) {
            if (n >= 0 && n < field.size()) {
                d = qMin(d, qAbs(field[n] - bar[b.first + i]));
            }
        }
        differences += d;
        total += bar[b.first + i];
    }
    return differences * 20 <= total; // within 5 %: antialiasing over two backgrounds
}
}

class QuilletX11Test : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_server.start());
    }

    // Typed text and Return, read off the screen: the status bar shows the
    // field's text with its leading spaces, the field empties, and Return on
    // an empty field blanks the status bar.
    void session()
    {
        XProgram p(m_server, QStringLiteral(PROGRAM_BINARY));
        QVERIFY(p.start());
        QCOMPARE(p.geometry(), QRect(50, 1, 700, 500));
        QCOMPARE(p.sizeHints().maximum, QSize(700, 500));
        QVERIFY2(p.name().contains(QStringLiteral("KDE-QT LineEdit test!")), qPrintable(p.name()));
        QVERIFY(p.waitUntil([&] { return p.pixel(300, 200) == QColor(250, 250, 200); }));
        const auto field = [&] {
            return darkColumns(p.grab(fieldInside));
        };
        const auto bar = [&] {
            return darkColumns(p.grab(statusBar));
        };
        QCOMPARE(textSpan(field()).first, -1);
        QCOMPARE(textSpan(bar()).first, -1);

        p.focus(); // the window gets the keyboard; no click into the field
        int fieldStart[2], barStart[2];
        const QString texts[2] = {QStringLiteral("Hallo Welt"), QStringLiteral("  Hallo Welt")};
        for (int i = 0; i < 2; ++i) {
            const QVector<int> before = bar();
            p.type(texts[i]);
            QVERIFY(p.waitUntil([&] { return textSpan(field()).first >= 0; }));
            p.settle();
            const QVector<int> typed = field();
            QCOMPARE(bar(), before); // typing alone changes nothing there
            p.key(QStringLiteral("Return"));
            QVERIFY(p.waitUntil([&] { return textSpan(field()).first < 0; }));
            QVERIFY(p.waitUntil([&] { return sameText(typed, bar()); }));
            fieldStart[i] = textSpan(typed).first;
            barStart[i] = textSpan(bar()).first;
        }
        // The leading spaces move the text as far right in the bar as in the field
        // (to the pixel: glyphs may start at fractional positions).
        QVERIFY(fieldStart[1] > fieldStart[0]);
        QVERIFY(qAbs((barStart[1] - barStart[0]) - (fieldStart[1] - fieldStart[0])) <= 1);

        p.key(QStringLiteral("Return"));
        QVERIFY(p.waitUntil([&] { return textSpan(bar()).first < 0; }));

        p.close();
        QCOMPARE(p.waitForExit(), 0);
        QCOMPARE(p.output(), QByteArray()); // nothing printed on a healthy machine
    }

private:
    XServer m_server;
};

QTEST_GUILESS_MAIN(QuilletX11Test)

#include "quillet_x11_test.moc"
