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
const QRgb Blue = 0xff0000ff; // yellow text XORed onto white
const QRgb Cyan = 0xff00ffff; // a red square XORed onto white
#ifdef DRIFTEL2
const QRgb Figure = Cyan, Stray = Blue;
#else
const QRgb Figure = Blue, Stray = Cyan;
#endif

// How many pixels of area match, and (in box) where they lie.
inline int count(const QImage &img, const QRect &area, const std::function<bool(QRgb)> &match, QRect *box = nullptr)
{
    int n = 0;
    const QRect r = area & img.rect();
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (match(img.pixel(x, y))) {
                ++n;
                if (box) {
                    *box |= QRect(x, y, 1, 1);
                }
            }
        }
    }
    return n;
}
inline int count(const QImage &img, const QRect &area, QRgb colour)
{
    return count(img, area, [colour](QRgb p) {
        return p == colour;
    });
}

// Inside the outline; its right and bottom side are gone from a smaller window.
inline QRect interior(const QImage &img)
{
    return QRect(1, 1, qMin(img.width() - 1, 698), qMin(img.height() - 1, 498));
}

// Text drawn in copy mode: yellow, with softened edges.
inline QRect copyInk(const QImage &img)
{
    QRect box;
    count(
        img,
        interior(img),
        [](QRgb p) {
            return p != White && p != Black && p != Figure && p != Stray;
        },
        &box);
    return box;
}

struct Expected {
    QPoint copyAt; // where the last rebuild drew the text in copy mode
    bool copyToggled = false; // the figure has been XORed there since
    QVector<QPoint> figures; // XOR figures drawn onto white
};

// The text's ink relative to its base point; its right end always runs out
// of the window, so right is where the window ends.
inline QRect textAt(const QRect &ink, QPoint base, int right)
{
    return QRect(QPoint(base.x() + ink.left(), base.y() + ink.top()), QPoint(right, base.y() + ink.bottom()));
}

// Empty when the picture matches, otherwise what is wrong.
inline QString mismatch(const QImage &img, const Expected &e, const QRect &ink)
{
    const QRect inner = interior(img);
    if (img.isNull() || count(img, inner, Stray)) {
        return QStringLiteral("no picture, or the wrong XOR colour");
    }
    const QRect copyArea = textAt(ink, e.copyAt, inner.right()).adjusted(-2, -2, 2, 2) & inner;
    const int yellow = count(img, copyArea, Yellow);
    const int black = count(img, copyArea, Black);
    QRect expected;
    int least = 100; // pixels of the figures' colour
    int most = img.width() * img.height();
    QVector<QPoint> figures = e.figures;
#ifdef DRIFTEL2
    const bool copyRight = yellow > 500 && !black;
    if (e.copyToggled) {
        figures << e.copyAt;
    }
    least = 0;
    for (const QPoint &p : figures) {
        const QRect square = QRect(p, QSize(20, 20)) & inner;
        expected |= square;
        least += square.width() * square.height();
        if (count(img, square, Figure) != square.width() * square.height()) {
            return QStringLiteral("square at (%1, %2) not whole").arg(p.x()).arg(p.y());
        }
    }
    most = least; // nothing of their colour beside them
    const auto near = [](int a, int b) {
        return a == b;
    };
    const auto nearTop = near;
#else
    // The XOR pass turns yellow copy-drawn text black instead of removing it.
    const bool copyRight = e.copyToggled ? !yellow && black > 500 : yellow > 500 && !black;
    for (const QPoint &p : figures) {
        expected |= textAt(ink, p, inner.right()) & inner;
    }
    const auto near = [](int a, int b) {
        return qAbs(a - b) <= 2;
    };
    // Capitals stand a little lower than the tallest letters: a clipped text's top may lie lower.
    const auto nearTop = [](int a, int b) {
        return a >= b - 2 && a <= b + 6;
    };
#endif
    if (!copyRight) {
        return QStringLiteral("copy-drawn text at (%1, %2): %3 yellow, %4 black").arg(e.copyAt.x()).arg(e.copyAt.y()).arg(yellow).arg(black);
    }
    QRect found;
    const int n = count(
        img,
        inner,
        [](QRgb p) {
            return p == Figure;
        },
        &found);
    if (expected.isEmpty() != found.isEmpty()
        || (!found.isEmpty()
            && (n < least || n > most || !near(found.left(), expected.left()) || !nearTop(found.top(), expected.top())
                || !near(found.bottom(), expected.bottom())))) {
        return QStringLiteral("XOR figures at %1,%2 %3x%4 (%5 pixels), expected %6,%7 %8x%9")
            .arg(found.x())
            .arg(found.y())
            .arg(found.width())
            .arg(found.height())
            .arg(n)
            .arg(expected.x())
            .arg(expected.y())
            .arg(expected.width())
            .arg(expected.height());
    }
    return {};
}

// The start picture: the 700 x 500 outline and the text in copy mode with
// its base point at (100, 200). Sets the text's ink, or says what is wrong.
inline QString checkStart(const QImage &img, QRect *ink)
{
    // The outline, except where the text runs over its right side.
    if (img.size() != QSize(700, 500) || count(img, QRect(0, 0, 700, 1), Black) != 700 || count(img, QRect(0, 499, 700, 1), Black) != 700
        || count(img, QRect(0, 0, 1, 500), Black) != 500 || count(img, QRect(699, 0, 1, 100), Black) + count(img, QRect(699, 300, 1, 200), Black) != 300) {
        return QStringLiteral("no picture, or the outline broken");
    }
    // The text starts just right of its base point and stands above it.
    const QRect box = copyInk(img);
    if (box.left() < 100 || box.left() > 116 || box.bottom() > 202 || box.bottom() < 190 || box.top() > 150 || box.right() < 650) {
        return QStringLiteral("text at %1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height());
    }
    *ink = box.translated(-100, -200);
    return mismatch(img, {QPoint(100, 200), false, {}}, *ink);
}
}

#endif
