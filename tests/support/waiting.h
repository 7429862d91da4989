#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace korva::test {

// How long a wait for an event may last before the event counts as never coming: far
// more than a loaded machine running the sanitized build needs. A passing test never
// waits it out.
constexpr int kPatienceMs = 30'000;

// Runs events until the condition holds; false when the patience runs out first.
inline bool waitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, kPatienceMs);
}

// Until the window itself has the focus. (Qt also counts a window active while a window
// it owns, or its owner, has the focus.)
inline bool waitForActive(QWidget& window) {
    return waitFor([&window] { return QApplication::activeWindow() == window.window(); });
}

// Runs the application's event loop with `act` as its first event; returns the exit code
// the loop was ended with, or `notQuitCode` when `act` did not end it. That answer comes
// from a timer started after `act` has returned, so it runs after everything `act` did; a
// watchdog only ends a loop that hangs, and fails the test. Both timers die with the call,
// so they cannot end a later loop.
inline int runEventLoop(const std::function<void()>& act, int notQuitCode = 42) {
    QTimer start, notQuit, watchdog;
    for (QTimer* timer : {&start, &notQuit, &watchdog}) timer->setSingleShot(true);
    QObject::connect(&start, &QTimer::timeout, [&] {
        act();
        notQuit.start(0);
    });
    QObject::connect(&notQuit, &QTimer::timeout,
                     [notQuitCode] { QCoreApplication::exit(notQuitCode); });
    QObject::connect(&watchdog, &QTimer::timeout, [notQuitCode] {
        ADD_FAILURE() << "the event loop was still running after " << kPatienceMs << " ms";
        QCoreApplication::exit(notQuitCode);
    });
    start.start(0);
    watchdog.start(kPatienceMs);
    return QCoreApplication::exec();
}

}  // namespace korva::test
