#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "platform/core/graphics.h"

namespace korva::test {

// A drawing surface that records what it is asked to draw. Text is 10 units wide per
// character, so that positions that depend on measured text are easy to predict.
class RecordingGraphics : public platform::Graphics {
  public:
    struct Line {
        double x1, y1, x2, y2;
        double pen;
        bool operator==(const Line&) const = default;
    };
    struct Text {
        std::string text;
        double x, y;
        float fontSize;
        bool operator==(const Text&) const = default;
    };
    struct Fill {
        double x, y, width, height;
        platform::Color color;
        bool operator==(const Fill&) const = default;
    };

    double width = 800;
    double height = 600;
    platform::Color color = 0;
    double pen = 0;
    float fontSize = 0;
    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Fill> fills;
    // The operations in the order they came, by name.
    std::vector<std::string> calls;
    bool finite = true;  // every coordinate and size passed was finite

    double Width() const override { return width; }
    double Height() const override { return height; }
    void DrawingColor(platform::Color c) override { color = c, calls.push_back("color"); }
    void PenSize(double size) override { check(size), pen = size, calls.push_back("pen"); }
    float FontSize() const override { return fontSize; }
    void FontSize(float size) override { check(size), fontSize = size, calls.push_back("font"); }
    void FillRectangle(double x, double y, double w, double h) override {
        check(x), check(y), check(w), check(h);
        fills.push_back({x, y, w, h, color});
        calls.push_back("fill");
    }
    void DrawLine(double x1, double y1, double x2, double y2) override {
        check(x1), check(y1), check(x2), check(y2);
        lines.push_back({x1, y1, x2, y2, pen});
        calls.push_back("line");
    }
    double TextWidth(const std::string& text) override { return 10.0 * text.size(); }
    void DrawText(const std::string& text, double x, double y) override {
        check(x), check(y);
        texts.push_back({text, x, y, fontSize});
        calls.push_back("text");
    }
    void DrawPicture(const platform::Picture&, double, double, double, double, double, double,
                     double, double) override {
        calls.push_back("picture");
    }

    // The segment drawn in column j, or nullptr.
    const Line* column(double j) const {
        for (const Line& l : lines) {
            if (l.x1 == j) return &l;
        }
        return nullptr;
    }

  private:
    void check(double v) { finite = finite && std::isfinite(v); }
};

}  // namespace korva::test
