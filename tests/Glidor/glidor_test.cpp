// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "inttostrcheck.h"
#include "programtest.h"
#include "screentext.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <climits>

class GlidorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Both bars stand at 1 and nothing has been reported yet.
    void initTestCase()
    {
        ProgramTest::checkFixedWindow(top, statusbar, QStringLiteral("KDE-QT Glidor test!"));
        QCOMPARE(ScrollBarHor->value(), 1);
        QCOMPARE(ScrollBarVer->value(), 1);
        QCOMPARE(statusbar->currentMessage(), QString());
    }

    // The bars end at y 474, over the status bar's top rows: a number must
    // be drawn wholly below them, with the row under the bars still clear.
    void textBelowBars()
    {
        ScrollBarHor->setValue(88);
        const QImage belowBars = ProgramTest::screenPixels(top).copy(0, 475, 675, 25);
        QVERIFY(ScreenText::shows(belowBars, QStringLiteral("88")));
        QVERIFY2(ScreenText::inkBox(belowBars).top() > 0, "text reaches up to the bars");
    }

    // Every value the bars can report, the powers of ten with their
    // neighbours, the limits of int, then random values over the whole
    // range and over every number of digits.
    void intToStr()
    {
        QVector<int> edges{-1, INT_MAX, INT_MAX - 1, INT_MIN, INT_MIN + 1};
        for (int n = 0; n <= 100; ++n) {
            edges << n;
        }
        for (int p = 10; p <= INT_MAX / 10; p *= 10) {
            edges << p - 1 << p << p + 1 << -p + 1 << -p << -p - 1;
        }
        edges << 999999999 << 1000000000 << 1000000001 << -999999999 << -1000000000 << -1000000001;
        for (int n : edges) {
            const std::string fault = checkIntToStr(n);
            QVERIFY2(fault.empty(), fault.c_str());
        }
        const int powers[] = {10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
        QRandomGenerator random(20260101);
        for (int i = 0; i < 1000000; ++i) {
            int n = int(random.generate());
            if (i % 2) {
                n %= powers[random.bounded(9)]; // 1 to 9 digits, either sign
            }
            const std::string fault = checkIntToStr(n);
            QVERIFY2(fault.empty(), fault.c_str());
        }
    }

    // Steps of both bars in a row, each from where the previous one left
    // the bars (no action: the value is set), from the middle of the range
    // and at its ends. A step that changes nothing reports nothing.
    void steps()
    {
        using S = QAbstractSlider;
        QScrollBar *const hor = ScrollBarHor, *const ver = ScrollBarVer;
        const struct {
            QScrollBar *bar;
            S::SliderAction action;
            int value;
            const char *shown;
        } steps[] = {{hor, S::SliderNoAction, 37, "37"},      {hor, S::SliderSingleStepAdd, 38, "38"}, {hor, S::SliderSingleStepSub, 37, "37"},
                     {hor, S::SliderPageStepAdd, 47, "47"},   {hor, S::SliderPageStepSub, 37, "37"},   {hor, S::SliderNoAction, 0, "0"},
                     {hor, S::SliderSingleStepSub, 0, ""},    {hor, S::SliderPageStepSub, 0, ""},      {hor, S::SliderToMaximum, 100, "100"},
                     {hor, S::SliderPageStepAdd, 100, ""},    {ver, S::SliderNoAction, 63, "63"},      {ver, S::SliderSingleStepAdd, 64, "64"},
                     {ver, S::SliderSingleStepSub, 63, "63"}, {ver, S::SliderPageStepAdd, 73, "73"},   {ver, S::SliderPageStepSub, 63, "63"},
                     {ver, S::SliderNoAction, 95, "95"},      {ver, S::SliderPageStepAdd, 100, "100"}, {ver, S::SliderSingleStepAdd, 100, ""},
                     {ver, S::SliderNoAction, 3, "3"},        {ver, S::SliderPageStepSub, 0, "0"}};
        for (const auto &step : steps) {
            statusbar->clearMessage();
            if (step.action == S::SliderNoAction) {
                step.bar->setValue(step.value);
            } else {
                step.bar->triggerAction(step.action);
            }
            const QString where = QStringLiteral("step %1").arg(&step - steps);
            QVERIFY2(step.bar->value() == step.value, qPrintable(where));
            QVERIFY2(statusbar->currentMessage() == QLatin1String(step.shown), qPrintable(where));
        }
    }

    // Either bar's message goes after one second; a message of the other bar
    // within that time replaces it and runs its own second. Measured against a
    // precise timer started with it in the same event loop, which a busy
    // machine delays alike: -64 to +131 ms at a load of 8 on two cores (the
    // coarse timer fires 5 % either way), so 250 ms fails 1.4 s and 0.6 s.
    void messageTimeout_data()
    {
        QTest::addColumn<bool>("horizontalLast");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("vertical replaces horizontal") << false << 50 << 60;
        QTest::newRow("horizontal replaces vertical") << true << 51 << 61;
    }
    void messageTimeout()
    {
        QFETCH(bool, horizontalLast);
        QFETCH(int, first);
        QFETCH(int, last);
        QElapsedTimer clock;
        clock.start();
        qint64 gone = -1, second = -1;
        const auto watch = connect(statusbar, &QStatusBar::messageChanged, this, [&](const QString &text) {
            if (text.isEmpty() && gone < 0) {
                gone = clock.elapsed();
            }
        });
        (horizontalLast ? ScrollBarVer : ScrollBarHor)->setValue(first);
        QCOMPARE(statusbar->currentMessage(), QString::number(first));
        QTest::qWait(600);
        (horizontalLast ? ScrollBarHor : ScrollBarVer)->setValue(last);
        QTimer::singleShot(1000, Qt::PreciseTimer, this, [&] {
            second = clock.elapsed();
        });
        QCOMPARE(statusbar->currentMessage(), QString::number(last));
        QTRY_VERIFY_WITH_TIMEOUT(gone >= 0 && second >= 0, 5000);
        disconnect(watch);
        QVERIFY2(qAbs(gone - second) <= 250, qPrintable(QStringLiteral("gone %1 ms from the second's end").arg(gone - second)));
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(GlidorTest)

#include "glidor_test.moc"
