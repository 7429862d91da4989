#include "app/nmr_picture.h"

namespace x_NMR {
namespace {

bool initialized = false;
std::shared_ptr<platform::Picture> cached;

}  // namespace

std::shared_ptr<platform::Picture> NMR() {
    if (!initialized) {
        initialized = true;
        cached.reset();
    }
    if (cached) return cached;
    cached = platform::Picture::OpenFilesFromApp({"NMR.png"});
    return cached;
}

void Reset() {
    initialized = false;
    cached.reset();
}

}  // namespace x_NMR
