// The line computations and the renderer on arbitrary values: any bits in the parameters,
// the line width and the line list, N 0 to 20, pf 1 to 5 and any height. Plot widths are
// mostly below 1024 columns, a few up to 20000, and a few that no surface has: zero or
// below, and near either end of the 64-bit range. A computation run over the shared state
// must store exactly the plain function's lines and touch no other element; the drawing
// must stay inside its column buffer, give one vertical segment per column with the pen
// pf, pass only finite coordinates, draw "ppm" once and at most one number per column, and
// warn at most once. The surface checks every call as it comes and keeps nothing, so that
// wide plots cost no memory.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "engine/module1.h"
#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/core/graphics.h"
#include "tests/support/message_recorder.h"
#include "tests/support/shared_state.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// The input read from the front in the machine's byte order; zeros once it runs out.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T>
    T take() {
        std::array<std::uint8_t, sizeof(T)> bytes{};
        const std::size_t n = std::min(sizeof(T), size_ - used_);
        if (n) std::memcpy(bytes.data(), data_ + used_, n);
        used_ += n;
        return std::bit_cast<T>(bytes);
    }
    std::int64_t takeInRange(std::int64_t low, std::int64_t high) {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<std::int64_t>(take<std::uint16_t>() % span);
    }
    // A plot width: below 1024 columns for most inputs, up to 20000 for a few, and for a
    // few more zero or below, or within 2^16 of either end of the 64-bit range.
    std::int64_t takeWidth() {
        const auto kind = take<std::uint16_t>();
        if (kind < 0xF000) return kind % 1024;
        if (kind < 0xFC00) return takeInRange(0, 20000);
        const std::int64_t distance = take<std::uint16_t>();
        switch (kind % 3) {
            case 0:
                return std::numeric_limits<std::int64_t>::max() - distance;
            case 1:
                return std::numeric_limits<std::int64_t>::min() + distance;
            default:
                return -distance;
        }
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Runs one computation over the shared state, which holds the parameters p and the line
// list `before`, and checks that it stored the plain function's lines 1 to `count` and
// nothing else. Returns those lines.
engine::LineList compute(void (*routine)(),
                         engine::LineList (*plain)(const engine::SpinParameters&),
                         std::int64_t count, const engine::SpinParameters& p,
                         const engine::LineList& before) {
    korva::test::share(p);
    korva::test::share(before);
    routine();
    const engine::LineList lines = plain(p);
    if (lines.N != count || Module1::N != count) fail("a computation set the wrong line count");
    for (std::size_t i = 0; i < engine::kLineSlots; ++i) {
        const bool line = i >= 1 && i <= static_cast<std::size_t>(count);
        const engine::LineList& expected = line ? lines : before;
        if (!sameBits(Module1::x[i], expected.x[i]) || !sameBits(Module1::y[i], expected.y[i])) {
            fail(line ? "a computation stored other lines than its plain function"
                      : "a computation wrote outside its lines");
        }
    }
    return lines;
}

// A surface that checks every call on the spot. Text is 10 units wide per character.
class CheckingGraphics final : public platform::Graphics {
  public:
    explicit CheckingGraphics(const engine::PlotArea& area) : area_(area) {}

    double Width() const override { return 800; }
    double Height() const override { return 600; }
    void DrawingColor(platform::Color) override {}
    void PenSize(double size) override { finite(size), pen_ = size; }
    float FontSize() const override { return fontSize_; }
    void FontSize(float size) override { finite(size), fontSize_ = size; }
    void FillRectangle(double x, double y, double w, double h) override {
        finite(x), finite(y), finite(w), finite(h);
    }
    void DrawLine(double x1, double y1, double x2, double y2) override {
        finite(x1), finite(y1), finite(x2), finite(y2);
        // Columns 1, 2, 3 ... in this order, each a vertical segment from the baseline.
        const double column = static_cast<double>(++segments_);
        if (x1 != column || x2 != column) fail("a segment outside its column");
        if (segments_ == 1) baseline_ = y1;
        if (y1 != baseline_) fail("a segment off the baseline");
        if (pen_ != static_cast<double>(area_.pf)) fail("a segment without the pen pf");
    }
    double TextWidth(const std::string& text) override { return 10.0 * text.size(); }
    void DrawText(const std::string& text, double x, double y) override {
        finite(x), finite(y);
        if (text == "ppm") {
            if (++units_ > 1) fail("\"ppm\" was drawn twice");
            return;
        }
        // The numbers go leftwards, so no two share a column.
        if (numbers_++ > 0 && !(x < lastNumber_)) fail("a number in or right of another's column");
        lastNumber_ = x;
    }
    void DrawPicture(const platform::Picture&, double, double, double, double, double, double,
                     double, double) override {
        fail("the plot drew a picture");
    }

    // What the whole drawing must have been, once it is done.
    void checkDone(std::size_t warnings) const {
        if (warnings > 1) fail("one drawing warned more than once");
        const std::int64_t W = area_.canvaswidth;
        const std::int64_t columns = std::max<std::int64_t>(W, 0);
        // A plot wider than any surface may be left undrawn.
        const bool undrawn = W > 20000 && segments_ == 0;
        if (segments_ != columns && !undrawn) fail("not one segment per column");
        if (units_ != 1) fail("the axis has no \"ppm\"");
        if (numbers_ > columns) fail("the axis has more numbers than columns");
    }

  private:
    static void finite(double v) {
        if (!std::isfinite(v)) fail("a coordinate that is not finite reached the surface");
    }

    const engine::PlotArea area_;
    double pen_ = 0;
    float fontSize_ = 0;
    std::int64_t segments_ = 0;
    double baseline_ = 0;
    std::int64_t units_ = 0;
    std::int64_t numbers_ = 0;
    double lastNumber_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::int64_t computation = in.takeInRange(0, 3);
    engine::LineList lines;
    engine::SpinParameters p;
    engine::PlotArea area;
    lines.N = in.takeInRange(0, 20);
    area.pf = in.takeInRange(1, 5);
    area.canvaswidth = in.takeWidth();
    area.canvasheight = in.take<std::int64_t>();
    p.MHZ = area.MHZ = in.take<std::int64_t>();
    for (float* parameter : {&p.CSD, &p.JCOUPLE, &p.JCOUPLEAAPRIME, &p.JCOUPLEXXPRIME,
                             &p.JCOUPLEAXPRIME, &area.SPECWIDTH, &area.s}) {
        *parameter = in.take<float>();
    }
    for (std::size_t i = 0; i < engine::kLineSlots; ++i) {
        lines.x[i] = in.take<float>();
        lines.y[i] = in.take<float>();
    }

    switch (computation) {
        case 1:
            lines = compute(Module1::AB, engine::linesAB, 4, p, lines);
            break;
        case 2:
            lines = compute(Module1::ABB, engine::linesABB, 9, p, lines);
            break;
        case 3:
            lines = compute(Module1::AAXX, engine::linesAAXX, 20, p, lines);
            break;
        default:
            break;
    }

    korva::test::MessageRecorder messages;
    CheckingGraphics g(area);
    engine::clearPlot(g, area);
    engine::render(g, lines, area);
    g.checkDone(messages.messages.size());
    return 0;
}
