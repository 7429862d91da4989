#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include "platform/qt/window_icon.h"

namespace {

// A folder of images of 48, 16, 256 and 32 pixels, each of its own colour, named out of
// the order of their sizes, and a file that is no image.
class WindowIcon : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        for (const auto& [side, colour] : kImages) {
            QImage image(side, side, QImage::Format_ARGB32);
            image.fill(colour);
            ASSERT_TRUE(image.save(folder.filePath(QString("icon-%1.png").arg(side))));
        }
        QFile notes(folder.filePath("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("no image");
    }

    static QRgb colourOf(const QPixmap& pixmap) { return pixmap.toImage().pixel(0, 0); }

    static constexpr std::pair<int, QRgb> kImages[] = {
        {48, 0xff0000ffu}, {16, 0xffff0000u}, {256, 0xff00ff00u}, {32, 0xffffff00u}};
    QTemporaryDir folder;
};

// The window system takes the sizes in this order and the pixels of each as drawn; on a
// screen at 200 % (as the window system's Qt layer asks) each size is still its own image.
TEST_F(WindowIcon, GivesEachImageAsDrawnSmallestFirstAtAnyScale) {
    const QIcon icon = platform::WindowIcon(folder.path());
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {256, 256}}));
    for (qreal ratio : {1.0, 2.0}) {
        for (const auto& [side, colour] : kImages) {
            const QPixmap pixmap = icon.pixmap(QSize(side, side), ratio);
            EXPECT_EQ(pixmap.size(), QSize(side, side)) << side << " at " << ratio;
            EXPECT_EQ(colourOf(pixmap), colour) << side << " at " << ratio;
        }
    }
}

// A size not drawn comes from the next larger image, and none is made larger than drawn.
TEST_F(WindowIcon, OtherSizesComeFromTheNextLargerImage) {
    const QIcon icon = platform::WindowIcon(folder.path());
    const QPixmap between = icon.pixmap(QSize(24, 24), 1.0);
    EXPECT_EQ(between.size(), QSize(24, 24));
    EXPECT_EQ(colourOf(between), 0xffffff00u);
    const QPixmap beyond = icon.pixmap(QSize(512, 512), 1.0);
    EXPECT_EQ(beyond.size(), QSize(256, 256));
    EXPECT_EQ(colourOf(beyond), 0xff00ff00u);
}

TEST_F(WindowIcon, IsNullWithoutImages) {
    QTemporaryDir empty;
    EXPECT_TRUE(platform::WindowIcon(empty.path()).isNull());
    EXPECT_TRUE(platform::WindowIcon(empty.filePath("missing")).isNull());
}

}  // namespace
