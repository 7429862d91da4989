#include "app/file_types.h"

namespace FileTypes {

std::shared_ptr<platform::FileType> pText;
std::shared_ptr<platform::FileType> pimage;
std::vector<std::shared_ptr<platform::FileType>> pAllFileTypes;

platform::FileType& Text() { return *pText; }
platform::FileType& image() { return *pimage; }

void Initialize() {
    pText = std::make_shared<platform::FileType>();
    Text().Name("text/plain");
    Text().Extensions("txt");
    Text().MacType("YEXY");
    Text().MacCreator("????");
    Text().MimeType("");
    Text().Imported(true);
    Text().ConformsTo("public.data, public.content");
    Text().UTI("public.text");
    pAllFileTypes.push_back(pText);
    (void)Text().ToString();

    pimage = std::make_shared<platform::FileType>();
    image().Name("image/png");
    image().Extensions("png");
    image().MacType("PNGf");
    image().MacCreator("");
    image().MimeType("");
    image().Imported(true);
    image().ConformsTo("public.image");
    image().UTI("public.png");
    pAllFileTypes.push_back(pimage);
    (void)image().ToString();
}

}  // namespace FileTypes
