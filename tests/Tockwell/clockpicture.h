// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Reads a text off the screen by its looks: the picture is compared with
// the text drawn here in the same font, the two aligned by their dark
// pixels. Where the text stands does not matter; every glyph does.
// Antialiased edges may differ by a few grey levels between two drawings of
// one text (glyph positions are not always the same to a fraction of a
// pixel); another character differs by whole strokes.

#ifndef CLOCKPICTURE_H
#define CLOCKPICTURE_H

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <cstdlib>

namespace ClockPicture
{
inline QFont statusFont()
{
    return QFont(QStringLiteral("courier"), 14, QFont::Bold, false);
}

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

// A text as the status bar draws it: dark on the window's background.
inline QImage drawn(const QString &text)
{
    QImage picture(400, 100, QImage::Format_RGB32);
    picture.fill(QColor(250, 250, 200));
    QPainter p(&picture);
    p.setFont(statusFont());
    p.setPen(Qt::black);
    p.drawText(picture.rect(), Qt::AlignLeft | Qt::AlignVCenter, text);
    return picture;
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
