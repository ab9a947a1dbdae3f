// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "programtest.h"
#include "wavelry.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <climits>

class WavelryTest : public QObject
{
    Q_OBJECT

private:
    // Exactly one button on, and it is button `on`.
    static void checkOnlyOn(int on)
    {
        for (QAbstractButton *b : gr->buttons()) {
            QCOMPARE(b->isChecked(), b == gr->button(on));
        }
    }

private Q_SLOTS:
    // FM is on and named without any click.
    void startState()
    {
        ProgramTest::checkFixedWindow(top, statusbar);
        checkOnlyOn(1);
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("FM is true!"));
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
        checkOnlyOn(button);
        QCOMPARE(statusbar->currentMessage(), text);
    }

    // Numbers that are no button's, reaching the slot by signature as the
    // connection does, leave the message alone.
    void otherNumbersAreIgnored()
    {
        for (int number : {0, 4, -1, INT_MIN, INT_MAX}) {
            QVERIFY(QMetaObject::invokeMethod(top, "RButton", Q_ARG(int, number)));
            QVERIFY2(statusbar->currentMessage() == QStringLiteral("AM is true!"), qPrintable(QString::number(number)));
        }
    }
};

PROGRAM_TEST_MAIN(WavelryTest)

#include "wavelry_test.moc"
