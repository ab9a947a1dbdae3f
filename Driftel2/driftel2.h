// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef DRIFTEL2_H
#define DRIFTEL2_H

#include <KMainWindow>

#include <QColor>
#include <QPalette>
#include <QPixmap>
#include <QVariant>

class QMouseEvent;
class QPaintEvent;
class QResizeEvent;

// The picture area, and with it the window's size limits.
extern const int BILD_BREITE;
extern const int BILD_HOEHE;

// The one main window: at most 700 x 500, white. Everything it shows is
// drawn into the back buffer first and copied onto the window whole.
class KdeW : public KMainWindow
{
    Q_OBJECT

public:
    KdeW()
        : KMainWindow(nullptr) // top-level, deleted when closed
    {
        setGeometry(1, 1, 700, 500);
        setMaximumSize(BILD_BREITE, BILD_HOEHE); // no minimum: it may shrink, never grow
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black); // its text, whatever the colour scheme's
        setPalette(pal);
        // The paint handler covers the whole window with the buffer, so
        // nothing is erased before it runs: no flicker.
        setAttribute(Qt::WA_OpaquePaintEvent);
        // A press anywhere in the window starts a drag of the figure. KDE's
        // style may take a press on a main window where no child widget is
        // for the start of a drag of the whole window (Breeze under Plasma 5
        // does by default); this property tells it not to.
        setProperty("_kde_no_window_grab", true);
        // Mouse tracking stays off: moves arrive only while a button is held.
    }

protected:
    void paintEvent(QPaintEvent *dummy) override;
    void resizeEvent(QResizeEvent *Veraenderung) override;
    void mousePressEvent(QMouseEvent *MausPosition) override;
    void mouseMoveEvent(QMouseEvent *MausPosition) override;

private:
    QPixmap buffer; // the back buffer, as large as the window
};

// The program's state, defined in driftel2.cpp.
extern KdeW *pFenster;
extern QPainter painter;
extern int MausX;
extern int MausY;
extern int altMausX;
extern int altMausY;

#endif
