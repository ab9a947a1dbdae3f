// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Driftel2: while a mouse button is held, a small red square follows the
// pointer. It is drawn into a back buffer in XOR mode, so drawing it a
// second time at the same place removes it again; the buffer is then copied
// onto the window in one piece. The text "Hello World!" is drawn in plain
// copy mode whenever the window is resized.

#include "driftel2.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QBrush>
#include <QCommandLineParser>
#include <QFont>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <cstdlib>

const int BILD_BREITE = 700;
const int BILD_HOEHE = 500;

KdeW *pFenster;
QPainter painter; // begun on the buffer only inside one handler at a time
int MausX; // where the figure is now
int MausY;
int altMausX; // where it was before the latest mouse event
int altMausY;
bool Gezogen = false; // the mouse has drawn into the buffer since the last resize

// The device pixel on which the text's base point (x, y) lies. Where x and
// y times the ratio are not whole (at a ratio of 1.25 three positions in
// four), it is the nearest one. The copy-mode text is drawn from there, and
// so is Driftel's XOR text, which then meets it pixel for pixel.
static QPoint Grundpunkt(int x, int y, qreal dpr)
{
    return (QPointF(x, y) * dpr).toPoint();
}

// Copies the buffer onto the window, each device pixel onto one of the
// window's. Qt scales every painter by the screen's pixel density (a device
// pixel ratio); scaled back by 1 / ratio, the painter counts in device
// pixels, and source and target rectangles of the same size leave nothing
// to enlarge: a plain copy, row by row. The buffer placed in window pixels
// instead takes Qt's path for scaling pictures wherever the ratio is not 1
// or 2 (1.25 and 1.5 are common), at several times the cost, for the same
// pixels. The copy goes in bands of 64 rows: Qt 6's raster engine hands any
// copy of 96 rows or more to a pool of threads in pieces and waits for
// them, and for a picture of a few hundred rows waking the threads costs
// more than the work; a band is copied by the painting thread alone.
static void Kopieren(QPainter &p, const QPixmap &bild)
{
    const qreal dpr = p.device()->devicePixelRatioF();
    if (bild.devicePixelRatioF() != dpr) {
        p.drawPixmap(0, 0, bild); // drawn for another density: Qt scales it
        return;
    }
    p.scale(1 / dpr, 1 / dpr);
    for (int y = 0; y < bild.height(); y += 64) {
        const QRect band(0, y, bild.width(), qMin(64, bild.height() - y));
        p.drawPixmap(band, bild, band);
    }
}

void KdeW::paintEvent(QPaintEvent *dummy)
{
    Q_UNUSED(dummy) // whatever the region, the whole buffer is shown

    if (buffer.devicePixelRatioF() != devicePixelRatioF() && !Gezogen) {
        // On a screen of another pixel density before the mouse has drawn
        // anything (at start-up the compositor may tell the density only
        // after the first resize): the buffer anew, as after a resize. Once
        // the mouse has drawn, the buffer keeps its density and what is
        // drawn in it, shown scaled (Kopieren): nothing is lost when the
        // density changes, for good or for a moment (a compositor that
        // restarts offers one density, then the screen's again).
        QResizeEvent neu(size(), size());
        resizeEvent(&neu);
    }
    painter.begin(&buffer);
    painter.setFont(QFont(QStringLiteral("courier"), 80, QFont::Bold, false));
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(Qt::yellow);
    painter.fillRect(altMausX, altMausY, 20, 20, QBrush(Qt::red)); // away from the old place
    painter.fillRect(MausX, MausY, 20, 20, QBrush(Qt::red)); // onto the new one
    painter.end();

    if (pFenster) {
        QPainter fenster(pFenster);
        Kopieren(fenster, buffer);
    }
}

// The buffer has the window's size in device pixels: on a HiDPI screen
// (a device pixel ratio above 1) it is drawn at the screen's resolution.
void KdeW::resizeEvent(QResizeEvent *Veraenderung)
{
    const qreal dpr = devicePixelRatioF();
    buffer = QPixmap(Veraenderung->size() * dpr);
    buffer.setDevicePixelRatio(dpr);
    Gezogen = false;

    painter.begin(&buffer);
    // White inside a one-pixel black outline on columns 0 and 699, rows 0
    // and 499. Filled areas cover exactly their rectangle at every ratio
    // (a stroked outline wider than a device pixel would be centred on its
    // line, half of it outside the picture).
    painter.fillRect(0, 0, BILD_BREITE, BILD_HOEHE, Qt::black);
    painter.fillRect(1, 1, BILD_BREITE - 2, BILD_HOEHE - 2, Qt::white);
    painter.setFont(QFont(QStringLiteral("courier"), 80, QFont::Bold, false));
    painter.setPen(Qt::yellow);
    // Drawn from its base point's device pixel (Grundpunkt), scaled by the
    // ratio from there, as Driftel's XOR text is (HelloWorldXor). Placed in
    // window pixels instead, at a ratio of 1.25 or 1.5 the glyphs could fall
    // a fraction of a device pixel away from the XOR text's, and Driftel's
    // drag over the text would leave a blue and yellow outline where it
    // should turn the text black.
    painter.scale(1 / dpr, 1 / dpr);
    painter.translate(Grundpunkt(MausX, MausY, dpr));
    painter.scale(dpr, dpr);
    painter.drawText(0, 0, i18nc("the figure that follows the mouse", "Hello World!"));
    painter.end();

    // The window shows the new buffer in the paint event that follows every
    // resize of a visible window; a window is painted only from there.
}

void KdeW::mousePressEvent(QMouseEvent *MausPosition)
{
    altMausX = MausX;
    altMausY = MausY;
    MausX = MausPosition->pos().x(); // may lie outside the window: the painter clips
    MausY = MausPosition->pos().y();
    Gezogen = true;
    repaint(0, 0, BILD_BREITE, BILD_HOEHE); // at once, without erasing
}

void KdeW::mouseMoveEvent(QMouseEvent *MausPosition)
{
    altMausX = MausX;
    altMausY = MausY;
    MausX = MausPosition->pos().x();
    MausY = MausPosition->pos().y();
    Gezogen = true;
    repaint(0, 0, BILD_BREITE, BILD_HOEHE);
}

int main(int argc, char **argv)
{
    //! [start]
    MausX = 100;
    altMausX = 100;
    MausY = 200;
    altMausY = 200;
    //! [start]

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
    KLocalizedString::setApplicationDomain("driftel2");
    KAboutData about(QStringLiteral("driftel2"),
                     i18nc("@title:window", "QT-Demo"),
                     QStringLiteral("1.0"),
                     i18n("Drag a red square with the mouse"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.driftel2"));
    KAboutData::setApplicationData(about);
    QCommandLineParser parser;
    about.setupCommandLine(&parser);
    parser.process(*app); // --help, --version; an unknown option ends here
    about.processCommandLine(&parser);

    //! [window]
    pFenster = new KdeW();
    pFenster->setCaption(i18nc("@title:window", "KDE-QT Driftel  \"Hello World\"  test!   "));
    pFenster->setAccessibleDescription(i18n("Hold a mouse button and drag: a small red square follows the pointer"));
    //! [window]

    pFenster->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
