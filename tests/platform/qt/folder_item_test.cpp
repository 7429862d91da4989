#include <gtest/gtest.h>

#include "platform/core/errors.h"
#include "platform/qt/folder_item.h"

namespace {

using platform::FolderItem;

TEST(FolderItemChild, NamesAnItemInsideTheFolderOnly) {
    const FolderItem folder("/home/student/Desktop");
    EXPECT_EQ(folder.Child("KORVA.zip").NativePath(), "/home/student/Desktop/KORVA.zip");
    EXPECT_EQ(folder.Child("N\xC3\xBC.zip").NativePath(),
              QString::fromUtf8("/home/student/Desktop/N\u00FC.zip"));
    for (const char* name : {"", ".", "..", "../KORVA.zip", "sub/KORVA.zip", "/KORVA.zip"}) {
        EXPECT_THROW(folder.Child(name), platform::PlatformError) << name;
    }
}

}  // namespace
