// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef NOTCHLY_H
#define NOTCHLY_H

#include <KMainWindow>

#include <QColor>
#include <QPalette>

class QLCDNumber;
class QSlider;
class QStatusBar;

// The picture area, and with it the window's size limits.
extern const int BILD_BREITE;
extern const int BILD_HOEHE;

// The one main window: fixed at 700 x 500 on a pale yellow background.
// Its children (status bar, LCD number, slider) are made by main(), which
// also couples them; the window itself has no slots.
class KdeW : public KMainWindow
{
    Q_OBJECT

public:
    KdeW()
        : KMainWindow(nullptr) // top-level, deleted when closed
    {
        setGeometry(50, 1, 100, 200);
        setMinimumSize(BILD_BREITE, BILD_HOEHE); // grows the window to 700 x 500
        setMaximumSize(BILD_BREITE, BILD_HOEHE); // ... and fixes it there
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(250, 250, 200));
        pal.setColor(QPalette::WindowText, Qt::black); // its text, whatever the colour scheme's
        setPalette(pal);
    }
};

// The program's state, defined in notchly.cpp.
extern KdeW *top;
extern QStatusBar *statusbar;
extern QLCDNumber *lcd;
extern QSlider *slider;

#endif
