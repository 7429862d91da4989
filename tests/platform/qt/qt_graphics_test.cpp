#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>

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

// On a picture, as on the screen, a segment of any length is Qt's own line, pixel for pixel:
// the pen's dot that a printed short segment gets is for the printer alone.
TEST(Graphics, ShortSegmentsDrawOnAPictureAsQtsOwnLines) {
    for (const double pen : {1.0, 2.0, 3.0, 4.0, 5.0}) {
        for (const double length : {0.0, 0.25, 1.0, 1.7, pen - 0.5, pen, 2 * pen}) {
            SCOPED_TRACE(testing::Message() << "pen " << pen << ", length " << length);
            Picture picture(40, 40);
            auto& g = picture.Graphics();
            g.DrawingColor(0x010101);
            g.PenSize(pen);
            g.DrawLine(20, 30.5, 20, 30.5 - length);

            QImage expected(40, 40, picture.Image().format());
            expected.fill(Qt::white);
            QPainter painter(&expected);
            painter.setPen(QPen(QColor(1, 1, 1), pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            painter.drawLine(QPointF(20, 30.5), QPointF(20, 30.5 - length));
            painter.end();
            EXPECT_EQ(picture.Image(), expected);
        }
    }
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
