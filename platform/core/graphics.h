#pragma once

#include <string>

#include "platform/core/color.h"

namespace platform {

class Picture;

// A two-dimensional drawing surface: a window canvas, a printer page or a picture.
// Coordinates are doubles in the surface's own units, origin top left, y downwards.
class Graphics {
  public:
    virtual ~Graphics() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;

    // Later fills, lines and text use this colour.
    virtual void DrawingColor(Color color) = 0;
    virtual void PenSize(double size) = 0;
    // In the surface's own units; the getter returns the size last set.
    virtual float FontSize() const = 0;
    virtual void FontSize(float size) = 0;

    virtual void FillRectangle(double x, double y, double width, double height) = 0;
    // A zero-length line is allowed.
    virtual void DrawLine(double x1, double y1, double x2, double y2) = 0;
    // The advance width of the text in the current font size, trailing blanks included.
    virtual double TextWidth(const std::string& text) = 0;
    // x is the left edge of the text and y its baseline.
    virtual void DrawText(const std::string& text, double x, double y) = 0;
    // The source rectangle of the picture, scaled into the destination rectangle.
    virtual void DrawPicture(const Picture& picture, double dx, double dy, double dw, double dh,
                             double sx, double sy, double sw, double sh) = 0;
};

}  // namespace platform
