// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Built twice: for Driftel (the dragged text) and, with DRIFTEL2, for
// Driftel2 (the dragged square).

#include "driftelpicture.h"
#include "programtest.h"
#ifdef DRIFTEL2
#include "driftel2.h"
#else
#include "driftel.h"
#endif

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

enum Action {
    Press, // a button goes down at pos
    Move, // the pointer moves to pos, buttons held
    Paint, // the whole window is painted
    Wait, // time passes, events and all
};
struct Step {
    Action action;
    QPoint pos;
    Qt::MouseButtons buttons = Qt::LeftButton;
};
Q_DECLARE_METATYPE(Picture::Expected)
Q_DECLARE_METATYPE(QVector<Step>)

class DriftelTest : public QObject
{
    Q_OBJECT

private:
    QRect m_text; // the text's ink relative to its base point

    // What the window shows in device pixels, and sampled at the centre of
    // each window pixel: the picture the checks expect at any ratio.
    static QImage devicePixels()
    {
        QCoreApplication::processEvents();
        return ProgramTest::backingStorePixels(pFenster);
    }
    static QImage screen()
    {
        return ProgramTest::sampled(devicePixels(), pFenster->devicePixelRatioF());
    }

    // Through the application, as the platform delivers it (mouse tracking applies).
    static void mouse(Action action, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton, QWidget *window = pFenster)
    {
        const Qt::MouseButton button = action == Press ? Qt::MouseButton(int(buttons)) : Qt::NoButton;
        QMouseEvent e(action == Press ? QEvent::MouseButtonPress : QEvent::MouseMove, pos, window->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(window, &e);
    }
    // Steps one right after the other, with no event processing between
    // them: a handler that only asks for a paint shows the last one alone.
    static void play(const QVector<Step> &steps)
    {
        for (const Step &s : steps) {
            s.action == Wait ? ProgramTest::waitPastTimeouts() : s.action == Paint ? pFenster->repaint() : mouse(s.action, s.pos, s.buttons);
        }
    }

    void verifyPicture(const Picture::Expected &e)
    {
        const QString wrong = Picture::mismatch(screen(), e, m_text);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

private Q_SLOTS:
    // Start-up resizes and paints at least once; the paint passes cancel
    // out, so the text stands in copy mode and no square shows.
    void initTestCase()
    {
        QVERIFY(QTest::qWaitForWindowExposed(pFenster));
        QString wrong;
        QTRY_VERIFY2((wrong = Picture::checkStart(screen(), &m_text)).isEmpty(), qPrintable(wrong));
        QCOMPARE(pFenster->windowTitle(), QStringLiteral("KDE-QT Driftel  \"Hello World\"  test!   "));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("QT-Demo"));
    }

    // Every test starts from the start picture: the figure at (100, 200),
    // the buffer rebuilt there and painted.
    void init()
    {
        pFenster->resize(700, 500);
        MausX = altMausX = 100;
        MausY = altMausY = 200;
        QResizeEvent rebuild(pFenster->size(), pFenster->size());
        QApplication::sendEvent(pFenster, &rebuild);
        pFenster->repaint();
        QTRY_COMPARE(Picture::checkStart(screen(), &m_text), QString());
    }

    // Steps from the start picture. The picture after them is the rebuilt
    // buffer with the figure toggled at (100, 200) and at the current
    // position, whatever the way there.
    void mouseAndPaint_data()
    {
        QTest::addColumn<QVector<Step>>("steps");
        QTest::addColumn<QPoint>("now");
        QTest::addColumn<QPoint>("before");
        QTest::addColumn<Picture::Expected>("picture");
        QTest::addColumn<int>("sameAs"); // the picture after this many of the steps must come back exactly

        const QPoint start(100, 200), p(300, 420);
        const Step press{Press, p};
        QTest::newRow("press elsewhere") << QVector<Step>{press} << p << start << Picture::Expected{start, true, {p}} << -1;
        QTest::newRow("press where it is, right button")
            << QVector<Step>{press, {Press, p, Qt::RightButton}} << p << p << Picture::Expected{start, true, {p}} << 1;
        QTest::newRow("move with no button") << QVector<Step>{press, {Move, {500, 60}, {}}} << p << start << Picture::Expected{start, true, {p}} << 1;
        QTest::newRow("past left and top, middle button")
            << QVector<Step>{press, {Move, {-900, -700}, Qt::MiddleButton}} << QPoint(-900, -700) << p << Picture::Expected{start, true, {}} << -1;
        QTest::newRow("past left and top, then right and bottom") << QVector<Step>{press, {Move, {-900, -700}}, {Move, {1500, 1200}}} << QPoint(1500, 1200)
                                                                  << QPoint(-900, -700) << Picture::Expected{start, true, {}} << -1;
        QTest::newRow("partly past the right") << QVector<Step>{{Press, {1500, 1200}}, {Move, {680, 300}}} << QPoint(680, 300) << QPoint(1500, 1200)
                                               << Picture::Expected{start, true, {{680, 300}}} << -1;
        QTest::newRow("partly past left and bottom") << QVector<Step>{press, {Move, {680, 300}}, {Move, {-10, 490}}} << QPoint(-10, 490) << QPoint(680, 300)
                                                     << Picture::Expected{start, true, {{-10, 490}}} << -1;
        QTest::newRow("dragged back") << QVector<Step>{press, {Move, {-10, 490}}, {Move, p}} << p << QPoint(-10, 490) << Picture::Expected{start, true, {p}}
                                      << 1;
        QTest::newRow("press at the start position") << QVector<Step>{press, {Press, start}} << start << p << Picture::Expected{start, false, {}} << 0;
        const QVector<Step> dragUp{{Press, {200, 470}}, {Move, {300, 400}}, {Move, {350, 330}}};
        QTest::newRow("drag up") << dragUp << QPoint(350, 330) << QPoint(300, 400) << Picture::Expected{start, true, {{350, 330}}} << -1;
        // Then nothing for a while: the figure stays where it is.
        QTest::newRow("drag up, wait") << (dragUp + QVector<Step>{{Wait, {}}}) << QPoint(350, 330) << QPoint(300, 400)
                                       << Picture::Expected{start, true, {{350, 330}}} << -1;
        // A paint with no mouse event toggles both figures once more.
        QTest::newRow("paint") << (dragUp + QVector<Step>{{Paint, {}}}) << QPoint(350, 330) << QPoint(300, 400) << Picture::Expected{start, true, {{300, 400}}}
                               << -1;
        QTest::newRow("paint again") << (dragUp + QVector<Step>{{Paint, {}}, {Paint, {}}}) << QPoint(350, 330) << QPoint(300, 400)
                                     << Picture::Expected{start, true, {{350, 330}}} << 3;
    }
    void mouseAndPaint()
    {
        QFETCH(QVector<Step>, steps);
        QFETCH(QPoint, now);
        QFETCH(QPoint, before);
        QFETCH(Picture::Expected, picture);
        QFETCH(int, sameAs);

        QImage same;
        if (sameAs >= 0) {
            play(steps.mid(0, sameAs));
            same = screen();
            init();
        }
        play(steps);
        QCOMPARE(QPoint(MausX, MausY), now); // stored as delivered, however far outside
        QCOMPARE(QPoint(altMausX, altMausY), before);
        verifyPicture(picture);
        QVERIFY(sameAs < 0 || screen() == same);
    }

#ifndef DRIFTEL2
    // What a pass toggles is exactly the text as drawText draws it in XOR
    // mode, at the previous and at the new position.
    void passTogglesTheText()
    {
        const QPoint from(MausX, MausY);
        const QPoint to(120, 460);
        const QImage before = devicePixels();
        mouse(Press, to);
        const QImage after = devicePixels();

        QImage toggled(before.size(), QImage::Format_RGB32);
        toggled.setDevicePixelRatio(pFenster->devicePixelRatioF());
        toggled.fill(Qt::black);
        QPainter p(&toggled);
        p.setFont(QFont(QStringLiteral("courier"), 80, QFont::Bold, false));
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.setPen(Qt::yellow);
        p.drawText(from, QStringLiteral("Hello World!"));
        p.drawText(to, QStringLiteral("Hello World!"));
        p.end();
        int wrong = 0;
        for (int y = 0; y < before.height(); ++y) {
            for (int x = 0; x < before.width(); ++x) {
                wrong += ((before.pixel(x, y) ^ after.pixel(x, y) ^ toggled.pixel(x, y)) & 0xffffff) != 0;
            }
        }
        QCOMPARE(wrong, 0);
    }
#endif

    // Before main() has stored the window, a pass still draws into the
    // buffer but copies nothing.
    void noWindowNoCopy()
    {
        KdeW *window = pFenster;
        const QImage before = screen();
        pFenster = nullptr;
        mouse(Press, QPoint(420, 120), Qt::LeftButton, window);
        pFenster = window;
        QCOMPARE(QPoint(MausX, MausY), QPoint(420, 120));
        QVERIFY(screen() == before);

        mouse(Press, QPoint(40, 380));
        verifyPicture({QPoint(100, 200), true, {{40, 380}}}); // nothing left at (420, 120)
    }

    // A resize rebuilds the buffer; the paint that follows it toggles both
    // positions. After XOR passes the rebuild still draws in copy mode with
    // the default black pen: nothing carries over from one handler to the next.
    void resizing()
    {
        const QPoint b(40, 380);
        play({{Press, b}, {Press, b}}); // previous and current position now equal

        pFenster->resize(500, 400);
        QCOMPARE(pFenster->size(), QSize(500, 400));
        QTRY_COMPARE(screen().size(), QSize(500, 400));
        QImage shown = screen();
        verifyPicture({b, false, {}}); // the earlier figures are gone
        // Outline on the top and left only, the text cut off at the new right edge.
        QCOMPARE(Picture::count(shown, QRect(0, 0, 500, 1), Picture::Black), 500);
        QCOMPARE(Picture::count(shown, QRect(0, 0, 1, 400), Picture::Black), 400);
        QCOMPARE(Picture::count(shown, QRect(1, 1, 499, 399), Picture::Black), 0);
        QCOMPARE(Picture::copyInk(shown).right(), 499);

        pFenster->resize(900, 700);
        QCOMPARE(pFenster->size(), QSize(700, 500));
        QTRY_COMPARE(screen().size(), QSize(700, 500));
        shown = screen();
        verifyPicture({b, false, {}});
        QCOMPARE(Picture::count(shown, QRect(0, 499, 700, 1), Picture::Black), 700);
        QCOMPARE(Picture::count(shown, QRect(699, 0, 1, 300), Picture::Black), 300);

        const QPoint c(60, 150);
        mouse(Move, c);
        verifyPicture({b, true, {c}});
        pFenster->resize(600, 450);
        QTRY_COMPARE(screen().size(), QSize(600, 450));
        verifyPicture({c, true, {b}});
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(DriftelTest)

#include "driftel_test.moc"
