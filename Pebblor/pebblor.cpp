// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Pebblor: a red stone falls down a blue board with four holes, one frame
// every 100 ms. Each frame is drawn into a back buffer, where an AND and an
// OR mask hide the stone behind the board, and reaches the window in one copy.

#include "pebblor.h"

#include <KAboutData>
#include <KLocalizedString>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QLabel>
#include <QPaintEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>

#include <cstdlib>

KdeW *HFenster;
QPushButton *Button_SteinMove;
QPushButton *Button_Zeichnen;
QLabel *ButtonGroupRahmen; // the titled, raised box around the check boxes
QButtonGroup *ButtonGroup; // numbers the check boxes and reports clicks by number
QCheckBox *Ch1;
QCheckBox *Ch2;
QTimer *timer;

bool SteinFaellt = false; // a fall is under way
bool Und = false; // AND step on
bool Oder = false; // OR step on

int KreisPosition_X; // left edge of the holes and of the stone
int KreisPosition_Y[5]; // top edge of hole row 1 to 4; [0] is not used
int y_pos = 0; // the stone's top edge is at y_pos - 10
int Zeile;

QPainter painter; // draws into the buffer, opened and closed by each step

// Set while a paint has only to show the buffer as it is.
static bool NurKopieren = false;

void SpielfeldBerechnen()
{
    KreisPosition_X = 50;
    for (Zeile = 1; Zeile <= 4; Zeile++) {
        KreisPosition_Y[Zeile] = 100 * Zeile + 20;
    }
}

// A disc of 50 x 50 with transparent corners, for copying into a picture:
// its pixels are either transparent or opaque, so a copy gives exactly the
// pixels drawing it there would.
static QPixmap Scheibe(qreal dpr, const QColor &rand, const QColor &fuellung)
{
    QPixmap s(QSize(50, 50) * dpr);
    s.setDevicePixelRatio(dpr);
    s.fill(Qt::transparent);
    QPainter p(&s);
    p.setPen(rand);
    p.setBrush(fuellung);
    Ellipse(p, 0, 0, 50, 50);
    return s;
}

void KdeW::FigurenZeichnen(qreal dpr)
{
    Loch = Scheibe(dpr, Qt::black, Qt::gray);
    Stein = Scheibe(dpr, Qt::black, Qt::red);

    // The masks cover the board's inner part, 100 x 425 from (25, 60): one
    // colour over the whole, and discs of another exactly on the holes. Each
    // is laid out in buffer coordinates and starts on a whole device pixel
    // of the buffer (at a ratio of 1.5 the inner part's edge x = 25 lies in
    // the middle of one), so that its discs fall on the holes' pixels.
    const QRect pixel = QRectF(QPointF(KreisPosition_X - 25, 60) * dpr, QSizeF(100, 425) * dpr).toAlignedRect();
    MaskenOrt = QPointF(pixel.topLeft()) / dpr;
    const auto maske = [&](QPixmap &m, const QColor &grund, const QColor &scheiben) {
        m = QPixmap(pixel.size());
        m.setDevicePixelRatio(dpr);
        m.fill(scheiben); // a device pixel only partly inside stays as it is
        QPainter p(&m);
        p.translate(-MaskenOrt);
        p.setPen(grund);
        p.setBrush(grund);
        Rechteck(p, KreisPosition_X - 25, 60, 100, 425);
        const QPixmap scheibe = Scheibe(dpr, scheiben, scheiben);
        for (Zeile = 1; Zeile <= 4; Zeile++) {
            p.drawPixmap(KreisPosition_X, KreisPosition_Y[Zeile], scheibe);
        }
    };
    maske(Maske1, Qt::black, Qt::white); // AND keeps the holes, blackens the rest
    maske(Maske2, Qt::blue, Qt::black); // OR keeps the holes, makes the rest blue
}

// The background, the board and its empty holes: all of the buffer anew.
static void BrettZeichnen(KdeW *w)
{
    w->buffer.fill(w->Hintergrundfarbe);
    painter.begin(&w->buffer);
    painter.setBrush(Qt::blue);
    painter.setPen(Qt::black);
    Rechteck(painter, 20, 60, 110, 425);
    for (Zeile = 1; Zeile <= 4; Zeile++) {
        painter.drawPixmap(KreisPosition_X, KreisPosition_Y[Zeile], w->Loch);
    }
    painter.end();
}

// The buffer has the window's size in device pixels: on a HiDPI screen
// (a device pixel ratio above 1) it is drawn at the screen's resolution.
void KdeW::resizeEvent(QResizeEvent *e)
{
    const qreal dpr = devicePixelRatioF();
    if (Maske1.devicePixelRatioF() != dpr) {
        FigurenZeichnen(dpr);
    }
    buffer = QPixmap(e->size() * dpr);
    buffer.setDevicePixelRatio(dpr);
    BrettZeichnen(this); // the following paint shows it
}

// Copies a picture into the painter's device, its top left corner at `at`
// in window pixels, each of its device pixels onto one of the device's.
// Qt scales every painter by the device's pixel density (a device pixel
// ratio); scaled back by 1 / ratio, the painter counts in device pixels,
// and source and target rectangles of the same size leave nothing to
// enlarge: a plain copy, row by row. A picture placed in window pixels
// instead takes Qt's path for scaling pictures wherever the ratio is not 1
// (at 2 Qt has a shortcut for plain copies, not for the masks; 1.25 and 1.5
// are common), at several times the cost, for the same pixels. The copy
// goes in bands of 64 rows: Qt 6's raster engine hands any copy of 96 rows
// or more to a pool of threads in pieces and waits for them, and for
// pictures of a few hundred rows waking the threads costs several times the
// work; a band is copied by the painting thread alone.
static void Kopieren(QPainter &p, QPointF at, const QPixmap &bild)
{
    const qreal dpr = p.device()->devicePixelRatioF();
    const QPoint pixel = (at * dpr).toPoint();
    const QTransform vorher = p.transform();
    p.resetTransform();
    p.scale(1 / dpr, 1 / dpr);
    for (int y = 0; y < bild.height(); y += 64) {
        const QRect band(0, y, bild.width(), qMin(64, bild.height() - y));
        p.drawPixmap(band.translated(pixel), bild, band);
    }
    p.setTransform(vorher);
}

// One frame: the entry strip and the holes anew, then during a fall the
// stone and the masks, then the buffer onto the window. The rest of the
// board keeps what earlier frames left there.
void KdeW::paintEvent(QPaintEvent *)
{
    if (buffer.devicePixelRatioF() != devicePixelRatioF()) {
        // Moved onto a screen of another pixel density: all anew, as after a resize.
        QResizeEvent neu(size(), size());
        resizeEvent(&neu);
    }
    if (!NurKopieren) {
        painter.begin(&buffer);
        painter.fillRect(25, 0, 100, 60, Hintergrundfarbe); // the entry strip
        for (Zeile = 1; Zeile <= 4; Zeile++) {
            Kopieren(painter, QPointF(KreisPosition_X, KreisPosition_Y[Zeile]), Loch);
        }
        if (SteinFaellt) {
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            Kopieren(painter, QPointF(KreisPosition_X, y_pos - 10), Stein);
            if (Und) { // black everywhere but in the holes
                painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
                Kopieren(painter, MaskenOrt, Maske1);
            }
            if (Oder) { // blue everywhere but in the holes
                painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
                Kopieren(painter, MaskenOrt, Maske2);
            }
        }
        painter.end();
    }
    QPainter fenster(this);
    Kopieren(fenster, QPointF(0, 0), buffer);
}

void KdeW::Button_SteinMove_clicked()
{
    SteinFaellt = true;
    timer->start(100); // during a fall: only the interval starts anew
}

void KdeW::Button_Zeichnen_clicked()
{
    BrettZeichnen(this);
    // On screen before the click returns, without a frame drawn over it.
    NurKopieren = true;
    repaint();
    NurKopieren = false;
}

void KdeW::CheckButton(int id)
{
    // Nothing is repainted: the masks act from the next frame of a fall on.
    switch (id) {
    case 0:
        Und = Ch1->isChecked();
        break;
    case 1:
        Oder = Ch2->isChecked();
        break;
    default:
        break;
    }
}

void KdeW::timerAnimation()
{
    if (SteinFaellt) {
        y_pos = y_pos + 2;
    }
    if (y_pos <= 431 && SteinFaellt) {
        // The frame is drawn before the tick returns. It changes the board
        // and the strip above it and nothing else, so only that rectangle
        // is repainted: the controls beside it are not repainted with every
        // frame, at many times its cost, and a clip that is one rectangle
        // lets Qt copy the buffer row by row (a window less its controls is
        // not a rectangle, and copies into it take Qt's slower general path).
        repaint(20, 0, 110, 485);
        return;
    }
    // Past the lowest hole: the stone rests there until the next paint.
    SteinFaellt = false;
    y_pos = 20;
    timer->stop();
}

int main(int argc, char **argv)
{
    SpielfeldBerechnen();

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
    KLocalizedString::setApplicationDomain("pebblor");
    KAboutData about(QStringLiteral("pebblor"),
                     i18nc("@title:window", "QT-Demo"),
                     QStringLiteral("1.0"),
                     i18n("A stone falls behind a board with holes, hidden by two raster-operation masks"),
                     KAboutLicense::Custom);
    // The licence every file carries: KDE's own text for GPL_V2 names
    // version 2 alone, even with OrLaterVersions, so --license says it here.
    about.setLicenseText(
        i18n("This program is distributed under the terms of the GNU General Public License, "
             "version 2 or (at your option) any later version (GPL-2.0-or-later)."));
    // The project's own names, under which the launcher is installed.
    about.setOrganizationDomain("kdeqtdemos.internal");
    about.setDesktopFileName(QStringLiteral("internal.kdeqtdemos.pebblor"));
    KAboutData::setApplicationData(about);
    QCommandLineParser parser;
    about.setupCommandLine(&parser);
    parser.process(*app); // --help, --version; an unknown option ends here
    about.processCommandLine(&parser);

    //! [buttons]
    HFenster = new KdeW();
    HFenster->setCaption(i18nc("@title:window", "Pebblor, by the KDE-QT demo programs' authors"));
    HFenster->setAccessibleDescription(i18n("A red stone falls behind a blue board and is seen only through its four holes"));

    Button_SteinMove = new QPushButton(i18nc("@action:button", "Stein Move"), HFenster);
    Button_SteinMove->move(220, 260);
    QObject::connect(Button_SteinMove, SIGNAL(clicked()), HFenster, SLOT(Button_SteinMove_clicked()));

    Button_Zeichnen = new QPushButton(i18nc("@action:button", "Neu Zeichnen"), HFenster);
    Button_Zeichnen->move(220, 350);
    QObject::connect(Button_Zeichnen, SIGNAL(clicked()), HFenster, SLOT(Button_Zeichnen_clicked()));
    //! [buttons]

    //! [masks]
    // A label is a frame: it draws the raised box, 5-pixel lines, and the title.
    ButtonGroupRahmen = new QLabel(i18nc("@title:group", "Masken"), HFenster);
    ButtonGroupRahmen->setGeometry(170, 120, 200, 100);
    ButtonGroupRahmen->setFrameStyle(QFrame::Box | QFrame::Raised);
    ButtonGroupRahmen->setLineWidth(5);
    ButtonGroupRahmen->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ButtonGroup = new QButtonGroup(ButtonGroupRahmen);
    ButtonGroup->setExclusive(false); // two independent switches

    Ch1 = new QCheckBox(i18nc("@option:check", "Maske1 Und"), ButtonGroupRahmen);
    ButtonGroup->addButton(Ch1, 0);
    Ch1->setChecked(true);
    Und = true;
    Ch1->move(15, 25);

    Ch2 = new QCheckBox(i18nc("@option:check", "Makse2 Oder"), ButtonGroupRahmen);
    ButtonGroup->addButton(Ch2, 1);
    Ch2->move(15, 45);
    Ch2->setChecked(true);
    Oder = true;

    QObject::connect(ButtonGroup, SIGNAL(idClicked(int)), HFenster, SLOT(CheckButton(int)));
    //! [masks]

    //! [timer]
    timer = new QTimer(HFenster);
    timer->setTimerType(Qt::PreciseTimer); // 100 ms each tick, not about 100
    QObject::connect(timer, SIGNAL(timeout()), HFenster, SLOT(timerAnimation()));
    //! [timer]

    HFenster->show();
    int r = app->exec();
    // The application object goes before the process ends, and the toolkit's
    // caches with it: left to the end of the process, Qt 6 reports them there.
    delete app;
    return r;
}
