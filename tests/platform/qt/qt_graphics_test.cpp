#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/qt/picture.h"

namespace {

using platform::Picture;

int inkInRow(const QImage& image, int row) {
    int ink = 0;
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, row)) < 128;
    return ink;
}

TEST(Graphics, DrawsLinesTextAndPicturesWhereAsked) {
    Picture picture(100, 60);
    auto& g = picture.Graphics();
    g.DrawingColor(0x010101);
    g.PenSize(1);
    g.DrawLine(10, 50, 10, 20);
    g.DrawLine(30, 40, 30, 40);  // zero length: a dot
    g.DrawingColor(0xFF0000);
    g.FillRectangle(60, 5, 10, 10);
    const QImage& image = picture.Image();
    EXPECT_EQ(qGray(image.pixel(10, 35)), 1);
    EXPECT_EQ(image.pixel(11, 35), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_LT(qGray(image.pixel(30, 40)), 128);
    EXPECT_EQ(image.pixel(65, 10), qRgb(255, 0, 0));

    // A picture scaled into a larger rectangle of another one.
    Picture target(80, 80);
    target.Graphics().DrawPicture(picture, 0, 0, 80, 80, 60, 5, 10, 10);
    EXPECT_EQ(target.Image().pixel(40, 40), qRgb(255, 0, 0));
    EXPECT_EQ(target.Image().pixel(2, 2), qRgb(255, 0, 0));
}

TEST(Graphics, TextIsMeasuredWithTrailingBlanksAndDrawnOnItsBaseline) {
    Picture picture(200, 100);
    auto& g = picture.Graphics();
    g.DrawingColor(0x010101);
    g.FontSize(24.0f);
    const double ppm = g.TextWidth("ppm");
    EXPECT_GT(ppm, 10.0) << "no font renders here";
    EXPECT_GT(g.TextWidth("ppm "), ppm);
    g.FontSize(48.0f);
    EXPECT_GT(g.TextWidth("ppm"), 1.8 * ppm);

    g.FontSize(24.0f);
    g.DrawText("H", 20, 60);
    const QImage& image = picture.Image();
    EXPECT_GT(inkInRow(image, 55), 0);  // above the baseline
    EXPECT_EQ(inkInRow(image, 63), 0);  // below it: "H" has no descender
}

}  // namespace
