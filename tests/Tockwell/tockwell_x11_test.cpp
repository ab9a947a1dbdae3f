// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

#include "screentext.h"
#include "x11test.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTimeZone>

// The program runs under a fake clock (libfaketime): its time of day is the
// real one plus an offset that the test writes into a file and may change
// at any moment, as setting the system clock does. The timers keep the real
// monotonic clock. The clock's text is read off the screen by comparing it
// with the texts drawn by this process, on the same X server and in the
// same font.
class TockwellX11Test : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString clockFile() const
    {
        return m_dir.filePath(QStringLiteral("clock"));
    }

    // The program's clock reads `fake` (ms since the epoch, UTC) `ahead` ms from now.
    void setClock(qint64 fake, qint64 ahead = 0) const
    {
        // Written aside and renamed: the program reads the file at every look at the clock.
        QSaveFile f(clockFile());
        const qint64 offset = fake - QDateTime::currentMSecsSinceEpoch() - ahead;
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QByteArray::number(double(offset) / 1000.0, 'f', 3).prepend(offset >= 0 ? "+" : ""));
            f.commit();
        }
    }

    static qint64 at(const char *utc)
    {
        return QDateTime::fromString(QString::fromLatin1(utc), Qt::ISODate).toMSecsSinceEpoch();
    }

    static QString hms(qint64 ms)
    {
        return QDateTime::fromMSecsSinceEpoch(ms, QTimeZone::utc()).toString(QStringLiteral("HH:mm:ss"));
    }

private Q_SLOTS:
    void clock()
    {
        QVERIFY(m_dir.isValid());
        const qint64 midnight = at("2026-01-02T00:00:00Z");
        QElapsedTimer sinceStart;
        sinceStart.start();
        setClock(midnight - 10000);

        XProgram p(X11Test::server(), QStringLiteral(PROGRAM_BINARY));
        p.setEnvironment(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKETIME_LIBRARY));
        // In the sanitizer build its runtime would insist on coming first.
        p.setEnvironment(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0"));
        p.setEnvironment(QStringLiteral("FAKETIME_TIMESTAMP_FILE"), clockFile());
        p.setEnvironment(QStringLiteral("FAKETIME_NO_CACHE"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("FAKETIME_DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        p.setEnvironment(QStringLiteral("TZ"), QStringLiteral("UTC"));
        QVERIFY(X11Test::openFixedWindow(p, QStringLiteral("KDE-QT Tockwell test!")));
        setClock(midnight - 10000); // again, however long the start took

        const QRect bar(0, 440, 700, 60); // the status bar along the bottom edge
        const auto shows = [&](const QStringList &candidates) {
            return ScreenText::read(p.grab(bar), candidates);
        };
        // Empty until the first tick, which comes a second after start-up;
        // only a check made well before that says anything.
        const QString first = shows({});
        if (sinceStart.elapsed() < 700) {
            QCOMPARE(first, QString());
        }

        // Ticks keep the phase of the first. Set the clock right after one
        // so that they fall in the middle of its seconds, whatever the delay
        // of the test in seeing them, and it reaches midnight at the fourth.
        QStringList around;
        for (qint64 ms = midnight - 10000; ms <= midnight + 2000; ms += 1000) {
            around << hms(ms);
        }
        QVERIFY(p.waitUntil([&] {
            return around.contains(shows(around));
        }));
        const auto nextTick = [&] {
            const QImage before = p.grab(bar);
            return p.waitUntil(
                [&] {
                    return p.grab(bar) != before;
                },
                4000);
        };
        QVERIFY(nextTick());
        setClock(midnight - 2500, 1000);

        // The passage through midnight, as it comes on the screen.
        QStringList seen;
        QVERIFY(p.waitUntil(
            [&] {
                const QString s = shows(around);
                if (seen.isEmpty() || seen.last() != s) {
                    seen << s;
                }
                return s == QStringLiteral("00:00:01") || s == QStringLiteral("?");
            },
            10000));
        QVERIFY2(seen.join(QLatin1Char(' ')).endsWith(QStringLiteral("23:59:58 23:59:59 00:00:00 00:00:01")), qPrintable(seen.join(QLatin1Char(' '))));

        // The system clock is set, forward and back: the next tick shows the
        // new time. Set right after a tick, the clock reads `time` and a half
        // at the next one; a second either way when the test saw that tick late.
        for (const char *time : {"2026-03-04T07:05:09Z", "2025-12-31T00:09:03Z"}) {
            QVERIFY(nextTick());
            setClock(at(time) + 500, 1000);
            QStringList near;
            for (int s = -1; s <= 1; ++s) {
                near << hms(at(time) + s * 1000);
            }
            QString shown;
            QVERIFY2(p.waitUntil([&] {
                return near.contains(shown = shows(near));
            }),
                     qPrintable(shown));
        }

        X11Test::closeCleanly(p);
    }
};

X11_TEST_MAIN(TockwellX11Test)

#include "tockwell_x11_test.moc"
