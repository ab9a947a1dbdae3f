// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Quillet: a one-line text field; Return moves the typed text into the
// status bar and empties the field for the next entry.

#include "quillet.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QLineEdit>
#include <QStatusBar>
#include <QString>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *top;
QStatusBar *statusbar;
QLineEdit *LEdit1;

void KdeW::LEdit1_returnPressed()
{
    // Read the text before the field is emptied; it goes over as typed,
    // spaces and all. An empty field blanks the status bar.
    const QString text = LEdit1->text();
    statusbar->showMessage(text);
    LEdit1->clear();
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
    KLocalizedString::setApplicationDomain("quillet");
    KAboutData about(QStringLiteral("quillet"),
                     i18nc("@title:window", "KDE-QT LineEdit test!"),
                     QStringLiteral("1.0"),
                     i18n("A text field; Return moves its text into the status bar"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.quillet"));
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
    statusbar->setAccessibleDescription(i18n("The text entered last"));

    //! [lineedit]
    LEdit1 = new QLineEdit(top);
    LEdit1->move(110, 315);
    LEdit1->resize(480, 30);
    LEdit1->setFont(QFont(QStringLiteral("courier"), 14, QFont::Bold, false));
    LEdit1->setFocus(); // typing goes here without a click first
    LEdit1->setAccessibleName(i18nc("@label:textbox", "Text to show"));
    LEdit1->setAccessibleDescription(i18n("Return moves the text into the status bar"));

    QObject::connect(LEdit1, SIGNAL(returnPressed()), top, SLOT(LEdit1_returnPressed()));
    //! [lineedit]

    top->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
