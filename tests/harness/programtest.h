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

#ifndef PROGRAMTEST_H
#define PROGRAMTEST_H

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <QTest>
#include <QTimer>

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

// The state in which programMain() handed control to its event loop:
// result of exec() as the program returns it.
inline int &programResult()
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

template<class T>
int run(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    for (int i = 0; i < argc; ++i) {
        testArguments() << QString::fromLocal8Bit(argv[i]);
    }
    // The application object keeps a reference to argc: both live on.
    static int programArgc = 1;
    static char *programArgv[] = {argv[0], nullptr};
    programResult() = programMain(programArgc, programArgv);
    return testResult();
}

template<class T>
void start()
{
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        T test;
        testResult() = QTest::qExec(&test, testArguments());
        QCoreApplication::exit(testResult());
    });
}
}

#define PROGRAM_TEST_MAIN(TestObject)                                                                                  \
    static void programTestStart()                                                                                     \
    {                                                                                                                  \
        ProgramTest::start<TestObject>();                                                                              \
    }                                                                                                                  \
    Q_COREAPP_STARTUP_FUNCTION(programTestStart)                                                                       \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        return ProgramTest::run<TestObject>(argc, argv);                                                               \
    }

#endif
