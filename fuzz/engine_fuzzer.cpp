// The line computations and the renderer on arbitrary shared state: any bits in the
// parameters, the line width and the line list, N 0 to 20, plot widths 0 to 20000, any
// height and pf 1 to 5. The computations must touch only their own lines; the drawing
// must stay inside its column buffer, give one vertical segment per column with the pen
// pf, pass only finite coordinates and warn at most once.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "message_recorder.h"
#include "module1.h"
#include "recording_graphics.h"

namespace {

using Lines = std::array<float, Module1::kLineSlots>;

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

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

bool sameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// Runs one computation and checks that it wrote lines 1 to its count and nothing else.
void compute(void (*computation)(), std::int64_t lines) {
    const Lines x = Module1::x;
    const Lines y = Module1::y;
    computation();
    if (Module1::N != lines) fail("a computation set the wrong line count");
    for (std::size_t i = 0; i < Module1::kLineSlots; ++i) {
        if (i >= 1 && i <= static_cast<std::size_t>(lines)) continue;
        if (!sameBits(Module1::x[i], x[i]) || !sameBits(Module1::y[i], y[i])) {
            fail("a computation wrote outside its lines");
        }
    }
}

void checkDrawing(const korva::test::RecordingGraphics& g, std::size_t warnings) {
    if (!g.finite) fail("a coordinate that is not finite reached the surface");
    if (warnings > 1) fail("one drawing warned more than once");
    const std::int64_t W = Module1::canvaswidth;
    if (g.lines.size() != static_cast<std::size_t>(W)) fail("not one segment per column");
    for (std::size_t j = 0; j < g.lines.size(); ++j) {
        const auto& l = g.lines[j];
        const double column = static_cast<double>(j + 1);
        if (l.x1 != column || l.x2 != column) fail("a segment outside its column");
        if (l.y1 != g.lines[0].y1) fail("a segment off the baseline");
        if (l.pen != static_cast<double>(Module1::pf)) fail("a segment without the pen pf");
    }
    // "ppm" and at most one number per column.
    if (g.texts.empty() || g.texts.size() > static_cast<std::size_t>(W) + 1) {
        fail("the axis has too many or no texts");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::int64_t computation = in.takeInRange(0, 3);
    Module1::N = in.takeInRange(0, 20);
    Module1::pf = in.takeInRange(1, 5);
    Module1::canvaswidth = in.takeInRange(0, 20000);
    Module1::canvasheight = in.take<std::int64_t>();
    Module1::MHZ = in.take<std::int64_t>();
    for (float* parameter :
         {&Module1::CSD, &Module1::JCOUPLE, &Module1::JCOUPLEAAPRIME, &Module1::JCOUPLEXXPRIME,
          &Module1::JCOUPLEAXPRIME, &Module1::SPECWIDTH, &Module1::s}) {
        *parameter = in.take<float>();
    }
    for (std::size_t i = 0; i < Module1::kLineSlots; ++i) {
        Module1::x[i] = in.take<float>();
        Module1::y[i] = in.take<float>();
    }

    switch (computation) {
        case 1:
            compute(Module1::AB, 4);
            break;
        case 2:
            compute(Module1::ABB, 9);
            break;
        case 3:
            compute(Module1::AAXX, 20);
            break;
        default:
            break;
    }

    korva::test::MessageRecorder messages;
    korva::test::RecordingGraphics g;
    Module1::clearwin(g);
    Module1::display(g);
    checkDrawing(g, messages.messages.size());
    return 0;
}
