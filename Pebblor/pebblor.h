// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef PEBBLOR_H
#define PEBBLOR_H

#include <KMainWindow>

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPointF>
#include <QRectF>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPaintEvent;
class QPushButton;
class QResizeEvent;
class QTimer;

// A rectangle: a one-pixel outline in the pen's colour around the brush.
// Filled areas cover exactly x, y, w, h at every device pixel ratio.
inline void Rechteck(QPainter &p, int x, int y, int w, int h)
{
    p.fillRect(x, y, w, h, p.pen().color());
    p.fillRect(x + 1, y + 1, w - 2, h - 2, p.brush());
}
// Qt draws a one-pixel outline right of and below the line it is given; an
// outline wider than a device pixel (a HiDPI screen) is centred on its line,
// so there the line runs half a pixel inwards. Either way the whole figure,
// outline included, lies inside x, y, w, h.
inline void Ellipse(QPainter &p, int x, int y, int w, int h)
{
    const qreal innen = p.device()->devicePixelRatioF() > 1 ? 0.5 : 0;
    p.drawEllipse(QRectF(x + innen, y + innen, w - 1, h - 1));
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
    QPointF MaskenOrt; // where both go into the buffer
    // An empty hole and the stone, 50 x 50 with transparent corners: copying
    // them into every frame costs a fraction of drawing outlined ellipses.
    QPixmap Loch;
    QPixmap Stein;
    QColor Hintergrundfarbe;

    KdeW()
        : KMainWindow(nullptr) // top-level, deleted when closed
    {
        setGeometry(1, 1, 400, 525);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(200, 200, 210));
        pal.setColor(QPalette::WindowText, Qt::black); // its text, whatever the colour scheme's
        setPalette(pal);
        setAttribute(Qt::WA_OpaquePaintEvent); // every pixel comes from buffer:
        setAttribute(Qt::WA_NoSystemBackground); // nothing is erased before a paint
        Hintergrundfarbe = QColor(220, 220, 220);

        // Built once here, and again on a screen of another pixel density.
        FigurenZeichnen(devicePixelRatioF());
    }

    // The masks and the figures, at the buffer's device pixel ratio.
    void FigurenZeichnen(qreal dpr);

public Q_SLOTS:
    void Button_SteinMove_clicked();
    void Button_Zeichnen_clicked();
    void CheckButton(int id);
    void timerAnimation();

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
};

// The program's state, defined in pebblor.cpp.
extern KdeW *HFenster;
extern QPushButton *Button_SteinMove;
extern QPushButton *Button_Zeichnen;
extern QLabel *ButtonGroupRahmen;
extern QButtonGroup *ButtonGroup;
extern QCheckBox *Ch1;
extern QCheckBox *Ch2;
extern QTimer *timer;
extern bool SteinFaellt;
extern bool Und;
extern bool Oder;
extern int KreisPosition_X;
extern int KreisPosition_Y[5];
extern int y_pos;
extern int Zeile;
extern QPainter painter;

#endif
