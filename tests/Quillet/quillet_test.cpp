// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "programtest.h"
#include "quillet.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

class QuilletTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An empty field that takes typing without a click first.
    void initTestCase()
    {
        ProgramTest::checkFixedWindow(top, statusbar, QStringLiteral("KDE-QT LineEdit test!"));
        QCOMPARE(LEdit1->text(), QString());
        QCOMPARE(statusbar->currentMessage(), QString());
        QCOMPARE(top->focusWidget(), LEdit1);
        top->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(top));
    }

    // Every test starts with an empty field that has the focus, and an empty status bar.
    void init()
    {
        LEdit1->clear();
        LEdit1->setFocus();
        statusbar->clearMessage();
    }

    // Keys typed into the field, '\n' for Return; then the focus may leave
    // it and time pass: the text stays until the next Return replaces it.
    void entries_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("leave");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("inField");
        QTest::newRow("a word") << QStringLiteral("Hallo\n") << false << QStringLiteral("Hallo") << QString();
        QTest::newRow("second replaces first") << QStringLiteral("Hallo\nWelt\n") << false << QStringLiteral("Welt") << QString();
        QTest::newRow("spaces kept") << QStringLiteral("  zwei  Worte  \n") << false << QStringLiteral("  zwei  Worte  ") << QString();
        QTest::newRow("typing alone shows nothing") << QStringLiteral("Hallo\nabc") << false << QStringLiteral("Hallo") << QStringLiteral("abc");
        QTest::newRow("leaving the field shows nothing") << QStringLiteral("Hallo\nabc") << true << QStringLiteral("Hallo") << QStringLiteral("abc");
        QTest::newRow("empty field blanks the bar") << QStringLiteral("Hallo\n\n") << false << QString() << QString();
        QTest::newRow("only spaces") << QStringLiteral("   \n") << false << QStringLiteral("   ") << QString();
    }
    void entries()
    {
        QFETCH(QString, keys);
        QFETCH(bool, leave);
        QFETCH(QString, shown);
        QFETCH(QString, inField);
        const QStringList lines = keys.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            QTest::keyClicks(LEdit1, lines[i]);
            if (i + 1 < lines.size()) {
                QTest::keyClick(LEdit1, Qt::Key_Return);
            }
        }
        if (leave) {
            LEdit1->clearFocus();
            QVERIFY(!LEdit1->hasFocus());
            ProgramTest::waitPastTimeouts();
        }
        QCOMPARE(statusbar->currentMessage(), shown);
        QCOMPARE(LEdit1->text(), inField);
    }

    // A very long paste: the field keeps the toolkit's default length limit,
    // Return moves what it holds, and both widgets still draw.
    void longPaste()
    {
        QString text;
        for (int i = 0; text.size() < 200000; ++i) {
            text += QString::number(i) + QLatin1Char(' ');
        }
        text.truncate(200000);
        QApplication::clipboard()->setText(text);
        QTest::keySequence(LEdit1, QKeySequence::Paste);
        QCOMPARE(LEdit1->text(), text.left(LEdit1->maxLength()));
        QTest::keyClick(LEdit1, Qt::Key_Return);
        QCOMPARE(statusbar->currentMessage(), text.left(LEdit1->maxLength()));
        QCOMPARE(LEdit1->text(), QString());
        const QImage img = ProgramTest::screenPixels(top);
        QCOMPARE(img.pixelColor(300, 200), QColor(250, 250, 200));
    }

    // Pseudo-translated, every text the program shows comes back marked.
    void everyTextTranslated()
    {
        ProgramTest::checkEveryTextTranslated();
    }
};

PROGRAM_TEST_MAIN(QuilletTest)

#include "quillet_test.moc"
