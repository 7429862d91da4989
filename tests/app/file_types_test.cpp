#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/file_types.h"
#include "platform/core/file_type.h"

namespace {

TEST(FileTypes, BothTypesAreDefinedAndRegisteredInOrder) {
    FileTypes::pAllFileTypes.clear();
    FileTypes::Initialize();
    ASSERT_EQ(FileTypes::pAllFileTypes.size(), 2u);
    const auto& text = *FileTypes::pAllFileTypes[0];
    const auto& png = *FileTypes::pAllFileTypes[1];
    EXPECT_EQ(&text, &FileTypes::Text());
    EXPECT_EQ(&png, &FileTypes::image());
    struct Fields {
        std::string name, extensions, macType, macCreator, mimeType, conformsTo, uti;
    };
    auto fields = [](const platform::FileType& t) {
        return Fields{t.Name(),     t.Extensions(), t.MacType(), t.MacCreator(),
                      t.MimeType(), t.ConformsTo(), t.UTI()};
    };
    const Fields t = fields(text), p = fields(png);
    EXPECT_EQ(
        std::tie(t.name, t.extensions, t.macType, t.macCreator, t.mimeType, t.conformsTo, t.uti),
        std::make_tuple("text/plain", "txt", "YEXY", "????", "", "public.data, public.content",
                        "public.text"));
    EXPECT_EQ(
        std::tie(p.name, p.extensions, p.macType, p.macCreator, p.mimeType, p.conformsTo, p.uti),
        std::make_tuple("image/png", "png", "PNGf", "", "", "public.image", "public.png"));
    EXPECT_TRUE(text.Imported() && png.Imported());
    EXPECT_TRUE(text.IsRegistered() && png.IsRegistered());
    const auto* registration = platform::FileType::Lookup("image/png");
    ASSERT_NE(registration, nullptr);
    EXPECT_EQ(registration->extensions, "png");
    EXPECT_EQ(registration->uti, "public.png");
}

}  // namespace
