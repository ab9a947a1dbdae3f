// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Reads the number a QLCDNumber shows from a picture of it, as a person
// does: by which of each digit's seven segments are drawn. The digits sit
// where QLCDNumber places them for its size and digit count; the in-process
// test checks the reader against the display's own value.

#ifndef LCDREADER_H
#define LCDREADER_H

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <cstdlib>

namespace LcdReader
{
// Is anything drawn in rect, on a picture whose empty parts are background?
inline bool drawn(const QImage &picture, const QRect &rect, QRgb background)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = picture.pixel(x, y);
            n += std::abs(qRed(p) - qRed(background)) + std::abs(qGreen(p) - qGreen(background)) + std::abs(qBlue(p) - qBlue(background)) > 60;
        }
    }
    return n * 10 >= rect.width() * rect.height(); // a tenth of the area: not a stray corner
}

// The digits shown, blank positions as spaces; '?' for a pattern that is no digit.
inline QString digits(const QImage &picture, int digitCount)
{
    // QLCDNumber's layout: segment length from the widget size, one
    // segment-width gap between digits, the row centred.
    const int w = picture.width(), h = picture.height();
    const int xSegLen = w * 5 / (digitCount * 6 + 1);
    const int ySegLen = h * 5 / 12;
    const int len = qMin(xSegLen, ySegLen);
    const int thick = len / 5;
    const int advance = len * 6 / 5;
    const int left = (w - digitCount * advance + len / 5) / 2;
    const int top = (h - len * 2) / 2;
    const QRgb background = picture.pixel(w / 2, top / 2);

    // The middle third of each segment, across its whole thickness.
    const int third = len / 3;
    const QRect across(third, 0, third, thick); // a horizontal segment at the top
    const QRect down(0, third, thick, third); // a vertical segment at the upper left
    const QRect segments[7] = {
        across, // a: top
        down.translated(len - thick, 0), // b: upper right
        down.translated(len - thick, len), // c: lower right
        across.translated(0, 2 * len - thick), // d: bottom
        down.translated(0, len), // e: lower left
        down, // f: upper left
        across.translated(0, len - thick / 2), // g: middle
    };
    // Segments a..g of each character, as bits 0..6.
    static const struct {
        int segments;
        char c;
    } patterns[] = {{0x3f, '0'},
                    {0x06, '1'},
                    {0x5b, '2'},
                    {0x4f, '3'},
                    {0x66, '4'},
                    {0x6d, '5'},
                    {0x7d, '6'},
                    {0x07, '7'},
                    {0x7f, '8'},
                    {0x6f, '9'},
                    {0x40, '-'},
                    {0x00, ' '}};

    QString result;
    for (int i = 0; i < digitCount; ++i) {
        const QPoint origin(left + advance * i, top);
        int lit = 0;
        for (int s = 0; s < 7; ++s) {
            lit |= int(drawn(picture, segments[s].translated(origin), background)) << s;
        }
        char c = '?';
        for (const auto &p : patterns) {
            if (p.segments == lit) {
                c = p.c;
            }
        }
        result += QLatin1Char(c);
    }
    return result;
}

// The number shown, or -1 when the picture shows none.
inline int value(const QImage &picture, int digitCount)
{
    bool ok = false;
    const int n = digits(picture, digitCount).trimmed().toInt(&ok);
    return ok ? n : -1;
}
}

#endif
