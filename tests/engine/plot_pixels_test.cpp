// The start-value AB spectrum rendered into a real picture, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>

#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/qt/picture.h"
#include "tests/support/message_recorder.h"

namespace {

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

TEST(PlotPixels, StartValueABSpectrumOnAScreenSizedPicture) {
    korva::test::MessageRecorder messages;
    const engine::LineList lines = engine::linesAB({.CSD = 3.0f, .JCOUPLE = 7.0f, .MHZ = 60});
    const engine::PlotArea area = {
        .canvaswidth = 800, .canvasheight = 600, .pf = 1, .MHZ = 60, .SPECWIDTH = 8.0f, .s = 0.0f};

    platform::Picture picture(800, 600);
    engine::clearPlot(picture.Graphics(), area);
    engine::render(picture.Graphics(), lines, area);
    const QImage& image = picture.Image();

    // Lines at 183.6, 176.6, 3.5 and -3.5 Hz: 5/3 column per Hz left of column 680.
    // The inner pair (1.039) reaches row 56, the outer pair (0.961) row 93.
    for (int column : {385, 674}) {
        EXPECT_TRUE(dark(image, column, 60)) << column;
        EXPECT_TRUE(dark(image, column, 554)) << column;
        EXPECT_FALSE(dark(image, column, 50)) << column;
    }
    for (int column : {373, 685}) {
        EXPECT_TRUE(dark(image, column, 100)) << column;
        EXPECT_FALSE(dark(image, column, 85)) << column;
    }
    // Elsewhere only the zero-length columns on the baseline.
    EXPECT_FALSE(dark(image, 500, 300));
    EXPECT_TRUE(dark(image, 500, 555));
    EXPECT_FALSE(dark(image, 500, 540));

    // The axis numbers and "ppm" stand on the baseline at 588.
    int labelInk = 0;
    for (int y = 565; y <= 588; ++y) {
        for (int x = 0; x < 800; ++x) labelInk += dark(image, x, y);
    }
    EXPECT_GT(labelInk, 100);
    int ppmInk = 0;
    for (int y = 565; y <= 595; ++y) {
        for (int x = 750; x < 800; ++x) ppmInk += dark(image, x, y);
    }
    EXPECT_GT(ppmInk, 20);
    EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
