// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Tockwell: a clock in the status bar. A repeating one-second timer reads
// the time of day and shows it as "HH:mm:ss".

#include "tockwell.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *top;
QStatusBar *statusbar;
QTime Uhr(0, 0); // the time read at the latest tick; midnight until the first
QTimer *timer;

void KdeW::timerDone()
{
    // Read the clock at every tick rather than counting ticks: a late tick
    // still shows the right time, and a change of the system clock shows at once.
    Uhr = QTime::currentTime();
    // HH:mm:ss in every language: the clock's fixed form, not translated.
    statusbar->showMessage(Uhr.toString(Qt::TextDate));
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
    KLocalizedString::setApplicationDomain("tockwell");
    KAboutData about(QStringLiteral("tockwell"),
                     i18nc("@title:window", "KDE-QT Tockwell test!"),
                     QStringLiteral("1.0"),
                     i18n("A clock in the status bar, brought up to date once a second"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.tockwell"));
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
    statusbar->setAccessibleDescription(i18n("The time"));

    //! [timer]
    timer = new QTimer(top);
    // A coarse timer may fire up to 5 % early or late, and the clock would
    // skip or repeat seconds; a precise one keeps to the second.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, SIGNAL(timeout()), top, SLOT(timerDone()));
    timer->start(1000); // repeating
    //! [timer]

    top->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
