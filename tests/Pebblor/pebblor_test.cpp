// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "pebblor.h"
#include "programtest.h"

#include <QBackingStore>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QMap>
#include <QPaintEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <climits>

namespace
{
const QColor background(220, 220, 220), blue(0, 0, 255), black(0, 0, 0), red(255, 0, 0), magenta(255, 0, 255), gray(160, 160, 164);

// The board and everything left of the check-box frame: what the buffer
// alone paints on the window.
const QRect picture(0, 0, 165, 525);

struct Probe {
    int x, y;
    QColor colour;
};

// The probes whose pixel differs, as text for the failure message.
QString mismatches(const QImage &img, const QVector<Probe> &probes)
{
    QString out;
    for (const Probe &p : probes) {
        const QColor c = img.pixelColor(p.x, p.y);
        if (c != p.colour) {
            out += QStringLiteral("(%1, %2) is %3, not %4; ").arg(p.x).arg(p.y).arg(c.name(), p.colour.name());
        }
    }
    return out;
}
#define CHECK_PIXELS(img, ...)                                                                                                                                 \
    do {                                                                                                                                                       \
        const QString m = mismatches(img, __VA_ARGS__);                                                                                                        \
        QVERIFY2(m.isEmpty(), qPrintable(m));                                                                                                                  \
    } while (0)

QImage sampled(const QImage &img)
{
    return ProgramTest::sampled(img, HFenster->devicePixelRatioF());
}

QImage bufferPixels()
{
    return HFenster->buffer.toImage().convertToFormat(QImage::Format_RGB32);
}
QImage bufferImage()
{
    return sampled(bufferPixels());
}

// What the window shows right now (no pending event runs first).
QImage screenNow()
{
    return sampled(ProgramTest::backingStorePixels(HFenster));
}
QImage screenPixels()
{
    QCoreApplication::processEvents();
    return screenNow();
}

void clickBox(QCheckBox *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

void setMasks(bool und, bool oder)
{
    if (Ch1->isChecked() != und) {
        clickBox(Ch1);
    }
    if (Ch2->isChecked() != oder) {
        clickBox(Ch2);
    }
    QVERIFY(Und == und && Oder == oder);
}

// A fall started with a real click, its ticks then driven by hand, up to y.
void fallTo(int y)
{
    if (!SteinFaellt) {
        QTest::mouseClick(Button_SteinMove, Qt::LeftButton);
        QVERIFY(SteinFaellt && timer->isActive());
    }
    timer->stop();
    while (SteinFaellt && y_pos < y) {
        HFenster->timerAnimation();
    }
    QCOMPARE(y_pos, y);
}

void endFall()
{
    timer->stop();
    while (SteinFaellt) {
        HFenster->timerAnimation();
    }
}
}

class PebblorTest : public QObject
{
    Q_OBJECT

    int m_paints = 0; // paint events of the window
    int m_frames = 0; // ... of those, the ones for one rectangle over the board and the strip above it (a button's repaint asks for less)
    int m_childPaints = 0; // paint events of the buttons and the check-box frame
    QColor m_beforePaint; // the window's pixel (5, 5) as its paint handler starts
    QImage m_cleanBoard; // the picture right after start-up

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o == HFenster && e->type() == QEvent::Paint) {
            ++m_paints;
            // One rectangle, which Qt copies into row by row: not the window less its controls.
            const QPaintEvent *paint = static_cast<QPaintEvent *>(e);
            m_frames += paint->region().rectCount() == 1 && paint->rect().contains(QRect(20, 0, 110, 485));
            m_beforePaint = static_cast<QImage *>(HFenster->backingStore()->paintDevice())->pixelColor(5, 5);
        } else if (e->type() == QEvent::Paint) {
            ++m_childPaints;
        }
        return false;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(QTest::qWaitForWindowExposed(HFenster));
        for (QWidget *w : {(QWidget *)HFenster, (QWidget *)Button_SteinMove, (QWidget *)Button_Zeichnen, (QWidget *)ButtonGroupRahmen}) {
            w->installEventFilter(this);
        }
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("QT-Demo"));

        // Every fixed text of the window (the accelerator manager may add a '&').
        const QVector<std::pair<QAbstractButton *, QString>> controls = {{Button_SteinMove, QStringLiteral("Stein Move")},
                                                                         {Button_Zeichnen, QStringLiteral("Neu Zeichnen")},
                                                                         {Ch1, QStringLiteral("Maske1 Und")},
                                                                         {Ch2, QStringLiteral("Makse2 Oder")}};
        for (const auto &[button, text] : controls) {
            QCOMPARE(button->text().remove(QLatin1Char('&')), text);
        }
        QCOMPARE(ButtonGroupRahmen->text(), QStringLiteral("Masken"));
        QCOMPARE(ButtonGroupRahmen->frameStyle(), int(QFrame::Box | QFrame::Raised));
        QCOMPARE(ButtonGroupRahmen->lineWidth(), 5);
        QCOMPARE(HFenster->windowTitle(), QStringLiteral("Pebblor, by the KDE-QT demo programs' authors"));
        QVERIFY(Ch1->isChecked() && Ch2->isChecked() && Und && Oder);

        QVERIFY(!SteinFaellt && !timer->isActive());
        QCOMPARE(timer->timerType(), Qt::PreciseTimer);
        QCOMPARE(y_pos, 0);

        // The board with its holes, every figure exactly inside its rectangle.
        const QImage shown = screenPixels();
        CHECK_PIXELS(shown,
                     {{5, 5, background},     {75, 30, background}, {19, 300, background}, {130, 300, background}, {75, 59, background}, {75, 485, background},
                      {390, 515, background}, {20, 300, black},     {129, 300, black},     {75, 60, black},        {75, 484, black},     {21, 300, blue},
                      {128, 300, blue},       {75, 300, blue},      {75, 119, blue},       {75, 170, blue},        {49, 145, blue},      {100, 145, blue},
                      {75, 120, black},       {75, 169, black},     {50, 145, black},      {99, 145, black},       {75, 145, gray},      {75, 245, gray},
                      {75, 345, gray},        {75, 445, gray}});
        QCOMPARE(bufferImage().copy(picture), shown.copy(picture));
        m_cleanBoard = shown.copy(picture);
    }

    // Every test starts idle with both mask steps on and the window's size.
    void init()
    {
        endFall();
        setMasks(true, true);
        HFenster->resize(400, 525);
    }

    // The one fall on the real timer, the first after start-up: it begins
    // 20 pixels higher than any later one. Its pace is reported here.
    void firstFall()
    {
        if (HFenster->devicePixelRatioF() != 1 || y_pos != 0) {
            QSKIP("timed at a device pixel ratio of 1 only, as the first fall");
        }
        QMap<int, QImage> frames; // by y_pos
        int ticks = 0;
        qint64 stoppedAt = 0;
        QElapsedTimer clock;
        const auto watch = connect(timer, &QTimer::timeout, this, [&] { // runs after the tick
            ++ticks;
            if (y_pos == 2 || y_pos == 146 || y_pos == 182 || y_pos == 232 || y_pos == 430) {
                frames[y_pos] = bufferImage();
            }
            if (!SteinFaellt && !stoppedAt) {
                stoppedAt = clock.elapsed();
            }
        });
        QCoreApplication::processEvents(); // no paint left over from start-up
        m_frames = 0;
        clock.start();
        QTest::mouseClick(Button_SteinMove, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(stoppedAt > 0, 40000);
        disconnect(watch);
        const int paints = m_paints;
        qInfo("first fall: %d ticks, %d frames, %.3f s from the click to the stop (nominal 21.6 s)", ticks, m_frames, stoppedAt / 1000.0);
        QCOMPARE(ticks, 216);
        QCOMPARE(m_frames, 215);
        QVERIFY2(stoppedAt >= 21500 && stoppedAt < 23500, "the stop comes about 21.6 s after the click"); // 100 ms a tick, not 92 or 109
        QCOMPARE(y_pos, 20);
        QVERIFY(!timer->isActive());

        // First frame: the stone's top edge at -8, cut off by the window.
        CHECK_PIXELS(frames[2], {{75, 0, red}, {75, 40, red}, {75, 42, background}, {75, 60, blue}});
        // Between the holes the stone is hidden; through a hole it is seen.
        for (int y = 172; y < 220; ++y) {
            QCOMPARE(frames[182].pixelColor(75, y), blue);
        }
        CHECK_PIXELS(frames[146], {{75, 125, gray}, {75, 150, red}, {75, 165, red}, {75, 178, blue}, {75, 200, blue}});
        CHECK_PIXELS(frames[232], {{75, 219, blue}, {75, 221, gray}, {75, 235, red}, {75, 260, red}, {75, 145, gray}});

        // The last frame: the stone rests in the bottom hole, its top edge at
        // 420, covering the whole hole; the stop tick drew nothing after it.
        const QImage last = frames[430];
        QCOMPARE(bufferImage(), last);
        QCOMPARE(screenNow().copy(picture), last.copy(picture));
        int top = 400;
        while (last.pixelColor(75, top) == blue) {
            ++top;
        }
        QCOMPARE(top, 420);
        CHECK_PIXELS(last, {{75, 421, red}, {75, 468, red}, {75, 470, blue}});
        for (int y = 415; y < 475; ++y) {
            for (int x = 45; x < 105; ++x) {
                QVERIFY(last.pixelColor(x, y) != gray);
            }
        }

        // It stays there, unpainted, while nothing happens; the next paint,
        // idle, removes the stone and draws nothing else.
        ProgramTest::waitPastTimeouts();
        QCOMPARE(m_paints, paints);
        QCOMPARE(screenNow().copy(picture), last.copy(picture));
        HFenster->update();
        QTRY_COMPARE(m_paints, paints + 1);
        const QImage idle = screenPixels();
        CHECK_PIXELS(idle, {{75, 445, gray}, {75, 421, gray}});
        for (int y = 0; y < 525; ++y) {
            for (int x = 0; x < 165; ++x) {
                QVERIFY(idle.pixelColor(x, y) != red);
            }
        }
    }

    // The picture of a fall for each setting of the two mask steps, with
    // the stone between the first two holes after passing the first.
    void maskSteps_data()
    {
        QTest::addColumn<bool>("und");
        QTest::addColumn<bool>("oder");
        QTest::addColumn<QColor>("stone"); // where the stone is now
        QTest::addColumn<QColor>("trace"); // where it was
        QTest::addColumn<QColor>("rest"); // mask area it never touched
        QTest::newRow("AND and OR") << true << true << blue << blue << blue;
        QTest::newRow("AND only") << true << false << black << black << black;
        QTest::newRow("OR only") << false << true << magenta << magenta << blue;
        QTest::newRow("neither") << false << false << red << red << blue;
    }
    void maskSteps()
    {
        QFETCH(bool, und);
        QFETCH(bool, oder);
        QFETCH(QColor, stone);
        QFETCH(QColor, trace);
        QFETCH(QColor, rest);
        setMasks(und, oder);
        QTest::mouseClick(Button_Zeichnen, Qt::LeftButton);
        fallTo(182); // stone from 172 to 221, just touching the second hole

        // Each position's black outline lies over the one before, so in the
        // middle column a trace shows the stone's colour on every other row.
        const QImage img = bufferImage();
        QVector<Probe> probes = {
            {75, 195, stone},
            {75, 101, trace},
            {75, 81, trace},
            {35, 195, rest},
            {35, 100, rest},
            {115, 300, rest},
            {75, 400, rest},
            {75, 130, gray},
            {75, 160, gray},
            {75, 245, gray}, // holes: no trace
            {75, 445, gray},
            {75, 30, background},
            {75, 5, background},
            {120, 55, background},
            {27, 55, background}, // entry strip
        };
        for (int y : {60, 61, 100, 195, 300, 483, 484}) { // the side strips keep the board's own drawing
            probes += {{20, y, black}, {129, y, black}};
            for (int x : {21, 24, 125, 128}) {
                probes += {x, y, y == 60 || y == 484 ? black : blue};
            }
        }
        CHECK_PIXELS(img, probes);
        QCOMPARE(screenNow().copy(picture), img.copy(picture)); // the frame is on the window at once
    }

    // The masks, at the buffer's resolution: a frame with the stone hidden
    // between the first two holes leaves every pixel of the holes as it was
    // and turns the rest of the board's inner part (25, 60, 100, 425) black
    // or blue, all in exact colours. A device pixel whose centre lies on
    // the inner part's edge may go either way.
    void masksOnDevicePixels_data()
    {
        QTest::addColumn<bool>("oder");
        QTest::addColumn<QColor>("rest");
        QTest::newRow("AND") << false << black;
        QTest::newRow("AND and OR") << true << blue;
    }
    void masksOnDevicePixels()
    {
        QFETCH(bool, oder);
        QFETCH(QColor, rest);
        setMasks(true, oder);
        QTest::mouseClick(Button_Zeichnen, Qt::LeftButton);
        const QImage clean = bufferPixels();
        fallTo(180); // stone from 170 to 219
        const QImage frame = bufferPixels();
        const qreal dpr = HFenster->devicePixelRatioF();
        QCOMPARE(frame.size(), HFenster->size() * dpr);

        const auto side = [](qreal c, qreal from, qreal to) {
            return c < from || c > to ? -1 : c > from && c < to ? 1 : 0;
        };
        const QVector<QColor> palette = {background, blue, black, gray, red};
        int wrong = 0, holePixels = 0;
        for (int y = 0; y < frame.height(); ++y) {
            const qreal cy = (y + 0.5) / dpr;
            for (int x = 0; x < frame.width(); ++x) {
                const qreal cx = (x + 0.5) / dpr;
                const int inner = qMin(side(cx, 25, 125), side(cy, 60, 485));
                const bool hole = clean.pixel(x, y) != blue.rgb() && side(cx, 50, 100) > 0 && (int(cy) - 120) % 100 < 50 && cy > 120 && cy < 470;
                holePixels += hole;
                const QColor want = inner > 0 && !hole ? rest : QColor(clean.pixel(x, y));
                wrong += inner != 0 && frame.pixelColor(x, y) != want;
                wrong += !palette.contains(frame.pixelColor(x, y));
            }
        }
        QCOMPARE(wrong, 0);
        QVERIFY(holePixels > 4 * 1900 * dpr * dpr); // four discs of 50 x 50

        // Drawn at the screen's resolution, not enlarged from a picture of
        // the window's size: the holes' edges run through window pixels.
        if (dpr >= 2) {
            const QImage centres = sampled(frame);
            int split = 0;
            for (int y = 120; y < 170; ++y) {
                for (int x = 50; x < 100; ++x) {
                    split += centres.pixel(x, y) != frame.pixel(int(x * dpr), int(y * dpr));
                }
            }
            QVERIFY(split > 50);
        }
    }

    // On a screen of another pixel density the next paint makes the buffer,
    // the masks and the figures anew at the window's ratio.
    void otherDensity()
    {
        const qreal dpr = HFenster->devicePixelRatioF();
        for (QPixmap *p : {&HFenster->buffer, &HFenster->Maske1, &HFenster->Maske2, &HFenster->Loch, &HFenster->Stein}) {
            p->setDevicePixelRatio(dpr == 1 ? 2 : 1); // as made for the screen before
        }
        HFenster->repaint();
        for (QPixmap *p : {&HFenster->buffer, &HFenster->Maske1, &HFenster->Maske2, &HFenster->Loch, &HFenster->Stein}) {
            QCOMPARE(p->devicePixelRatioF(), dpr);
        }
        QCOMPARE(HFenster->buffer.size(), HFenster->size() * dpr);
        QCOMPARE(screenNow().copy(picture), m_cleanBoard);
    }

    void clicks()
    {
        // A press alone starts nothing; two quick clicks: one fall, from
        // where the last one left the stone.
        QTest::mousePress(Button_SteinMove, Qt::LeftButton);
        QVERIFY(!SteinFaellt && !timer->isActive());
        QTest::mouseRelease(Button_SteinMove, Qt::LeftButton);
        QTest::mouseClick(Button_SteinMove, Qt::LeftButton);
        QVERIFY(SteinFaellt && timer->isActive());
        QCOMPARE(timer->interval(), 100);
        QCOMPARE(y_pos, 20);
        m_frames = 0;
        fallTo(100);

        // A click during the fall, with the timer running, restarts the
        // interval, not the fall.
        timer->start();
        QTest::qWait(40);
        QVERIFY(timer->remainingTime() < 80);
        QTest::mouseClick(Button_SteinMove, Qt::LeftButton);
        QVERIFY(SteinFaellt && timer->isActive() && timer->remainingTime() > 80);
        QCOMPARE(y_pos, 100);
        timer->stop();
        QCoreApplication::processEvents(); // the button's own repaint
        m_childPaints = 0;
        while (SteinFaellt) {
            HFenster->timerAnimation();
        }
        QCOMPARE(m_childPaints, 0); // the frames leave the controls alone
        QCOMPARE(m_frames, 205);
        QCOMPARE(y_pos, 20);

        // Unchecking a box while idle changes nothing on the screen.
        const QImage before = screenNow();
        clickBox(Ch1);
        QVERIFY(!Und && Oder);
        QCOMPARE(screenPixels().copy(picture), before.copy(picture));
    }

    // Only the numbers of the two boxes count; the flag follows its box.
    void checkButtonNumbers()
    {
        const struct {
            int id;
            bool und, oder;
        } numbers[] = {{0, false, true}, {1, true, false}, {2, true, true}, {-1, true, true}, {INT_MIN, true, true}};
        for (const auto &n : numbers) {
            Ch1->setChecked(false); // no click: the flags still say on
            Ch2->setChecked(false);
            m_paints = 0;
            QVERIFY(QMetaObject::invokeMethod(HFenster, "CheckButton", Q_ARG(int, n.id))); // reached by signature, as connected
            QVERIFY2(Und == n.und && Oder == n.oder && m_paints == 0, qPrintable(QString::number(n.id)));
            Ch1->setChecked(true);
            Ch2->setChecked(true);
            Und = Oder = true;
        }
    }

    // "Neu Zeichnen" during a fall: a clean board on the screen at once,
    // no stone drawn by the click, and the fall goes on at the next tick.
    void redrawDuringFall()
    {
        setMasks(false, false);
        fallTo(182);
        QCOMPARE(bufferImage().pixelColor(75, 101), red); // a trace
        QTest::mouseClick(Button_SteinMove, Qt::LeftButton); // the timer runs
        const int remaining = timer->remainingTime();
        m_frames = 0;
        QTest::mouseClick(Button_Zeichnen, Qt::LeftButton);
        QCOMPARE(screenNow().copy(picture), m_cleanBoard);
        QCOMPARE(bufferImage().copy(picture), m_cleanBoard);
        QCOMPARE(m_frames, 1);
        QVERIFY(SteinFaellt && timer->isActive() && timer->remainingTime() <= remaining);
        QCOMPARE(y_pos, 182);

        timer->stop();
        HFenster->timerAnimation();
        CHECK_PIXELS(screenNow(), {{75, 201, red}, {75, 101, blue}});
    }

    // Resizing during a fall: a clean board in a buffer of the new size,
    // the enlarged part in the background colour, the fall going on.
    void resizeDuringFall()
    {
        setMasks(false, false);
        fallTo(182);
        HFenster->resize(500, 600);
        QCOMPARE(HFenster->buffer.size(), QSize(500, 600) * HFenster->devicePixelRatioF());
        QImage plain(500, 600, QImage::Format_RGB32);
        plain.fill(background);
        const QImage img = bufferImage();
        QCOMPARE(img.copy(picture), m_cleanBoard);
        QCOMPARE(img.copy(400, 0, 100, 600), plain.copy(400, 0, 100, 600));
        QCOMPARE(img.copy(0, 525, 500, 75), plain.copy(0, 525, 500, 75));
        QVERIFY(SteinFaellt);
        QCOMPARE(y_pos, 182);

        HFenster->timerAnimation();
        CHECK_PIXELS(screenPixels(), {{75, 201, red}, {75, 101, blue}, {450, 300, background}, {200, 560, background}, {499, 599, background}});
    }

    // Nothing erases the window before its paint handler copies the buffer.
    void paintWithoutErase()
    {
        // The first paint fills a backing store that a resize may have made
        // anew; the second must find exactly what that copy left there.
        HFenster->repaint();
        HFenster->repaint();
        QCOMPARE(m_beforePaint, background); // not the window colour, not erased
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(PebblorTest)

#include "pebblor_test.moc"
