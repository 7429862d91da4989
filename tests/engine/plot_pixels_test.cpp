// The start-value AB spectrum rendered into a real picture, checked pixel by pixel.
#include <gtest/gtest.h>

#include <QImage>

#include "engine/module1.h"
#include "platform/qt/picture.h"
#include "tests/support/message_recorder.h"

namespace {

bool dark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

TEST(PlotPixels, StartValueABSpectrumOnAScreenSizedPicture) {
    korva::test::MessageRecorder messages;
    Module1::CSD = 3.0f;
    Module1::JCOUPLE = 7.0f;
    Module1::MHZ = 60;
    Module1::SPECWIDTH = 8.0f;
    Module1::s = 0.0f;
    Module1::pf = 1;
    Module1::canvaswidth = 800;
    Module1::canvasheight = 600;
    Module1::AB();

    platform::Picture picture(800, 600);
    Module1::clearwin(picture.Graphics());
    Module1::display(picture.Graphics());
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
