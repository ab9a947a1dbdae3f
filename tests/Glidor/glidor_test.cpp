// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "glidor.h"
#include "programtest.h"
#include "screentext.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>

#include <climits>
#include <cstring>
#include <string>

void IntToStr(int Zahl, char *ZahlenStr);

namespace
{
// Converts n into a buffer full of guard bytes and checks the text against
// the standard library, the length limit and the bytes behind the NUL:
// empty when all holds, else what went wrong.
std::string checkIntToStr(int n)
{
    const char guard = '\x5a';
    char buf[32];
    std::memset(buf, guard, sizeof buf);
    IntToStr(n, buf);
    const void *nul = std::memchr(buf, 0, sizeof buf);
    if (!nul) {
        return "no NUL written for " + std::to_string(n);
    }
    const size_t len = size_t(static_cast<const char *>(nul) - buf);
    if (len + 1 > 12) {
        return "more than 12 bytes for " + std::to_string(n);
    }
    for (size_t i = len + 1; i < sizeof buf; ++i) {
        if (buf[i] != guard) {
            return "byte " + std::to_string(i) + " behind the NUL touched for " + std::to_string(n);
        }
    }
    if (std::string(buf) != std::to_string(n)) {
        return "'" + std::string(buf) + "' for " + std::to_string(n);
    }
    return {};
}
}

class GlidorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Both bars stand at 1 and nothing has been reported yet.
    void startState()
    {
        ProgramTest::checkFixedWindow(top, statusbar);
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
    // the bars (no action: the value is set). A step that changes nothing
    // reports nothing.
    void steps()
    {
        using S = QAbstractSlider;
        QScrollBar *const hor = ScrollBarHor, *const ver = ScrollBarVer;
        const struct {
            QScrollBar *bar;
            S::SliderAction action;
            int value;
            const char *shown;
        } steps[] = {{hor, S::SliderNoAction, 1, "1"},
                     {hor, S::SliderSingleStepAdd, 2, "2"},
                     {hor, S::SliderSingleStepSub, 1, "1"},
                     {hor, S::SliderSingleStepSub, 0, "0"},
                     {hor, S::SliderSingleStepSub, 0, ""},
                     {hor, S::SliderPageStepAdd, 10, "10"},
                     {hor, S::SliderToMaximum, 100, "100"},
                     {hor, S::SliderPageStepAdd, 100, ""},
                     {hor, S::SliderNoAction, 37, "37"},
                     {ver, S::SliderNoAction, 37, "37"},
                     {ver, S::SliderNoAction, 95, "95"},
                     {ver, S::SliderPageStepAdd, 100, "100"},
                     {ver, S::SliderSingleStepSub, 99, "99"},
                     {ver, S::SliderNoAction, 3, "3"},
                     {ver, S::SliderPageStepSub, 0, "0"}};
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

    // A message goes 1000 ms after it was shown; a second one within that
    // time replaces it at once and runs its own 1000 ms.
    void messageTimeout()
    {
        QElapsedTimer first;
        ScrollBarHor->setValue(50);
        first.start();
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("50"));
        QTest::qWait(600);
        QElapsedTimer second;
        ScrollBarVer->setValue(60);
        second.start();
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("60"));
        // Past the first message's end, inside the second's.
        while (first.elapsed() < 1200) {
            QTest::qWait(20);
        }
        QVERIFY2(second.elapsed() >= 950 || statusbar->currentMessage() == QStringLiteral("60"), "cleared by the first message's time-out");
        QTRY_COMPARE_WITH_TIMEOUT(statusbar->currentMessage(), QString(), 5000);
        QVERIFY2(second.elapsed() >= 950, qPrintable(QString::number(second.elapsed()))); // a coarse timer may fire 5 % early
    }
};

PROGRAM_TEST_MAIN(GlidorTest)

#include "glidor_test.moc"
