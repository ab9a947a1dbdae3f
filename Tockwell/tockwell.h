// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef TOCKWELL_H
#define TOCKWELL_H

#include <KMainWindow>

#include <QColor>
#include <QPalette>
#include <QTime>

class QStatusBar;
class QTimer;

// The picture area, and with it the window's size limits.
extern const int BILD_BREITE;
extern const int BILD_HOEHE;

// The one main window: fixed at 700 x 500 on a pale yellow background.
// Its children (status bar, timer) are made by main().
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

public Q_SLOTS:
    void timerDone();
};

// The program's state, defined in tockwell.cpp.
extern KdeW *top;
extern QStatusBar *statusbar;
extern QTime Uhr;
extern QTimer *timer;

#endif
