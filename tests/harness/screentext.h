// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Reads a status bar's text off a picture of the screen by its looks: the
// picture is compared with the text drawn here in the status bars' font
// (bold 14-point Courier), the two aligned by their dark pixels. Where the
// text stands does not matter; every glyph does. Two drawings of one text
// may differ by a few grey levels at antialiased edges (glyphs placed a
// fraction of a pixel apart); another character differs by whole strokes.
// The drawings need the application object of the process: the reference
// text gets the resolution of its screen, which must be the program's.

#ifndef SCREENTEXT_H
#define SCREENTEXT_H

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <cstdlib>

namespace ScreenText
{
// The box around the picture's dark pixels; empty when it has none.
inline QRect inkBox(const QImage &picture)
{
    QRect box;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 128) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

// A text as a status bar draws it: dark on the windows' background.
inline const QImage &drawn(const QString &text)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(text);
    if (it == cache.end()) {
        QImage picture(700, 100, QImage::Format_RGB32);
        picture.fill(QColor(250, 250, 200));
        QPainter p(&picture);
        p.setFont(QFont(QStringLiteral("courier"), 14, QFont::Bold, false));
        p.setPen(Qt::black);
        p.drawText(picture.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
        p.end();
        it = cache.insert(text, picture);
    }
    return *it;
}

// Do the two pictures show the same dark shapes, up to a pixel of shift
// and a little antialiasing?
inline bool sameInk(const QImage &a, const QImage &b)
{
    const QRect boxA = inkBox(a), boxB = inkBox(b);
    if (boxA.isEmpty() || boxB.isEmpty() || qAbs(boxA.width() - boxB.width()) > 1 || qAbs(boxA.height() - boxB.height()) > 1) {
        return false;
    }
    const auto grey = [](const QImage &img, int x, int y) {
        return img.rect().contains(x, y) ? qGray(img.pixel(x, y)) : qGray(img.pixel(0, 0));
    };
    const QRect area = boxA.adjusted(-2, -2, 2, 2);
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint shift = boxB.topLeft() - boxA.topLeft() + QPoint(dx, dy);
            bool same = true;
            for (int y = area.top(); y <= area.bottom() && same; ++y) {
                for (int x = area.left(); x <= area.right() && same; ++x) {
                    same = std::abs(grey(a, x, y) - grey(b, x + shift.x(), y + shift.y())) <= 40;
                }
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

// Does the picture show the text, and nothing else dark? An empty text: no ink at all.
inline bool shows(const QImage &picture, const QString &text)
{
    return text.isEmpty() ? inkBox(picture).isEmpty() : sameInk(picture, drawn(text));
}

// Which of the candidates the picture shows: "" for no text, "?" for another one.
inline QString read(const QImage &picture, const QStringList &candidates)
{
    if (inkBox(picture).isEmpty()) {
        return QString();
    }
    for (const QString &text : candidates) {
        if (sameInk(picture, drawn(text))) {
            return text;
        }
    }
    return QStringLiteral("?");
}
}

#endif
