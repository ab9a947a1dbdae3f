// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// What the drag window must show, checked on its pixels (the buffer as it was
// last copied onto the screen). Shared by the in-process and the X tests of
// both programs; DRIFTEL2 selects the square as the dragged figure.

#ifndef DRIFTELPICTURE_H
#define DRIFTELPICTURE_H

#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>

#include <functional>

namespace Picture
{
const QRgb White = 0xffffffff;
const QRgb Black = 0xff000000;
const QRgb Yellow = 0xffffff00;
#ifdef DRIFTEL2
const QRgb Figure = 0xff00ffff; // a red square XORed onto white
const QRgb Stray = 0xff0000ff; // yellow XORed onto white: must never appear
#else
const QRgb Figure = 0xff0000ff; // yellow text XORed onto white
const QRgb Stray = 0xff00ffff;
#endif

inline QRect find(const QImage &img, const QRect &area, const std::function<bool(QRgb)> &match, int *count = nullptr)
{
    QRect found;
    int n = 0;
    const QRect r = area.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (match(img.pixel(x, y))) {
                found |= QRect(x, y, 1, 1);
                ++n;
            }
        }
    }
    if (count) {
        *count = n;
    }
    return found;
}

inline int count(const QImage &img, const QRect &area, QRgb colour)
{
    int n = 0;
    find(img, area, [colour](QRgb p) { return p == colour; }, &n);
    return n;
}

// Inside the outline; the right and bottom outline lie at 699 and 499 and
// are gone from a smaller window.
inline QRect interior(const QImage &img)
{
    return QRect(1, 1, qMin(img.width() - 1, 698), qMin(img.height() - 1, 498));
}

// Text drawn in copy mode: yellow, with softened edges.
inline QRect copyInk(const QImage &img, const QRect &area)
{
    return find(img, area, [](QRgb p) { return p != White && p != Black && p != Figure && p != Stray; });
}

struct Expected {
    QPoint copyAt; // where the last rebuild drew the text in copy mode
    bool copyToggled = false; // the figure has been XORed there since
    QVector<QPoint> figures; // XOR figures drawn onto white
};

// The text's ink relative to its base point (left, top, bottom; its right
// end always runs out of the window).
struct TextInk {
    int left = 0;
    int top = 0;
    int bottom = 0;
    QRect at(QPoint base, int right) const
    {
        return QRect(QPoint(base.x() + left, base.y() + top), QPoint(right, base.y() + bottom));
    }
};

// Empty when the picture matches, otherwise what is wrong.
inline QString mismatch(const QImage &img, const Expected &e, const TextInk &text)
{
    if (img.isNull()) {
        return QStringLiteral("no picture");
    }
    const QRect inner = interior(img);
    int strays = 0;
    find(img, inner, [](QRgb p) { return p == Stray; }, &strays);
    if (strays) {
        return QStringLiteral("%1 pixels of the wrong XOR colour").arg(strays);
    }
    const QRect copyArea = text.at(e.copyAt, inner.right()).adjusted(-2, -2, 2, 2) & inner;
    const int yellow = count(img, copyArea, Yellow);
    const int black = count(img, copyArea, Black);
#ifdef DRIFTEL2
    if (yellow < 500 || black) {
        return QStringLiteral("copy-drawn text at (%1, %2): %3 yellow, %4 black").arg(e.copyAt.x()).arg(e.copyAt.y()).arg(yellow).arg(black);
    }
    QVector<QPoint> squares = e.figures;
    if (e.copyToggled) {
        squares << e.copyAt;
    }
    int expected = 0;
    for (const QPoint &p : squares) {
        const QRect square = QRect(p, QSize(20, 20)) & inner;
        expected += square.width() * square.height();
        if (count(img, square, Figure) != square.width() * square.height()) {
            return QStringLiteral("square at (%1, %2) not whole").arg(p.x()).arg(p.y());
        }
    }
    const int cyan = count(img, inner, Figure);
    if (cyan != expected) {
        return QStringLiteral("%1 square pixels, expected %2").arg(cyan).arg(expected);
    }
#else
    // The XOR pass turns yellow copy-drawn text black instead of removing it.
    if (e.copyToggled ? (yellow || black < 500) : (yellow < 500 || black)) {
        return QStringLiteral("copy-drawn text at (%1, %2): %3 yellow, %4 black").arg(e.copyAt.x()).arg(e.copyAt.y()).arg(yellow).arg(black);
    }
    QRect expected;
    for (const QPoint &p : e.figures) {
        expected |= text.at(p, inner.right()) & inner;
    }
    int blue = 0;
    const QRect found = find(img, inner, [](QRgb p) { return p == Figure; }, &blue);
    const auto near = [](int a, int b) { return qAbs(a - b) <= 2; };
    // Capitals stand a little lower than the tallest letters: the top of a
    // clipped text may lie lower.
    const auto nearTop = [](int a, int b) { return a >= b - 2 && a <= b + 6; };
    if (expected.isEmpty() != found.isEmpty()
        || (!found.isEmpty()
            && (blue < 100 || !near(found.left(), expected.left()) || !nearTop(found.top(), expected.top()) || !near(found.bottom(), expected.bottom())))) {
        return QStringLiteral("XOR text %1,%2 %3x%4 (%5 pixels), expected about %6,%7 %8x%9")
            .arg(found.x()).arg(found.y()).arg(found.width()).arg(found.height()).arg(blue)
            .arg(expected.x()).arg(expected.y()).arg(expected.width()).arg(expected.height());
    }
#endif
    return {};
}

// The start picture: the 700 x 500 outline and the text in copy mode at
// (100, 200) with its base point there. Gives the text's ink, or an error.
inline QString checkStart(const QImage &img, TextInk *text)
{
    if (img.size() != QSize(700, 500)) {
        return QStringLiteral("window picture of %1 x %2").arg(img.width()).arg(img.height());
    }
    // The outline, except where the text runs over its right side.
    if (count(img, QRect(0, 0, 700, 1), Black) != 700 || count(img, QRect(0, 499, 700, 1), Black) != 700
        || count(img, QRect(0, 0, 1, 500), Black) != 500 || count(img, QRect(699, 0, 1, 100), Black) != 100
        || count(img, QRect(699, 300, 1, 200), Black) != 200) {
        return QStringLiteral("outline broken");
    }
    const QRect ink = copyInk(img, interior(img));
    // Base point at (100, 200): the text starts just right of it and stands above it.
    if (ink.left() < 100 || ink.left() > 116 || ink.bottom() > 202 || ink.bottom() < 190 || ink.top() > 150 || ink.right() < 650) {
        return QStringLiteral("text at %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height());
    }
    text->left = ink.left() - 100;
    text->top = ink.top() - 200;
    text->bottom = ink.bottom() - 200;
    return mismatch(img, {QPoint(100, 200), false, {}}, *text);
}
}

#endif
