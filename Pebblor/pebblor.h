// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef PEBBLOR_H
#define PEBBLOR_H

#include <KMainWindow>

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

class QPaintEvent;
class QResizeEvent;

// Qt puts a figure's outline one pixel right of and below the rectangle it
// is given; these keep the whole figure, outline included, inside x, y, w, h.
inline void Rechteck(QPainter &p, int x, int y, int w, int h)
{
    p.drawRect(x, y, w - 1, h - 1);
}
inline void Ellipse(QPainter &p, int x, int y, int w, int h)
{
    p.drawEllipse(x, y, w - 1, h - 1);
}

// The one main window, freely resizable. Everything it shows apart from its
// child widgets comes from the back buffer, so the system never erases it.
class KdeW : public KMainWindow
{
    Q_OBJECT

public:
    QPixmap buffer; // the whole window's picture; null until the first resize
    QPixmap Maske1; // AND mask: keeps the holes, blackens the rest of the board
    QPixmap Maske2; // OR mask: keeps the holes, makes the rest of the board blue
    QColor Hintergrundfarbe;

    KdeW()
        : KMainWindow(nullptr) // top-level, deleted when closed
    {
        setGeometry(1, 1, 400, 525);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(200, 200, 210));
        setPalette(pal);
        setAttribute(Qt::WA_OpaquePaintEvent); // every pixel comes from buffer:
        setAttribute(Qt::WA_NoSystemBackground); // nothing is erased before a paint
        Hintergrundfarbe = QColor(220, 220, 220);

        // The masks cover the board's inner part, 100 x 425 from (25, 60);
        // their discs lie exactly on the four holes.
        Maske1 = QPixmap(100, 425);
        Maske2 = QPixmap(100, 425);
        QPainter p(&Maske1);
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        Rechteck(p, 0, 0, 100, 425);
        p.setBrush(Qt::white);
        p.setPen(Qt::white);
        for (int y = 60; y <= 360; y += 100) {
            Ellipse(p, 25, y, 50, 50);
        }
        p.end();
        p.begin(&Maske2);
        p.setPen(Qt::blue);
        p.setBrush(Qt::blue);
        Rechteck(p, 0, 0, 100, 425);
        p.setBrush(Qt::black);
        p.setPen(Qt::black);
        for (int y = 60; y <= 360; y += 100) {
            Ellipse(p, 25, y, 50, 50);
        }
        p.end();
    }

public Q_SLOTS:
    void Button_SteinMove_clicked();
    void Button_Zeichnen_clicked();
    void CheckButton(int id);
    void timerAnimation();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
};

#endif
