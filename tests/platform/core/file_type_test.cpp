#include <gtest/gtest.h>

#include "platform/core/file_type.h"

namespace {

TEST(FileType, ChangingAFieldWithdrawsTheRegistrationUntilTheNextConversion) {
    platform::FileType type;
    type.Name("application/x-korva-test");
    type.Extensions("kt");
    EXPECT_EQ(type.ToString(), "application/x-korva-test");
    ASSERT_NE(platform::FileType::Lookup("application/x-korva-test"), nullptr);
    type.Extensions("kt2");
    EXPECT_FALSE(type.IsRegistered());
    EXPECT_EQ(platform::FileType::Lookup("application/x-korva-test"), nullptr);
    type.ToString();
    EXPECT_EQ(platform::FileType::Lookup("application/x-korva-test")->extensions, "kt2");
}

}  // namespace
