// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#ifndef WAVELRY_H
#define WAVELRY_H

#include <KMainWindow>

#include <QColor>
#include <QPalette>

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QStatusBar;

// The picture area, and with it the window's size limits.
extern const int BILD_BREITE;
extern const int BILD_HOEHE;

// The one main window: fixed at 700 x 500 on a pale yellow background.
// Its children (status bar, radio-button group) are made by main().
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
        // The styles draw the group's title in the fields' text colour, and the
        // radio buttons' marks in it on the fields' or the buttons' colour
        // (Breeze 6 takes the buttons'): light pairs too.
        pal.setColor(QPalette::Text, Qt::black);
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::ButtonText, Qt::black);
        pal.setColor(QPalette::Button, Qt::white);
        setPalette(pal);
    }

public Q_SLOTS:
    void RButton(int ButtonNr);
};

// The program's state, defined in wavelry.cpp.
extern KdeW *top;
extern QStatusBar *statusbar;
extern QGroupBox *grRahmen;
extern QButtonGroup *gr;
extern QRadioButton *b1;
extern QRadioButton *b2;
extern QRadioButton *b3;

#endif
