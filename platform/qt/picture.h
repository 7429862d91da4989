#pragma once

#include <QImage>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "platform/qt/folder_item.h"
#include "platform/qt/qt_graphics.h"

namespace platform {

// An off-screen picture: an opaque 32-bit image, white when it is made.
class Picture {
  public:
    static constexpr std::int64_t kMaximumSide = 32767;

    // Raises PlatformError when a side lies outside 1 to kMaximumSide or the memory
    // for the picture cannot be had.
    Picture(std::int64_t width, std::int64_t height);
    // A picture of a loaded image; raises PlatformError for a null image.
    explicit Picture(QImage image);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The picture read from the first of the named resource files that can be read as
    // an image, or nullptr.
    static std::shared_ptr<Picture> OpenFilesFromApp(const QStringList& names);

    std::int64_t Width() const { return image_.width(); }
    std::int64_t Height() const { return image_.height(); }

    // The picture's drawing surface: the same one on every call.
    platform::Graphics& Graphics();

    // Writes the picture as PNG. An existing file is replaced only by a complete new one
    // that has reached the disk; raises PlatformError when the file cannot be written.
    void Save(const FolderItem& file);

    // The image with everything drawn so far.
    const QImage& Image() const;

  private:
    // mutable: reading the image first ends the painter that may still hold it.
    mutable QImage image_;
    std::unique_ptr<QtGraphics> graphics_;
};

}  // namespace platform
