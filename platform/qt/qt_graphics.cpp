#include "platform/qt/qt_graphics.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "platform/core/errors.h"
#include "platform/qt/picture.h"

namespace platform {
namespace {

// The raster engine works in fixed point: coordinates far outside any surface are pulled
// in to a range where it is exact, which changes nothing that can be seen.
constexpr double kCoordinateLimit = 1 << 22;

double tame(double v) {
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, -kCoordinateLimit, kCoordinateLimit);
}

}  // namespace

QtGraphics::QtGraphics(QPaintDevice* device, std::shared_ptr<void> owner)
    : owner_(std::move(owner)),
      device_(device),
      page_(device->devType() == QInternal::Printer),
      font_(QGuiApplication::font()) {}

QtGraphics::~QtGraphics() { Release(); }

void QtGraphics::Release() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& QtGraphics::painter() {
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(device_);
        if (!painter_->isActive()) {
            painter_.reset();
            throw PlatformError(page_ ? "The printer could not start the page."
                                      : "Nothing can be drawn on this surface.");
        }
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    return *painter_;
}

QPen QtGraphics::pen() const {
    return QPen(color_, penSize_, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

double QtGraphics::Width() const { return device_->width() / device_->devicePixelRatioF(); }

double QtGraphics::Height() const { return device_->height() / device_->devicePixelRatioF(); }

void QtGraphics::DrawingColor(Color color) {
    color_ = QColor::fromRgb(static_cast<QRgb>(color.rgb));
}

void QtGraphics::PenSize(double size) {
    // A pen of no sensible width draws the thinnest line.
    penSize_ = std::isfinite(size) && size > 0 ? std::min(size, kCoordinateLimit) : 0.0;
}

float QtGraphics::FontSize() const { return fontSize_; }

void QtGraphics::FontSize(float size) {
    fontSize_ = size;
    // Font sizes are in the surface's units; below one unit the text is one unit high.
    double pixels = std::isfinite(size) ? std::clamp(static_cast<double>(size), 1.0, 65536.0) : 1.0;
    font_.setPixelSize(static_cast<int>(std::lround(pixels)));
}

void QtGraphics::FillRectangle(double x, double y, double width, double height) {
    painter().fillRect(QRectF(tame(x), tame(y), tame(width), tame(height)), color_);
}

void QtGraphics::DrawLine(double x1, double y1, double x2, double y2) {
    QPainter& p = painter();
    p.setPen(pen());
    const QPointF from(tame(x1), tame(y1)), to(tame(x2), tame(y2));
    // A printer's engine draws a line shorter than the pen is wide as a sliver of its own
    // length, and drops one of no length; a point at its start leaves the pen's mark there.
    // The raster engine of the screen and of pictures draws such lines whole, and a point
    // where the line has no length.
    if (from != to) p.drawLine(from, to);
    if (from == to || (page_ && QLineF(from, to).length() < penSize_)) p.drawPoint(from);
}

double QtGraphics::TextWidth(const std::string& text) {
    return QFontMetricsF(font_, device_).horizontalAdvance(QString::fromStdString(text));
}

void QtGraphics::DrawText(const std::string& text, double x, double y) {
    QPainter& p = painter();
    p.setPen(pen());
    p.setFont(font_);
    p.drawText(QPointF(tame(x), tame(y)), QString::fromStdString(text));
}

void QtGraphics::DrawPicture(const Picture& picture, double dx, double dy, double dw, double dh,
                             double sx, double sy, double sw, double sh) {
    painter().drawImage(QRectF(tame(dx), tame(dy), tame(dw), tame(dh)), picture.Image(),
                        QRectF(tame(sx), tame(sy), tame(sw), tame(sh)));
}

}  // namespace platform
