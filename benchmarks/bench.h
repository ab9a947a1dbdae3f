// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Times a piece of work against a baseline measured in the same run, in
// alternating batches so that both see the same machine, and prints
//     figure: value unit (baseline value unit, ratio r)

#ifndef BENCH_H
#define BENCH_H

#include <QByteArray>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace Bench
{
struct Comparison {
    double work; // nanoseconds per run, median of the batches
    double baseline;
    double ratio() const
    {
        return baseline > 0 ? work / baseline : 0;
    }
};

// Nanoseconds per run of one batch that lasts at least minMs.
inline double batch(const std::function<void()> &run, int minMs)
{
    QElapsedTimer clock;
    qint64 runs = 0;
    clock.start();
    do {
        run();
        ++runs;
    } while (clock.elapsed() < minMs);
    return double(clock.nsecsElapsed()) / double(runs);
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline Comparison compare(const std::function<void()> &work, const std::function<void()> &baseline, int batches = 9, int minMs = 100)
{
    batch(work, minMs / 2); // warm-up
    batch(baseline, minMs / 2);
    std::vector<double> w, b;
    for (int i = 0; i < batches; ++i) {
        w.push_back(batch(work, minMs));
        b.push_back(batch(baseline, minMs));
    }
    return {median(w), median(b)};
}

// One line per figure; times are given in microseconds.
inline void report(const char *figure, const Comparison &c)
{
    std::printf("%s: %.1f us (baseline %.1f us, ratio %.2f)\n", figure, c.work / 1000, c.baseline / 1000, c.ratio());
    std::fflush(stdout);
}

// The figure's name with the window's device pixel ratio in it.
inline QByteArray atDensity(const char *figure, qreal dpr)
{
    return QByteArray(figure).replace(" vs ", QByteArray(" at density ").append(QByteArray::number(dpr)).append(" vs "));
}

// Runs the benchmark once for each pixel density a desktop user may set
// (Plasma offers steps of 0.25; 1.25 and 1.5 are common on laptops), each
// in a process of its own under Qt's QT_SCALE_FACTOR, and fails if any run
// fails. With QT_SCALE_FACTOR already set, that density alone.
inline int perDensity(int argc, char **argv, int (*run)(int, char **))
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        return run(argc, argv);
    }
    int failed = 0;
    for (const char *density : {"1", "1.25", "1.5", "2"}) {
        const pid_t child = fork();
        if (child == 0) {
            setenv("QT_SCALE_FACTOR", density, 1);
            execv("/proc/self/exe", argv);
            _exit(127);
        }
        int status = 0;
        failed += child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0;
    }
    return failed ? 1 : 0;
}
}

// Like PROGRAM_TEST_MAIN, once per density (Bench::perDensity).
#define PROGRAM_BENCH_MAIN(TestObject)                                                                                                                         \
    PROGRAM_TEST_START(TestObject)                                                                                                                             \
    int main(int argc, char **argv)                                                                                                                            \
    {                                                                                                                                                          \
        return Bench::perDensity(argc, argv, ProgramTest::run<TestObject>);                                                                                    \
    }

#endif
