// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// What a program costs against PlainWindow, the plainest Qt main window,
// measured in the same run on private Xvfb servers:
//  - start-up: from the process start until its first frame is on the
//    screen (polled from the X server), median of interleaved runs, and the
//    processor time the program has used by then (steadier on a busy
//    machine);
//  - peak memory: the resident set's high-water mark (VmHWM) 300 ms after
//    the first frame, median of the same runs;
//  - processor time of Pebblor over a whole fall, in per cent of one core,
//    with PlainWindow idle beside it, and of Tockwell over 60 s with
//    PlainWindow showing the same clock beside it.
// The start-up and memory figures come twice: under Fusion with Qt's generic
// platform theme and no configuration, and under a Plasma user's settings
// (the KDE platform theme, Breeze, the Breeze Dark colour scheme), the
// program and PlainWindow alike.
// Arguments NAME=BINARY measure the start-up and memory of those binaries
// instead. Environment: BENCH_RUNS (runs per program, 11), BENCH_QUICK=1 (3 runs,
// 2 s intervals: a check of the mechanism, not a measurement).

#include "programs.h"
#include "xsession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
bool failed = false;

// Environment of the programs measured, on top of the benchmark's own.
using Environment = std::vector<std::pair<QString, QString>>;

// Fusion, Qt's generic theme and an empty configuration folder; no desktop
// named, as Qt would load that desktop's theme anyway.
const QTemporaryDir emptyConfig;
const Environment fusion = {
    {QStringLiteral("QT_STYLE_OVERRIDE"), QStringLiteral("Fusion")},
    {QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("generic")},
    {QStringLiteral("XDG_CONFIG_HOME"), emptyConfig.path()},
    {QStringLiteral("XDG_CURRENT_DESKTOP"), QString()},
    {QStringLiteral("KDE_FULL_SESSION"), QString()},
    {QStringLiteral("DESKTOP_SESSION"), QString()},
    {QStringLiteral("GNOME_DESKTOP_SESSION_ID"), QString()},
};

// A new Plasma user's settings in config: the Breeze Dark colours, the
// scheme's name and the Breeze style; empty if the scheme is not installed.
Environment plasma(const QTemporaryDir &config)
{
    QFile colors(QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("color-schemes/BreezeDark.colors")));
    QFile kdeglobals(config.filePath(QStringLiteral("kdeglobals")));
    if (!colors.open(QIODevice::ReadOnly) || !kdeglobals.open(QIODevice::WriteOnly)) {
        return {};
    }
    kdeglobals.write(colors.readAll() + "\n[General]\nColorScheme=BreezeDark\n\n[KDE]\nwidgetStyle=Breeze\n");
    return {
        {QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("kde")},
        {QStringLiteral("XDG_CONFIG_HOME"), config.path()},
        {QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE")},
        {QStringLiteral("KDE_FULL_SESSION"), QStringLiteral("true")},
        {QStringLiteral("KDE_SESSION_VERSION"), QStringLiteral("5")},
        {QStringLiteral("QT_STYLE_OVERRIDE"), QString()},
    };
}

void line(const QString &figure, double value, double baseline, const char *unit, int decimals)
{
    // An idle baseline may use no measurable time at all: no ratio then.
    const QByteArray ratio = baseline > 0 ? QByteArray::number(value / baseline, 'f', 2) : QByteArrayLiteral("n/a");
    std::printf("%s: %.*f %s (baseline %.*f %s, ratio %s)\n", qPrintable(figure), decimals, value, unit, decimals, baseline, unit, ratio.constData());
    std::fflush(stdout);
}

void problem(const QString &text)
{
    std::printf("FAILED %s\n", qPrintable(text));
    std::fflush(stdout);
    failed = true;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The window's first frame is on the screen: the screen (black under bare
// Xvfb where nothing is drawn) shows something other than black at nearly
// every point of a grid over the window.
bool painted(Display *dpy, Window w)
{
    XWindowAttributes attr;
    if (!XGetWindowAttributes(dpy, w, &attr)) {
        return false;
    }
    XImage *image = XGetImage(dpy, w, 0, 0, unsigned(attr.width), unsigned(attr.height), AllPlanes, ZPixmap);
    if (!image) {
        return false;
    }
    int points = 0, drawn = 0;
    for (int y = attr.height / 32; y < attr.height; y += attr.height / 16) {
        for (int x = attr.width / 32; x < attr.width; x += attr.width / 16) {
            ++points;
            drawn += (XGetPixel(image, x, y) & 0xffffff) != 0;
        }
    }
    XDestroyImage(image);
    return drawn * 10 >= points * 9;
}

// Nanoseconds that all threads of pid have run.
double cpuNs(qint64 pid)
{
    double total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    const QStringList ids = QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &id : ids) {
        QFile f(tasks + QLatin1Char('/') + id + QStringLiteral("/schedstat"));
        if (f.open(QIODevice::ReadOnly)) {
            total += f.readAll().split(' ').value(0).toDouble();
        }
    }
    return total;
}

double peakMiB(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray &l : f.readAll().split('\n')) {
        if (l.startsWith("VmHWM:")) {
            return l.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        }
    }
    return 0;
}

// One program on one X server, from its start to its first frame.
class Run
{
public:
    Run(XServer &server, const char *binary, const Environment &environment = fusion, const QStringList &arguments = {})
        : m_server(server)
        , m_program(server, QString::fromLocal8Bit(binary), arguments)
    {
        for (const auto &[name, value] : environment) {
            m_program.setEnvironment(name, value);
        }
        m_clock.start();
        m_program.launch();
    }

    // Milliseconds from the start to the first frame, or -1.
    double firstFrame()
    {
        while (m_clock.elapsed() < 60000 && alive()) {
            if (m_program.findWindow() && painted(m_server.display(), m_program.window())) {
                return double(m_clock.nsecsElapsed()) / 1e6;
            }
            QThread::usleep(500);
        }
        std::fputs(m_program.output().constData(), stdout);
        return -1;
    }
    qint64 pid() const
    {
        return m_program.pid();
    }
    void click(const QPoint &at)
    {
        m_program.click(at.x(), at.y());
    }
    // Closes the window as a window manager does; true if the program ended well.
    bool close()
    {
        m_program.close();
        return m_program.waitForExit(30000) == 0;
    }

private:
    bool alive() const
    {
        return QFile::exists(QStringLiteral("/proc/%1/task").arg(m_program.pid()));
    }

    XServer &m_server;
    XProgram m_program;
    QElapsedTimer m_clock;
};

struct Sample {
    double startupMs = -1;
    double startupCpuMs = 0;
    double peakMiB = 0;
};

Sample sample(XServer &server, const char *binary, const Environment &environment)
{
    Run run(server, binary, environment);
    Sample s;
    s.startupMs = run.firstFrame();
    if (s.startupMs < 0) {
        return s;
    }
    s.startupCpuMs = cpuNs(run.pid()) / 1e6;
    QThread::msleep(300);
    s.peakMiB = peakMiB(run.pid());
    if (!run.close()) {
        s.startupMs = -1;
    }
    return s;
}

// suffix follows the program's name in the figures.
void startupAndMemory(XServer &server, const char *name, const char *binary, int runs, const Environment &environment, const QString &suffix = {})
{
    sample(server, binary, environment); // warm the file cache for both
    sample(server, baselineBinary, environment);
    std::vector<double> time, cpu, mem, baseTime, baseCpu, baseMem;
    for (int i = 0; i < runs; ++i) {
        // Alternate who goes first, so that neither always follows the other.
        for (int k = 0; k < 2; ++k) {
            const bool program = (i + k) % 2 == 0;
            const Sample s = sample(server, program ? binary : baselineBinary, environment);
            if (s.startupMs < 0) {
                problem(QStringLiteral("%1: no first frame or no clean exit").arg(QLatin1String(program ? name : "PlainWindow")));
                return;
            }
            (program ? time : baseTime).push_back(s.startupMs);
            (program ? cpu : baseCpu).push_back(s.startupCpuMs);
            (program ? mem : baseMem).push_back(s.peakMiB);
        }
    }
    const QString program = QLatin1String(name) + suffix;
    line(program + QStringLiteral(" start-up to first frame"), median(time), median(baseTime), "ms", 1);
    line(program + QStringLiteral(" start-up processor time"), median(cpu), median(baseCpu), "ms", 1);
    line(program + QStringLiteral(" peak memory"), median(mem), median(baseMem), "MiB", 1);
}

// Processor time of a program in per cent of one core over an interval
// that begins with a click (if any), beside PlainWindow (started with the
// given arguments) on a server of its own over the same interval.
struct CpuFigure {
    const char *figure;
    const char *program;
    QPoint click; // in window coordinates; null: none
    double seconds;
    QStringList baselineArguments;
};

const char *binaryOf(const char *name)
{
    for (const auto &p : programs) {
        if (std::strcmp(p.name, name) == 0) {
            return p.binary;
        }
    }
    return nullptr;
}

void processorTime(const CpuFigure &f, bool quick)
{
    const QString figure = QString::fromLatin1(f.figure);
    const char *binary = binaryOf(f.program);
    std::unique_ptr<XServer> servers[2];
    std::unique_ptr<Run> runs[2]; // program, baseline
    for (int i : {0, 1}) {
        servers[i] = std::make_unique<XServer>();
        if (!servers[i]->start()) {
            problem(QStringLiteral("%1: no X server").arg(figure));
            return;
        }
        runs[i] = i == 0 ? std::make_unique<Run>(*servers[i], binary) : std::make_unique<Run>(*servers[i], baselineBinary, fusion, f.baselineArguments);
    }
    for (auto &run : runs) {
        if (run->firstFrame() < 0) {
            problem(QStringLiteral("%1: no first frame").arg(figure));
            return;
        }
    }
    QThread::msleep(1000); // let start-up work settle
    double cpu0[2];
    for (int i : {0, 1}) {
        cpu0[i] = cpuNs(runs[i]->pid());
    }
    if (!f.click.isNull()) {
        runs[0]->click(f.click);
    }
    const double seconds = quick ? 2.0 : f.seconds;
    QThread::msleep(qRound(seconds * 1000));
    double percent[2];
    for (int i : {0, 1}) {
        percent[i] = (cpuNs(runs[i]->pid()) - cpu0[i]) / (seconds * 1e9) * 100;
    }
    line(figure, percent[0], percent[1], "% of a core", 3);
    for (auto &run : runs) {
        if (!run->close()) {
            problem(QStringLiteral("%1: no clean exit").arg(figure));
        }
    }
}
}

int main(int argc, char **argv)
{
    const bool quick = qEnvironmentVariableIntValue("BENCH_QUICK") == 1;
    const int runs = quick ? 3 : qEnvironmentVariableIsSet("BENCH_RUNS") ? qEnvironmentVariableIntValue("BENCH_RUNS") : 11;
    XServer server;
    if (!server.start()) {
        problem(QStringLiteral("no X server"));
        return 1;
    }
    // Arguments NAME=BINARY measure those binaries instead of the programs.
    bool own = false;
    for (int i = 1; i < argc; ++i) {
        if (char *eq = std::strchr(argv[i], '=')) {
            *eq = '\0';
            startupAndMemory(server, argv[i], eq + 1, runs, fusion);
            own = true;
        }
    }
    if (own) {
        return failed ? 1 : 0;
    }
    QTemporaryDir config;
    const Environment kde = plasma(config);
    for (const auto &p : programs) {
        startupAndMemory(server, p.name, p.binary, runs, fusion);
        if (kde.empty()) {
            std::printf("%s under the KDE theme: skipped, no Breeze Dark colour scheme\n", p.name);
        } else {
            startupAndMemory(server, p.name, p.binary, runs, kde, QStringLiteral(" under the KDE theme"));
        }
    }
    // A whole fall: 216 ticks of 100 ms after a click on "Stein Move" (at 220, 260).
    // One figure after the other, so that neither program's work slows the other's.
    processorTime({"Pebblor processor time over a whole fall", "Pebblor", QPoint(240, 270), 22.0, {}}, quick);
    processorTime({"Tockwell processor time over 60 s", "Tockwell", QPoint(), 60.0, {QStringLiteral("clock")}}, quick);
    return failed ? 1 : 0;
}
