#include "platform/qt/window_icon.h"

#include <QDir>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <vector>

namespace platform {
namespace {

class DrawnSizes : public QIconEngine {
  public:
    explicit DrawnSizes(std::vector<QPixmap> images) : images_(std::move(images)) {
        std::sort(images_.begin(), images_.end(), [](const QPixmap& a, const QPixmap& b) {
            return a.width() * a.height() < b.width() * b.height();
        });
    }

    // The image drawn for the size; else the smallest larger one, scaled down to it; else
    // the largest, which is smaller than asked for.
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        if (images_.empty() || size.isEmpty()) return {};
        for (const QPixmap& image : images_) {
            if (image.size() == size) return image;
        }
        for (const QPixmap& image : images_) {
            if (image.width() >= size.width() && image.height() >= size.height()) {
                return image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            }
        }
        return images_.back();
    }

    // The screen's scale is left out: the window system takes the image of each size in
    // its own pixels and picks from them itself.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return pixmap(scale > 0 ? (QSizeF(size) / scale).toSize() : size, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const QPixmap& image : images_) sizes << image.size();
        return sizes;
    }

    bool isNull() override { return images_.empty(); }

    QIconEngine* clone() const override { return new DrawnSizes(*this); }

  private:
    std::vector<QPixmap> images_;
};

}  // namespace

QIcon WindowIcon(const QString& folder) {
    std::vector<QPixmap> images;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        QImageReader reader(file.filePath());
        QImage image;
        if (reader.read(&image)) images.push_back(QPixmap::fromImage(image));
    }
    if (images.empty()) return {};
    return QIcon(new DrawnSizes(std::move(images)));
}

}  // namespace platform
