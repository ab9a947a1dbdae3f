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
    QPixmap Maske1; // the AND mask
    QPixmap Maske2; // the OR mask
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

        // The masks cover the board's inner part, 100 x 425 from (25, 60):
        // one colour over the whole, and discs of another exactly on the holes.
        const auto maske = [](QPixmap &m, const QColor &grund, const QColor &scheiben) {
            m = QPixmap(100, 425);
            QPainter p(&m);
            p.setPen(grund);
            p.setBrush(grund);
            Rechteck(p, 0, 0, 100, 425);
            p.setBrush(scheiben);
            p.setPen(scheiben);
            for (int y = 60; y <= 360; y += 100) {
                Ellipse(p, 25, y, 50, 50);
            }
        };
        maske(Maske1, Qt::black, Qt::white); // AND keeps the holes, blackens the rest
        maske(Maske2, Qt::blue, Qt::black); // OR keeps the holes, makes the rest blue
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
