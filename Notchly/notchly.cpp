// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Notchly: a slider coupled straight to a four-digit LCD number. The one
// connection goes from widget to widget; no code of the program's own runs
// after start-up.

#include "notchly.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QLCDNumber>
#include <QSlider>
#include <QStatusBar>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *top;
QStatusBar *statusbar; // nothing ever writes into it
QLCDNumber *lcd;
QSlider *slider;

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
    KLocalizedString::setApplicationDomain("notchly");
    KAboutData about(QStringLiteral("notchly"),
                     i18nc("@title:window", "KDE-QT Slider test!"),
                     QStringLiteral("1.0"),
                     i18n("A slider coupled to a four-digit LCD number"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.notchly"));
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
    // A plain child at y 480 would lie partly below the window's edge;
    // the main window's own status-bar slot keeps it along the bottom, inside.
    top->setStatusBar(statusbar);
    statusbar->setSizeGripEnabled(false); // the window has a fixed size
    // Screen readers read the message as the status bar's name; say what it is.
    statusbar->setAccessibleDescription(i18n("Status messages"));

    //! [slider]
    lcd = new QLCDNumber(4, top);
    lcd->setObjectName(QStringLiteral("lcd"));
    lcd->setGeometry(150, 200, 400, 150);
    lcd->setAccessibleDescription(i18n("The slider's value"));

    slider = new QSlider(Qt::Horizontal, top);
    slider->setObjectName(QStringLiteral("slider"));
    slider->setGeometry(20, 400, 660, 50);
    slider->setAccessibleName(i18nc("@label:slider", "Value"));
    // 9999 is the most four digits can show: every value fits the display.
    slider->setRange(0, 9999);
    // Set before the connection: the display keeps its own initial 0.
    slider->setValue(0);

    // The display shows digits, the same in every language: nothing to translate.
    QObject::connect(slider, SIGNAL(valueChanged(int)), lcd, SLOT(display(int)));
    //! [slider]

    top->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
