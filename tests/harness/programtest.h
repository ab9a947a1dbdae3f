// SPDX-FileCopyrightText: 2026 The KDE-QT demo programs' authors
// SPDX-License-Identifier: GPL-2.0-or-later

// Runs a QtTest object inside a program's own main().
//
// The program's source is compiled into the test with its main() renamed to
// programMain() (see the test CMakeLists). PROGRAM_TEST_MAIN(T) provides the
// test's main(): it hands programMain() a bare command line, and as soon as
// the program's event loop runs, executes the test object T there, with the
// program's file-scope widgets in place. When T is done the loop is ended
// with T's result, programMain() returns, and so does the test.
// checkEveryTextTranslated() runs the program once more, pseudo-translated.

#ifndef PROGRAMTEST_H
#define PROGRAMTEST_H

#include <KAboutData>
#include <KMainWindow>

#include <QAbstractButton>
#include <QBackingStore>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>

int programMain(int argc, char **argv);

namespace ProgramTest
{
inline QStringList &testArguments()
{
    static QStringList args;
    return args;
}

inline int &testResult()
{
    static int result = -1;
    return result;
}

// The pixels of a window as they are on the screen. Unlike QWidget::grab(),
// this does not run the paint handler, which in the back-buffered programs
// would change what it reads.
inline QImage screenPixels(QWidget *window)
{
    QCoreApplication::processEvents();
    return window->screen()->grabWindow(window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// What a window shows right now in device pixels, read from its backing
// store: no pending event (a tick, a queued paint) runs first, and unlike the
// offscreen platform's screen grab it covers the whole window at a device
// pixel ratio above 1.
inline QImage backingStorePixels(QWidget *window)
{
    return static_cast<QImage *>(window->backingStore()->paintDevice())->copy().convertToFormat(QImage::Format_RGB32);
}

// A picture in device pixels sampled at the centre of each window pixel:
// at any device pixel ratio the picture the checks expect.
inline QImage sampled(const QImage &img, qreal dpr)
{
    QImage out(qRound(img.width() / dpr), qRound(img.height() / dpr), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.setPixel(x, y, img.pixel(int((x + 0.5) * dpr), int((y + 0.5) * dpr)));
        }
    }
    return out;
}

// More time than any time-out of the programs (1000 ms, a timer maybe late),
// the event loop running: what must last is read again after it.
inline void waitPastTimeouts()
{
    QTest::qWait(1500);
}

// The window every program opens: on the screen, titled, fixed at 700 x 500
// on its background, whatever size it is asked for, with the status bar along
// its bottom edge inside it, in bold 14-point Courier with room for a line.
inline void checkFixedWindow(QWidget *top, QStatusBar *statusbar, const QString &title, const QColor &background = QColor(250, 250, 200))
{
    QVERIFY(QTest::qWaitForWindowExposed(top));
    QCOMPARE(top->windowTitle().isEmpty() ? QGuiApplication::applicationDisplayName() : top->windowTitle(), title); // no caption: the name
    for (const QSize asked : {QSize(900, 700), QSize(300, 200)}) {
        top->resize(asked);
        QCOMPARE(top->size(), QSize(700, 500));
    }
    QCOMPARE(screenPixels(top).pixelColor(300, 100), background);
    const QRect bar(statusbar->mapTo(top, QPoint(0, 0)), statusbar->size());
    QVERIFY(statusbar->isVisible());
    QCOMPARE(bar.bottom(), 499);
    QCOMPARE(bar.width(), 700);
    QVERIFY(bar.height() > QFontMetrics(statusbar->font()).ascent());
    QCOMPARE(statusbar->font().family(), QStringLiteral("courier"));
    QCOMPARE(statusbar->font().pointSize(), 14);
    QVERIFY(statusbar->font().bold());
}

// KDE's pseudo-translation, the language "x-test", made from what the
// program's Messages.sh extracts: every translated text reads "xx<text>xx".
// Each text of the program that a user reads must come back marked there:
// its description (--help, the about box), the window's caption and every
// widget's texts, the names and descriptions a screen reader reads, and the
// status bar's messages, also those a press on each button brings. One that
// does not was never passed to i18n(). A text without a letter (digits, a
// time of day) is the same in every language. Returns what is unmarked.
inline QStringList untranslatedTexts(QWidget *window)
{
    QStringList found;
    const auto check = [&found](const QString &what, QString text) {
        text.remove(QLatin1Char('&')); // the accelerator manager's
        const bool words = std::any_of(text.cbegin(), text.cend(), [](QChar c) {
            return c.isLetter();
        });
        if (words && !(text.startsWith(QLatin1String("xx")) && text.endsWith(QLatin1String("xx")))) {
            found << QStringLiteral("%1: \"%2\"").arg(what, text);
        }
    };
    const KAboutData about = KAboutData::applicationData();
    check(QStringLiteral("display name"), about.displayName());
    check(QStringLiteral("short description"), about.shortDescription());
    for (const KAboutLicense &licence : about.licenses()) {
        check(QStringLiteral("licence"), licence.text());
    }
    QStringList messages;
    QObject listening;
    for (QStatusBar *bar : window->findChildren<QStatusBar *>()) {
        messages << bar->currentMessage();
        QObject::connect(bar, &QStatusBar::messageChanged, &listening, [&messages](const QString &message) {
            messages << message;
        });
    }
    const auto readWidgets = [&] {
        QList<QWidget *> widgets = window->findChildren<QWidget *>();
        widgets.prepend(window);
        for (QWidget *w : std::as_const(widgets)) {
            if (!w->isVisible()) {
                continue;
            }
            for (const char *property :
                 {"windowTitle", "text", "title", "placeholderText", "accessibleName", "accessibleDescription", "toolTip", "whatsThis", "statusTip"}) {
                check(QLatin1String(w->metaObject()->className()) + QLatin1Char(' ') + QLatin1String(property), w->property(property).toString());
            }
        }
    };
    readWidgets();
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        if (button->isVisible()) {
            button->click();
        }
    }
    readWidgets();
    for (const QString &message : std::as_const(messages)) {
        check(QStringLiteral("status message"), message);
    }
    found.removeDuplicates();
    return found;
}

inline bool &pseudoTranslated()
{
    static bool on = false;
    return on;
}

// The program once more, in a process of its own (this test, told so) under
// the pseudo-translation; it must find every text marked.
inline void checkEveryTextTranslated()
{
    if (QByteArray(PSEUDO_TRANSLATION_DIR).isEmpty()) {
        QSKIP("no en_US.UTF-8 locale, and gettext ignores LANGUAGE under C (scripts/deps.sh test installs locales-all)");
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LANGUAGE"), QStringLiteral("x-test"));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"),
                       QStringLiteral(PSEUDO_TRANSLATION_DIR ":")
                           + environment.value(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share")));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--pseudo-translated")});
    QVERIFY(program.waitForFinished(120000));
    QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0, program.readAll().constData());
}

template<class T>
int run(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    for (int i = 0; i < argc; ++i) {
        testArguments() << QString::fromLocal8Bit(argv[i]);
    }
    pseudoTranslated() = testArguments().contains(QStringLiteral("--pseudo-translated"));
    QStandardPaths::setTestModeEnabled(true); // no settings or caches of the user's touched
    // The application object keeps a reference to argc: both live on.
    static int programArgc = 1;
    static char *programArgv[] = {argv[0], nullptr};
    programMain(programArgc, programArgv);
    return testResult();
}

template<class T>
void start()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        if (pseudoTranslated()) {
            QWidget *window = KMainWindow::memberList().constFirst();
            testResult() = QTest::qWaitForWindowExposed(window) ? 0 : 1;
            for (const QString &text : untranslatedTexts(window)) {
                std::fprintf(stderr, "Not translated: %s\n", qPrintable(text));
                testResult() = 1;
            }
            QCoreApplication::exit(testResult());
            return;
        }
        T test;
        testResult() = QTest::qExec(&test, testArguments());
        QCoreApplication::exit(testResult());
    });
}
}

// Starts the test object T once the program's event loop runs.
#define PROGRAM_TEST_START(TestObject)                                                                                                                         \
    static void programTestStart()                                                                                                                             \
    {                                                                                                                                                          \
        ProgramTest::start<TestObject>();                                                                                                                      \
    }                                                                                                                                                          \
    Q_COREAPP_STARTUP_FUNCTION(programTestStart)

#define PROGRAM_TEST_MAIN(TestObject)                                                                                                                          \
    PROGRAM_TEST_START(TestObject)                                                                                                                             \
    int main(int argc, char **argv)                                                                                                                            \
    {                                                                                                                                                          \
        return ProgramTest::run<TestObject>(argc, argv);                                                                                                       \
    }

#endif
