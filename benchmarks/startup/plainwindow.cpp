// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// The baseline of the start-up, memory and processor-time figures: the
// plainest Qt program with what the demo programs show, a fixed main
// window with a status bar, and nothing from KDE. Like the programs, it
// draws with the raster engine only, so that no OpenGL driver is loaded.

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

int main(int argc, char **argv)
{
    QApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    QMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setGeometry(50, 1, 700, 500);
    window.setFixedSize(700, 500);
    window.statusBar()->showMessage(QStringLiteral("Plain window"));
    window.show();
    return app.exec();
}
