// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Glidor: a horizontal and a vertical scroll bar; each new value of either
// bar is shown in the status bar for one second, turned into text by the
// program's own IntToStr.

#include "glidor.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QScrollBar>
#include <QStatusBar>
#include <QString>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *top;
QStatusBar *statusbar;
QScrollBar *ScrollBarHor;
QScrollBar *ScrollBarVer;
char MessageStr[80]; // shared by both slots: the last value shown, as text

// Writes the decimal digits of Zahl, most significant first, and a NUL into
// ZahlenStr, and touches no byte after the NUL. A negative value gets a
// leading '-'. At most 12 bytes are written ("-2147483648" and the NUL).
void IntToStr(int Zahl, char *ZahlenStr)
{
    int Teiler = 1;
    int Ziffer;
    int i = 0;

    // Teiler becomes the largest power of ten that Zahl reaches (1 below
    // ten). Dividing twice rather than by Teiler * 10 keeps the product from
    // leaving the range of int for values of ten digits.
    while (Zahl / 10 / Teiler != 0) {
        Teiler *= 10;
    }

    if (Zahl < 0) {
        ZahlenStr[i] = '-';
        i++;
    }
    while (Teiler > 0) {
        // A negative Zahl stays negative (or zero) at every step, so the
        // most negative int needs no negation: only its digits are flipped.
        Ziffer = Zahl / Teiler;
        if (Ziffer < 0) {
            Ziffer = -Ziffer;
        }
        ZahlenStr[i] = char('0' + Ziffer);
        i++;
        Zahl = Zahl % Teiler;
        Teiler = Teiler / 10;
    }
    ZahlenStr[i] = 0;
}

// The status bar shows the bare number: digits, the same in every language,
// so neither slot's text goes through the translation.
void KdeW::ScrollHor(int HorPos)
{
    IntToStr(HorPos, MessageStr);
    statusbar->showMessage(QString::fromLatin1(MessageStr), 1000);
}

void KdeW::ScrollVer(int VerPos)
{
    IntToStr(VerPos, MessageStr);
    statusbar->showMessage(QString::fromLatin1(MessageStr), 1000);
}

int main(int argc, char **argv)
{
    // The window is drawn by the raster engine: no OpenGL driver is loaded
    // for it, which would cost more start-up time and memory than KDE's
    // libraries do.
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    // Without a display the toolkit prints why and aborts, leaving a core
    // dump: print the same and end with status 1 instead.
    static const QtMessageHandler toolkitReport = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &where, const QString &text) {
        toolkitReport(type, where, text);
        if (type == QtFatalMsg) {
            std::_Exit(EXIT_FAILURE);
        }
    });
    QApplication *app = new QApplication(argc, argv);
    KLocalizedString::setApplicationDomain("glidor");
    KAboutData about(QStringLiteral("glidor"),
                     i18nc("@title:window", "KDE-QT Glidor test!"),
                     QStringLiteral("1.0"),
                     i18n("Two scroll bars; the status bar shows the value of the one that moved"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.glidor"));
    KAboutData::setApplicationData(about);
    QCommandLineParser parser;
    about.setupCommandLine(&parser);
    parser.process(*app); // --help, --version; an unknown option ends here
    about.processCommandLine(&parser);

    top = new KdeW();
    top->setAccessibleName(about.displayName()); // the title, for screen readers

    statusbar = new QStatusBar(top);
    statusbar->setFont(QFont(QStringLiteral("courier"), 14, QFont::Bold, false));
    statusbar->setGeometry(0, 480, BILD_BREITE, 90);
    // A plain child at y 480 would show its text below the window's edge;
    // the main window's own status-bar slot keeps it along the bottom, inside.
    top->setStatusBar(statusbar);
    statusbar->setSizeGripEnabled(false); // the window has a fixed size
    // Screen readers read the message as the status bar's name; say what it is.
    statusbar->setAccessibleDescription(i18n("The value of the bar moved last, shown for a second"));

    //! [scrollbars]
    // Each bar gets its range, steps and start value before it is connected,
    // so start-up reports nothing.
    ScrollBarHor = new QScrollBar(Qt::Horizontal, top);
    ScrollBarHor->setRange(0, 100);
    ScrollBarHor->setSingleStep(1);
    ScrollBarHor->setPageStep(10);
    ScrollBarHor->setValue(1);
    ScrollBarHor->setGeometry(5, 460, 670, 15);
    ScrollBarHor->setAccessibleName(i18nc("@label:slider", "Horizontal value"));
    QObject::connect(ScrollBarHor, SIGNAL(valueChanged(int)), top, SLOT(ScrollHor(int)));

    ScrollBarVer = new QScrollBar(Qt::Vertical, top);
    ScrollBarVer->setRange(0, 100);
    ScrollBarVer->setSingleStep(1);
    ScrollBarVer->setPageStep(10);
    ScrollBarVer->setValue(1);
    ScrollBarVer->setGeometry(680, 10, 15, 465);
    ScrollBarVer->setAccessibleName(i18nc("@label:slider", "Vertical value"));
    QObject::connect(ScrollBarVer, SIGNAL(valueChanged(int)), top, SLOT(ScrollVer(int)));
    //! [scrollbars]

    top->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
