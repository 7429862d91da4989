#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>

#include "app/window1.h"
#include "app/window_parameters.h"
#include "engine/module1.h"
#include "platform/qt/desktop_window.h"
#include "tests/support/message_recorder.h"
#include "tests/support/waiting.h"

namespace korva::test {

// The shared state as the program starts, windows closed after each test, message
// boxes recorded instead of shown.
class AppTest : public testing::Test {
  protected:
    void SetUp() override {
        Module1::CR = "\r\n";
        Module1::startValues();
        Module1::s = 0.0f;
        Module1::N = 0;
        Module1::x.fill(0.0f);
        Module1::y.fill(0.0f);
        Module1::canvaswidth = Window1().Width();
        Module1::canvasheight = Window1().Height();
    }

    void TearDown() override {
        platform::DesktopWindow::CloseAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Runs what handlers left for later: deferred drawings and repaints.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    // What the intro window's OK does: the plot window shown, the parameter window opened
    // and its AB button pressed.
    static class WindowParameters& openParameters() {
        Window1().Show();
        class WindowParameters& parameters = WindowParameters();
        parameters.PushButton1().Press();
        settle();
        return parameters;
    }

    // Counts the plot's drawings from now on.
    void countDrawings() {
        auto paint = Window1().Canvas1().Paint;
        Window1().Canvas1().Paint = [this, paint](platform::DesktopCanvas& c,
                                                  platform::Graphics& g) {
            ++drawings;
            paint(c, g);
        };
    }

    static bool inked(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

    MessageRecorder messages;
    int drawings = 0;
};

}  // namespace korva::test
