#include "platform/qt/picture.h"

#include <QBuffer>
#include <QImageWriter>
#include <string>

#include "platform/core/errors.h"
#include "platform/qt/replacing_file.h"
#include "platform/qt/resources.h"

namespace platform {

Picture::Picture(std::int64_t width, std::int64_t height) {
    if (width < 1 || width > kMaximumSide || height < 1 || height > kMaximumSide) {
        throw PlatformError("A picture of " + std::to_string(width) + " by " +
                            std::to_string(height) + " pixels cannot be made: each side must lie " +
                            "between 1 and " + std::to_string(kMaximumSide) + ".");
    }
    image_ = QImage(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image_.isNull()) {
        throw PlatformError("There is not enough memory for a picture of " + std::to_string(width) +
                            " by " + std::to_string(height) + " pixels.");
    }
    image_.fill(Qt::white);
    graphics_ = std::make_unique<QtGraphics>(&image_);
}

Picture::Picture(QImage image) : image_(std::move(image)) {
    if (image_.isNull()) throw PlatformError("The picture holds no image.");
    graphics_ = std::make_unique<QtGraphics>(&image_);
}

std::shared_ptr<Picture> Picture::OpenFilesFromApp(const QStringList& names) {
    for (const QString& name : names) {
        const QString path = ResourceFile(name);
        if (path.isEmpty()) continue;
        QImage image(path);
        if (!image.isNull()) {
            return std::make_shared<Picture>(
                image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32));
        }
    }
    return nullptr;
}

Graphics& Picture::Graphics() { return *graphics_; }

const QImage& Picture::Image() const {
    graphics_->Release();
    return image_;
}

void Picture::Save(const FolderItem& file) {
    const QImage& image = Image();
    auto failure = [&](const QString& reason) {
        return PlatformError("The picture could not be saved to \"" +
                             file.NativePath().toStdString() + "\": " + reason.toStdString());
    };
    // Encoded in memory first: a write that fails inside Qt's PNG encoder leaves it by a
    // jump that leaks its table of rows.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) throw failure(writer.errorString());

    ReplacingFile out(file.NativePath());
    if (!out.Open() || !out.Write(png) || !out.Commit()) throw failure(out.ErrorString());
}

}  // namespace platform
