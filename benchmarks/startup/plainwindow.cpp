// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// The baseline of the start-up, memory and processor-time figures: the
// plainest Qt program with what the demo programs show, a fixed main
// window with a status bar, and nothing from KDE. Like the programs, it
// draws with the raster engine only, so that no OpenGL driver is loaded.
// With the argument "clock" its status bar shows the time of day, brought
// up to date once a second as Tockwell's is: a clock in plain Qt.

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setGeometry(50, 1, 700, 500);
    window.setFixedSize(700, 500);
    QStatusBar *bar = window.statusBar();
    bar->showMessage(QStringLiteral("Plain window"));
    QTimer clock;
    if (app.arguments().contains(QStringLiteral("clock"))) {
        bar->setFont(QFont(QStringLiteral("courier"), 14, QFont::Bold, false));
        bar->setSizeGripEnabled(false);
        bar->clearMessage();
        clock.setTimerType(Qt::PreciseTimer);
        QObject::connect(&clock, &QTimer::timeout, bar, [bar] {
            bar->showMessage(QTime::currentTime().toString(Qt::TextDate));
        });
        clock.start(1000);
    }
    window.show();
    return app.exec();
}
