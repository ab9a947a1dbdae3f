// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "programtest.h"
#include "wavelry.h"

#include <QButtonGroup>
#include <QGuiApplication>
#include <QGroupBox>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <climits>

extern KdeW *top;
extern QStatusBar *statusbar;
extern QButtonGroup *gr;
extern QRadioButton *b1;
extern QRadioButton *b2;
extern QRadioButton *b3;

class WavelryTest : public QObject
{
    Q_OBJECT

private:
    static int checkedCount()
    {
        return int(b1->isChecked()) + int(b2->isChecked()) + int(b3->isChecked());
    }

private Q_SLOTS:
    void startState()
    {
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QCOMPARE(top->size(), QSize(700, 500));
        QCOMPARE(top->minimumSize(), QSize(700, 500));
        QCOMPARE(top->maximumSize(), QSize(700, 500));
        QCOMPARE(top->palette().color(QPalette::Window), QColor(250, 250, 200));
        QCOMPARE(ProgramTest::screenPixels(top).pixelColor(400, 200), QColor(250, 250, 200));
        QVERIFY(top->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("KDE-QT RadioButton test!")); // the platform titles the window with it

        // FM is on and named without any click.
        QVERIFY(b1->isChecked());
        QCOMPARE(checkedCount(), 1);
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("FM is true!"));
        QCOMPARE(gr->id(b1), 1);
        QCOMPARE(gr->id(b2), 2);
        QCOMPARE(gr->id(b3), 3);

        // The status bar lies inside the window, along its bottom edge, and is tall enough for its text.
        const QRect bar(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size());
        QVERIFY(statusbar->isVisible());
        QCOMPARE(bar.bottom(), 499);
        QCOMPARE(bar.width(), 700);
        QVERIFY(bar.height() > statusbar->fontMetrics().tightBoundingRect(QStringLiteral("FM is true!")).height());
        QCOMPARE(statusbar->font().bold(), true);
        QCOMPARE(statusbar->font().pointSize(), 14);
    }

    void fixedSize()
    {
        top->resize(900, 700);
        QCOMPARE(top->size(), QSize(700, 500));
        top->resize(300, 200);
        QCOMPARE(top->size(), QSize(700, 500));
    }

    // Real clicks on the buttons, one after the other; the status bar names
    // the band and exactly one button is on at every step.
    void clicks_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("AM") << 2 << QStringLiteral("AM is true!");
        QTest::newRow("LW") << 3 << QStringLiteral("LW is true!");
        QTest::newRow("LW again") << 3 << QStringLiteral("LW is true!");
        QTest::newRow("FM") << 1 << QStringLiteral("FM is true!");
        QTest::newRow("FM again") << 1 << QStringLiteral("FM is true!");
        QTest::newRow("AM after FM") << 2 << QStringLiteral("AM is true!");
    }
    void clicks()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QAbstractButton *b = gr->button(button);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
        QVERIFY(b->isChecked());
        QCOMPARE(checkedCount(), 1);
        QCOMPARE(statusbar->currentMessage(), text);
    }

    void otherNumbersAreIgnored_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("0") << 0;
        QTest::newRow("4") << 4;
        QTest::newRow("-1") << -1;
        QTest::newRow("INT_MIN") << INT_MIN;
        QTest::newRow("INT_MAX") << INT_MAX;
    }
    void otherNumbersAreIgnored()
    {
        QFETCH(int, number);
        top->RButton(2);
        QVERIFY(QMetaObject::invokeMethod(top, "RButton", Q_ARG(int, number))); // reached by signature, as connected
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("AM is true!"));
    }
};

PROGRAM_TEST_MAIN(WavelryTest)

#include "wavelry_test.moc"
