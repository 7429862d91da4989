#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "platform/core/errors.h"
#include "platform/qt/picture.h"
#include "tests/support/files.h"

namespace {

using korva::test::contentsOf;
using korva::test::DiskFault;
using platform::FolderItem;
using platform::Picture;
using platform::PlatformError;

TEST(Picture, SidesOutsideTheRangeAreRefused) {
    for (auto [w, h] : {std::pair<std::int64_t, std::int64_t>{0, 10},
                        {10, 0},
                        {-1, 10},
                        {32768, 10},
                        {10, 32768},
                        {std::int64_t{1} << 40, 1}}) {
        EXPECT_THROW(Picture(w, h), PlatformError) << w << "x" << h;
    }
    Picture smallest(1, 1);
    EXPECT_EQ(smallest.Width(), 1);
    Picture tall(1, 32767);
    EXPECT_EQ(tall.Height(), 32767);
}

TEST(Picture, IsOpaqueWhiteWhenMadeAndKeepsOneSurface) {
    Picture picture(40, 30);
    const QImage& image = picture.Image();
    EXPECT_FALSE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(39, 29), qRgb(255, 255, 255));

    picture.Graphics().FontSize(17.0f);
    EXPECT_EQ(&picture.Graphics(), &picture.Graphics());
    EXPECT_EQ(picture.Graphics().FontSize(), 17.0f);
    EXPECT_EQ(picture.Graphics().Width(), 40.0);
    EXPECT_EQ(picture.Graphics().Height(), 30.0);
}

TEST(Picture, SavesAPngThatReadsBack) {
    QTemporaryDir dir;
    Picture picture(64, 48);
    picture.Graphics().DrawingColor(0x010101);
    picture.Graphics().DrawLine(5, 40, 5, 10);
    const QString path = dir.filePath("plot.png");
    picture.Save(FolderItem(path));
    QImage read(path, "PNG");
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.size(), QSize(64, 48));
    EXPECT_EQ(qGray(read.pixel(5, 20)), 1);
    EXPECT_EQ(read.pixel(6, 20), qRgb(255, 255, 255));
}

TEST(Picture, AFailedSaveRaisesAndLeavesTheOldFile) {
    QTemporaryDir dir;
    Picture picture(8, 8);
    EXPECT_THROW(picture.Save(FolderItem(dir.filePath("missing/folder/plot.png"))), PlatformError);

    // No file can be made beside this one, not even by root: the picture is written beside
    // its target first, so the target must stay as it was.
    const QString target = "/proc/self/comm";
    const QByteArray before = contentsOf(target);
    ASSERT_NE(before, "(missing)");
    EXPECT_THROW(picture.Save(FolderItem(target)), PlatformError);
    EXPECT_EQ(contentsOf(target), before);

    // The disk takes every byte and fails only when the new file is synced or closed.
    for (const DiskFault fault : {DiskFault::SyncFails, DiskFault::CloseFails}) {
        SCOPED_TRACE(korva::test::marker(fault));
        const QString folder = korva::test::failingFolder(dir.path(), fault);
        const QString old = folder + "/plot.png";
        korva::test::writeFile(old, "the old picture");
        try {
            picture.Save(FolderItem(old));
            ADD_FAILURE() << "the picture was taken as saved";
        } catch (const PlatformError& e) {
            EXPECT_EQ(e.what(), "The picture could not be saved to \"" + old.toStdString() +
                                    "\": " + std::strerror(EIO));
        }
        EXPECT_EQ(contentsOf(old), "the old picture");
        EXPECT_EQ(korva::test::filesIn(folder), QStringList{"plot.png"});
    }
}

}  // namespace
