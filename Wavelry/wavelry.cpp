// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Wavelry: three radio buttons in a titled group; the status bar names the
// band that is switched on.

#include "wavelry.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QButtonGroup>
#include <QCommandLineParser>
#include <QFont>
#include <QGroupBox>
#include <QRadioButton>
#include <QStatusBar>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *top;
QStatusBar *statusbar;
QGroupBox *grRahmen; // the titled frame around the buttons
QButtonGroup *gr; // numbers the buttons and reports clicks by number
QRadioButton *b1;
QRadioButton *b2;
QRadioButton *b3;

void KdeW::RButton(int ButtonNr)
{
    switch (ButtonNr) {
    case 1:
        statusbar->showMessage(i18nc("@info:status", "FM is true!"));
        break;
    case 2:
        statusbar->showMessage(i18nc("@info:status", "AM is true!"));
        break;
    case 3:
        statusbar->showMessage(i18nc("@info:status", "LW is true!"));
        break;
    default:
        break; // not one of ours: keep what is shown
    }
}

int main(int argc, char **argv)
{
    //! [application]
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
    //! [application]

    //! [about]
    KLocalizedString::setApplicationDomain("wavelry");
    KAboutData about(QStringLiteral("wavelry"),
                     i18nc("@title:window", "KDE-QT RadioButton test!"),
                     QStringLiteral("1.0"),
                     i18n("Three radio buttons; the status bar names the chosen band"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.wavelry"));
    KAboutData::setApplicationData(about);
    QCommandLineParser parser;
    about.setupCommandLine(&parser);
    parser.process(*app); // --help, --version; an unknown option ends here
    about.processCommandLine(&parser);
    //! [about]

    //! [window]
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
    statusbar->setAccessibleDescription(i18n("The band that is switched on"));
    //! [window]

    //! [buttons]
    grRahmen = new QGroupBox(i18nc("@title:group", "RadioButton"), top);
    grRahmen->setGeometry(10, 10, 120, 100);
    gr = new QButtonGroup(grRahmen);

    b1 = new QRadioButton(i18nc("@option:radio", "FM"), grRahmen);
    b1->move(5, 20);
    gr->addButton(b1, 1);
    b2 = new QRadioButton(i18nc("@option:radio", "AM"), grRahmen);
    b2->move(5, 40);
    gr->addButton(b2, 2);
    b3 = new QRadioButton(i18nc("@option:radio", "LW"), grRahmen);
    b3->move(5, 60);
    gr->addButton(b3, 3);

    b1->setChecked(true);
    statusbar->showMessage(i18nc("@info:status", "FM is true!"));

    QObject::connect(gr, SIGNAL(idClicked(int)), top, SLOT(RButton(int)));
    //! [buttons]

    //! [run]
    top->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
    //! [run]
}
