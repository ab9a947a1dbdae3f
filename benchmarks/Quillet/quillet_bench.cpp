// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// What a very long entry costs: a 200,000-character paste (the field keeps
// the first 32,767, its default limit), Return, and the drawing of the field
// and the status bar, against the same with a short entry.

#include "bench.h"
#include "programtest.h"
#include "quillet.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

class QuilletBench : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longEntry()
    {
        QVERIFY(QTest::qWaitForWindowExposed(top));
        QString longText;
        for (int i = 0; longText.size() < 200000; ++i) {
            longText += QString::number(i) + QLatin1Char(' ');
        }
        longText.truncate(200000);
        const QString shortText = QStringLiteral("Hallo Welt");

        // Paste (what a paste inserts), draw the field, Return, draw the bar.
        const auto entry = [](const QString &text) {
            return [&text] {
                LEdit1->insert(text);
                LEdit1->repaint();
                QTest::keyClick(LEdit1, Qt::Key_Return);
                statusbar->repaint();
            };
        };
        entry(longText)();
        QCOMPARE(statusbar->currentMessage().size(), LEdit1->maxLength());
        Bench::report("paste of 200000 characters, Return, drawing", Bench::compare(entry(longText), entry(shortText), 5, 200));

        // Return alone, with the field already holding the text.
        const auto returnOnly = [](const QString &text) {
            return [&text] {
                LEdit1->setText(text);
                QTest::keyClick(LEdit1, Qt::Key_Return);
                statusbar->repaint();
            };
        };
        Bench::report("Return with 32767 characters in the field, drawing the bar", Bench::compare(returnOnly(longText), returnOnly(shortText), 5, 200));
    }
};

PROGRAM_TEST_MAIN(QuilletBench)

#include "quillet_bench.moc"
