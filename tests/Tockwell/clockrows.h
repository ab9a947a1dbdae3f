// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// What both Tockwell tests share: the program's clock set through
// libfaketime, and the moments at which the clock must be seen, each in a
// user's time zone.

#ifndef CLOCKROWS_H
#define CLOCKROWS_H

#include <QByteArray>
#include <QDateTime>
#include <QSaveFile>
#include <QStringList>
#include <QTest>

#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

namespace Clock
{
// The real time of day, ms since the epoch: straight from the kernel, past
// libfaketime, which fakes the test's own clock too where it is preloaded.
inline qint64 realNow()
{
    timespec now{};
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// Makes a clock that reads libfaketime's file (FAKETIME_TIMESTAMP_FILE,
// with FAKETIME_NO_CACHE) read `fake` (ms since the epoch) `ahead` ms from
// now. Written aside and renamed: the clock reads the file at every look.
inline void set(const QString &file, qint64 fake, qint64 ahead = 0)
{
    QSaveFile f(file);
    const qint64 offset = fake - realNow() - ahead;
    if (f.open(QIODevice::WriteOnly)) {
        f.write(QByteArray::number(double(offset) / 1000.0, 'f', 3).prepend(offset >= 0 ? "+" : ""));
        f.commit();
    }
}

inline qint64 at(const char *utc)
{
    return QDateTime::fromString(QString::fromLatin1(utc), Qt::ISODate).toMSecsSinceEpoch();
}

// The clock's passage through a moment (given in UTC), in the user's zone: the
// texts of the two seconds before it and the two from it on, as the clock must
// show them, written out here rather than worked out with the toolkit's own
// time functions. UTC, a zone half an hour off the hour from UTC, and the
// night summer time begins in Berlin, when 02:00 local never comes.
inline void rows()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint64>("moment");
    QTest::addColumn<QStringList>("passage");
    const auto row = [](const char *name, const char *zone, const char *utc, const char *passage) {
        QTest::newRow(name) << QByteArray(zone) << at(utc) << QString::fromLatin1(passage).split(QLatin1Char(' '));
    };
    row("UTC, midnight", "UTC", "2026-01-02T00:00:00Z", "23:59:58 23:59:59 00:00:00 00:00:01");
    row("Kolkata, UTC+5:30", "Asia/Kolkata", "2026-01-02T01:35:00Z", "07:04:58 07:04:59 07:05:00 07:05:01");
    row("Berlin, summer time begins", "Europe/Berlin", "2026-03-29T01:00:00Z", "01:59:58 01:59:59 03:00:00 03:00:01");
}
}

#endif
