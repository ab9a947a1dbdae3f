// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "programtest.h"
#include "wavelry.h"

#include <QButtonGroup>
#include <QGroupBox>
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
    // FM is on and named without any click, for as long as nothing else happens.
    void initTestCase()
    {
        ProgramTest::checkFixedWindow(top, statusbar, QStringLiteral("KDE-QT RadioButton test!"));
        checkOnlyOn(1);
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("FM is true!"));
        ProgramTest::waitPastTimeouts();
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("FM is true!"));
    }

    // Every test starts with FM on and the status bar blank.
    void init()
    {
        QTest::mouseClick(b1, Qt::LeftButton, {}, QPoint(8, b1->height() / 2));
        statusbar->clearMessage();
    }

    // Every fixed text of the window (the accelerator manager may add a '&').
    void fixedTexts_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("text");
        QTest::newRow("group title") << grRahmen->title() << QStringLiteral("RadioButton");
        QTest::newRow("FM") << b1->text().remove(QLatin1Char('&')) << QStringLiteral("FM");
        QTest::newRow("AM") << b2->text().remove(QLatin1Char('&')) << QStringLiteral("AM");
        QTest::newRow("LW") << b3->text().remove(QLatin1Char('&')) << QStringLiteral("LW");
    }
    void fixedTexts()
    {
        QFETCH(QString, shown);
        QFETCH(QString, text);
        QCOMPARE(shown, text);
    }

    // Real clicks on the buttons, one after the other; the status bar names
    // the band at the release, and exactly one button is on at every step.
    // A 0 lets time pass instead: each sentence stays until the next.
    void clicks_data()
    {
        QTest::addColumn<QVector<int>>("buttons");
        QTest::addColumn<QString>("text");
        QTest::newRow("AM") << QVector<int>{2, 0} << QStringLiteral("AM is true!");
        QTest::newRow("LW") << QVector<int>{3, 0} << QStringLiteral("LW is true!");
        QTest::newRow("LW again") << QVector<int>{3, 3} << QStringLiteral("LW is true!");
        QTest::newRow("FM after LW") << QVector<int>{3, 1, 0} << QStringLiteral("FM is true!");
        QTest::newRow("FM again") << QVector<int>{1} << QStringLiteral("FM is true!");
        QTest::newRow("AM after FM") << QVector<int>{3, 1, 2} << QStringLiteral("AM is true!");
    }
    void clicks()
    {
        QFETCH(QVector<int>, buttons);
        QFETCH(QString, text);
        for (int button : buttons) {
            if (button == 0) {
                ProgramTest::waitPastTimeouts();
                continue;
            }
            QAbstractButton *b = gr->button(button);
            const QString before = statusbar->currentMessage();
            QTest::mousePress(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
            QCOMPARE(statusbar->currentMessage(), before); // a press alone names nothing
            QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
            checkOnlyOn(button);
        }
        QCOMPARE(statusbar->currentMessage(), text);
    }

    // Numbers that are no button's, reaching the slot by signature as the
    // connection does, leave the message alone.
    void otherNumbersAreIgnored()
    {
        statusbar->showMessage(QStringLiteral("shown"));
        for (int number : {0, 4, -1, INT_MIN, INT_MAX}) {
            QVERIFY(QMetaObject::invokeMethod(top, "RButton", Q_ARG(int, number)));
            QVERIFY2(statusbar->currentMessage() == QStringLiteral("shown"), qPrintable(QString::number(number)));
        }
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(WavelryTest)

#include "wavelry_test.moc"
