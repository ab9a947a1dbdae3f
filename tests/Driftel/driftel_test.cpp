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
#include <QBackingStore>
#include <QHash>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

Q_DECLARE_METATYPE(Picture::Expected)

class DriftelTest : public QObject
{
    Q_OBJECT

private:
    enum Action { Press, Move, Paint };
    QRect m_text; // the text's ink relative to its base point
    QHash<QString, QImage> m_seen; // pictures by the name of the step that made them

    // What the window shows in device pixels (read from its backing store:
    // the offscreen platform's screen grab covers only a part of a window
    // when the device pixel ratio is above 1), and sampled at the centre of
    // each window pixel: the picture the checks expect at any ratio.
    static QImage devicePixels()
    {
        QCoreApplication::processEvents();
        return static_cast<QImage *>(pFenster->backingStore()->paintDevice())->copy().convertToFormat(QImage::Format_RGB32);
    }
    static QImage screen()
    {
        const QImage img = devicePixels();
        const qreal dpr = pFenster->devicePixelRatioF();
        QImage out(pFenster->size(), QImage::Format_RGB32);
        for (int y = 0; y < out.height(); ++y) {
            for (int x = 0; x < out.width(); ++x) {
                out.setPixel(x, y, img.pixel(int((x + 0.5) * dpr), int((y + 0.5) * dpr)));
            }
        }
        return out;
    }

    // Through the application, as the platform delivers it (mouse tracking applies).
    static void mouse(Action action, QPoint pos, Qt::MouseButtons buttons, QWidget *window = pFenster)
    {
        const Qt::MouseButton button = action == Press ? Qt::MouseButton(int(buttons)) : Qt::NoButton;
        QMouseEvent e(action == Press ? QEvent::MouseButtonPress : QEvent::MouseMove, pos, window->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(window, &e);
    }

    static QPoint maus()
    {
        return QPoint(MausX, MausY);
    }
    static QPoint altMaus()
    {
        return QPoint(altMausX, altMausY);
    }

    void verifyPicture(const Picture::Expected &e)
    {
        const QString wrong = Picture::mismatch(screen(), e, m_text);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

private Q_SLOTS:
    void startUp()
    {
        QVERIFY(QTest::qWaitForWindowExposed(pFenster));
        QCOMPARE(pFenster->size(), QSize(700, 500)); // the X test checks the position
        QCOMPARE(pFenster->maximumSize(), QSize(700, 500));
        QCOMPARE(pFenster->minimumSize(), QSize(0, 0));
        const QString caption = QStringLiteral("KDE-QT Driftel  \"Hello World\"  test!   ");
        QCOMPARE(caption.size(), 39);
        QCOMPARE(pFenster->windowTitle(), caption);
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("QT-Demo"));

        // Start-up resizes and paints at least once; the paint passes
        // cancel out, so the text stands in copy mode and no square shows.
        QString wrong;
        QTRY_VERIFY2((wrong = Picture::checkStart(screen(), &m_text)).isEmpty(), qPrintable(wrong));
        m_seen[QStringLiteral("start")] = screen();
    }

    // One step after the other from the start picture. The picture after a
    // step is the rebuilt buffer with the figure toggled at (100, 200) and at
    // the current position, whatever the way there.
    void mouseAndPaint_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QPoint>("pos");
        QTest::addColumn<Qt::MouseButtons>("buttons");
        QTest::addColumn<QPoint>("now");
        QTest::addColumn<QPoint>("before");
        QTest::addColumn<Picture::Expected>("picture");
        QTest::addColumn<QString>("sameAs"); // the step whose picture must come back exactly

        const QPoint start(100, 200);
        const Qt::MouseButtons left = Qt::LeftButton;
        QTest::newRow("first press elsewhere") << int(Press) << QPoint(300, 420) << left << QPoint(300, 420) << start
                                               << Picture::Expected{start, true, {{300, 420}}} << QString();
        QTest::newRow("press where it is, right button")
            << int(Press) << QPoint(300, 420) << Qt::MouseButtons(Qt::RightButton) << QPoint(300, 420) << QPoint(300, 420)
            << Picture::Expected{start, true, {{300, 420}}} << QStringLiteral("first press elsewhere");
        QTest::newRow("move with no button") << int(Move) << QPoint(500, 60) << Qt::MouseButtons() << QPoint(300, 420) << QPoint(300, 420)
                                             << Picture::Expected{start, true, {{300, 420}}} << QStringLiteral("first press elsewhere");
        QTest::newRow("past left and top, middle button") << int(Move) << QPoint(-900, -700) << Qt::MouseButtons(Qt::MiddleButton) << QPoint(-900, -700)
                                                          << QPoint(300, 420) << Picture::Expected{start, true, {}} << QString();
        QTest::newRow("past right and bottom") << int(Move) << QPoint(1500, 1200) << left << QPoint(1500, 1200) << QPoint(-900, -700)
                                               << Picture::Expected{start, true, {}} << QString();
        QTest::newRow("partly past the right") << int(Move) << QPoint(680, 300) << left << QPoint(680, 300) << QPoint(1500, 1200)
                                               << Picture::Expected{start, true, {{680, 300}}} << QString();
        QTest::newRow("partly past left and bottom") << int(Move) << QPoint(-10, 490) << left << QPoint(-10, 490) << QPoint(680, 300)
                                                     << Picture::Expected{start, true, {{-10, 490}}} << QString();
        QTest::newRow("dragged back") << int(Move) << QPoint(300, 420) << left << QPoint(300, 420) << QPoint(-10, 490)
                                      << Picture::Expected{start, true, {{300, 420}}} << QStringLiteral("first press elsewhere");
        QTest::newRow("press at the start position") << int(Press) << start << left << start << QPoint(300, 420) << Picture::Expected{start, false, {}}
                                                     << QStringLiteral("start");
        QTest::newRow("press low") << int(Press) << QPoint(200, 470) << left << QPoint(200, 470) << start << Picture::Expected{start, true, {{200, 470}}}
                                   << QString();
        QTest::newRow("drag up") << int(Move) << QPoint(350, 330) << left << QPoint(350, 330) << QPoint(200, 470)
                                 << Picture::Expected{start, true, {{350, 330}}} << QString();
        // A paint with no mouse event toggles both figures once more.
        QTest::newRow("paint") << int(Paint) << QPoint() << Qt::MouseButtons() << QPoint(350, 330) << QPoint(200, 470)
                               << Picture::Expected{start, true, {{200, 470}}} << QString();
        QTest::newRow("paint again") << int(Paint) << QPoint() << Qt::MouseButtons() << QPoint(350, 330) << QPoint(200, 470)
                                     << Picture::Expected{start, true, {{350, 330}}} << QStringLiteral("drag up");
    }
    void mouseAndPaint()
    {
        QFETCH(int, action);
        QFETCH(QPoint, pos);
        QFETCH(Qt::MouseButtons, buttons);
        QFETCH(QPoint, now);
        QFETCH(QPoint, before);
        QFETCH(Picture::Expected, picture);
        QFETCH(QString, sameAs);

        if (action == Paint) {
            pFenster->repaint();
        } else {
            mouse(Action(action), pos, buttons); // repaints before it returns
        }
        QCOMPARE(maus(), now); // stored as delivered, however far outside
        QCOMPARE(altMaus(), before);
        const QImage shown = screen();
        verifyPicture(picture);
        if (!sameAs.isEmpty()) {
            QVERIFY(shown == m_seen.value(sameAs));
        }
        m_seen[QString::fromLatin1(QTest::currentDataTag())] = shown;
    }

#ifndef DRIFTEL2
    // What a pass toggles is exactly the text as drawText draws it in XOR
    // mode, at the previous and at the new position.
    void passTogglesTheText()
    {
        const QPoint from = maus();
        const QPoint to(120, 460);
        const QImage before = devicePixels();
        mouse(Press, to, Qt::LeftButton);
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
        QCOMPARE(maus(), QPoint(420, 120));
        QVERIFY(screen() == before);

        mouse(Press, QPoint(40, 380), Qt::LeftButton);
        verifyPicture({QPoint(100, 200), true, {{40, 380}}}); // nothing left at (420, 120) or (350, 330)
    }

    // A resize rebuilds the buffer; the paint that follows it toggles both
    // positions. After XOR passes the rebuild still draws in copy mode with
    // the default black pen: nothing carries over from one handler to the next.
    void resizing()
    {
        const QPoint b(40, 380);
        mouse(Press, b, Qt::LeftButton); // previous and current position now equal

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
        mouse(Move, c, Qt::LeftButton);
        verifyPicture({b, true, {c}});
        pFenster->resize(600, 450);
        QTRY_COMPARE(screen().size(), QSize(600, 450));
        verifyPicture({c, true, {b}});
    }
};

PROGRAM_TEST_MAIN(DriftelTest)

#include "driftel_test.moc"
