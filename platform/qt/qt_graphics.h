#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <memory>

#include "platform/core/graphics.h"

class QPaintDevice;

namespace platform {

// The drawing surface on a Qt paint device: a back buffer, a picture or a printer page.
// The painter is begun on the first drawing and ended by Release (or destruction);
// colour, pen and font size are the surface's own and survive a Release.
class QtGraphics final : public Graphics {
  public:
    // `owner`, when given, keeps the device alive as long as the surface.
    explicit QtGraphics(QPaintDevice* device, std::shared_ptr<void> owner = nullptr);
    ~QtGraphics() override;
    QtGraphics(const QtGraphics&) = delete;
    QtGraphics& operator=(const QtGraphics&) = delete;

    // Ends the painter, so that the device holds everything drawn so far.
    void Release();

    double Width() const override;
    double Height() const override;
    void DrawingColor(Color color) override;
    void PenSize(double size) override;
    float FontSize() const override;
    void FontSize(float size) override;
    void FillRectangle(double x, double y, double width, double height) override;
    void DrawLine(double x1, double y1, double x2, double y2) override;
    double TextWidth(const std::string& text) override;
    void DrawText(const std::string& text, double x, double y) override;
    void DrawPicture(const Picture& picture, double dx, double dy, double dw, double dh, double sx,
                     double sy, double sw, double sh) override;

  private:
    QPainter& painter();
    QPen pen() const;

    std::shared_ptr<void> owner_;  // destroyed after the painter
    QPaintDevice* device_;
    const bool page_;  // a printer's page, which its engine draws unlike the screen
    std::unique_ptr<QPainter> painter_;
    QColor color_{Qt::black};
    double penSize_ = 1.0;
    float fontSize_ = 0.0f;
    QFont font_;
};

}  // namespace platform
