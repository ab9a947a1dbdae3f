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
    void startState()
    {
        ProgramTest::checkFixedWindow(top, statusbar);
        QCOMPARE(LEdit1->text(), QString());
        QCOMPARE(statusbar->currentMessage(), QString());
        QCOMPARE(top->focusWidget(), LEdit1);
    }

    // Entries typed one after the other, each starting from where the
    // previous one left the field and the status bar.
    void entries_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("pressReturn");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("inField");
        QTest::newRow("a word") << QStringLiteral("Hallo") << true << QStringLiteral("Hallo") << QString();
        QTest::newRow("second replaces first") << QStringLiteral("Welt") << true << QStringLiteral("Welt") << QString();
        QTest::newRow("spaces kept") << QStringLiteral("  zwei  Worte  ") << true << QStringLiteral("  zwei  Worte  ") << QString();
        QTest::newRow("typing alone shows nothing") << QStringLiteral("abc") << false << QStringLiteral("  zwei  Worte  ") << QStringLiteral("abc");
        QTest::newRow("Return takes all of it") << QStringLiteral("def") << true << QStringLiteral("abcdef") << QString();
        QTest::newRow("empty field blanks the bar") << QString() << true << QString() << QString();
        QTest::newRow("only spaces") << QStringLiteral("   ") << true << QStringLiteral("   ") << QString();
    }
    void entries()
    {
        QFETCH(QString, typed);
        QFETCH(bool, pressReturn);
        QFETCH(QString, shown);
        QFETCH(QString, inField);
        QTest::keyClicks(LEdit1, typed);
        if (pressReturn) {
            QTest::keyClick(LEdit1, Qt::Key_Return);
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

        QTest::keyClicks(LEdit1, QStringLiteral("kurz"));
        QTest::keyClick(LEdit1, Qt::Key_Return);
        QCOMPARE(statusbar->currentMessage(), QStringLiteral("kurz"));
    }
};

PROGRAM_TEST_MAIN(QuilletTest)

#include "quillet_test.moc"
