#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "tests/support/waiting.h"

namespace korva::test {

// The controls the focus visits as the user presses Tab in `window` with nothing focused:
// the first control of the window's Tab order, each control reached after it, and the
// control where the cycle wrapped, which for a sound order is the first one again. Gives up
// after as many presses as the window has widgets.
inline QStringList tabCycle(QWidget& window) {
    window.activateWindow();
    if (!waitForActive(window)) {
        ADD_FAILURE() << "the window never became active";
        return {};
    }
    if (QWidget* focus = window.focusWidget()) focus->clearFocus();
    QTest::keyClick(&window, Qt::Key_Tab);
    QStringList visited;
    QWidget* focus = QApplication::focusWidget();
    const auto presses = window.findChildren<QWidget*>().size();
    for (qsizetype i = 0; focus && i <= presses; ++i) {
        const bool again = visited.contains(focus->objectName());
        visited << focus->objectName();
        if (again) break;
        QTest::keyClick(focus, Qt::Key_Tab);
        focus = QApplication::focusWidget();
    }
    if (!focus) visited << "(no focus)";
    return visited;
}

}  // namespace korva::test
