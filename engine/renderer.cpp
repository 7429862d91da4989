// Draws the line list as a spectrum: each line takes one pixel column, is spread into a
// Gaussian when the line width is above 0, and the summed columns are scaled so that the
// tallest reaches 90 % of the baseline's height; then "ppm" and one number per ppm.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "engine/renderer.h"
#include "platform/core/mathematics.h"
#include "platform/core/message_dialog.h"
#include "platform/core/text.h"

namespace engine {
namespace {

using platform::Abs;
using platform::Exp;
using platform::Format;
using platform::Min;
using platform::Round;
using platform::Single;
using platform::TruncateToInt64;

// No surface the program makes is this wide; a wider plot area is not drawn, so that
// no plot area can make a drawing take unbounded time or memory.
constexpr std::int64_t kMaximumColumns = std::int64_t{1} << 20;

constexpr std::int64_t kLast = static_cast<std::int64_t>(kLineSlots) - 1;

std::int64_t saturatingMultiply(std::int64_t a, std::int64_t b) {
    std::int64_t product = 0;
    if (!__builtin_mul_overflow(a, b, &product)) return product;
    return (a < 0) != (b < 0) ? std::numeric_limits<std::int64_t>::min()
                              : std::numeric_limits<std::int64_t>::max();
}

std::int64_t saturatingSubtract(std::int64_t a, std::int64_t b) {
    std::int64_t difference = 0;
    if (!__builtin_sub_overflow(a, b, &difference)) return difference;
    return b < 0 ? std::numeric_limits<std::int64_t>::max()
                 : std::numeric_limits<std::int64_t>::min();
}

// One line's stick: the column it stands in and its intensity. A line's row of the
// column buffer holds nothing else, so the stick is the whole row.
struct Stick {
    std::int64_t column;
    float value;
};

}  // namespace

void clearPlot(platform::Graphics& g, const PlotArea& area) {
    const double W = static_cast<double>(area.canvaswidth);
    const double H = static_cast<double>(area.canvasheight);
    g.DrawingColor(0xFFFFFF);
    g.FillRectangle(0.0, 0.0, W, H);
    g.DrawingColor(0x010101);
    g.FontSize(Single(Round(0.04 * Min(W, H))));
}

void render(platform::Graphics& g, const LineList& lines, const PlotArea& area) {
    const std::int64_t W = area.canvaswidth;
    const std::int64_t H = area.canvasheight;
    const std::int64_t pf = area.pf;
    const auto& x = lines.x;
    const auto& y = lines.y;
    const double w = static_cast<double>(W);
    const double scale = static_cast<double>(pf);
    const std::int64_t margin = saturatingMultiply(120, pf);
    const std::int64_t count = std::clamp<std::int64_t>(lines.N, 0, kLast);
    const bool drawable = W >= 1 && W <= kMaximumColumns;

    g.PenSize(scale);

    // Placement: a line closer than pf columns to the previous line on the plot shares
    // its column.
    std::vector<Stick> sticks;
    float lastOffset = 0.0f;
    bool offPlot = false;
    for (std::int64_t i = 1; i <= count; ++i) {
        float offset = Single(((static_cast<double>(x[i]) / static_cast<double>(area.MHZ)) * w) /
                                  static_cast<double>(area.SPECWIDTH) +
                              static_cast<double>(margin));
        if (w > offset && offset > 0.0) {
            const float difference = offset - lastOffset;
            if (scale > Abs(difference)) {
                offset = lastOffset;
            } else {
                lastOffset = offset;
            }
            // On a plot nearly 2^63 columns wide the column can round up past the integer range.
            if (y[i] > 0.0) {
                sticks.push_back({TruncateToInt64(w - static_cast<double>(offset)), y[i]});
            }
        } else if (y[i] > 0.1) {
            offPlot = true;
        }
    }

    if (offPlot) platform::MessageDialog::Show(kPeaksOffPlotWarning);

    if (drawable) {
        // Row 0 of the column buffer: the summed spectrum over columns 0 to W.
        std::vector<float> sum(static_cast<std::size_t>(W) + 1, 0.0f);
        if (area.s > 0.0) {
            // Contributions beyond column 0 or W have no place in the buffer and are
            // dropped; a negative scale spreads a line over no column. The weights depend on
            // |k| only.
            const std::int64_t half = saturatingMultiply(20, pf);
            const std::int64_t reach = std::min(half, W);
            std::vector<double> weight(reach >= 0 ? static_cast<std::size_t>(reach) + 1 : 0);
            for (std::int64_t k = 0; k <= reach; ++k) {
                weight[k] = Exp(static_cast<double>(-k * k) / static_cast<double>(area.s) / scale);
            }
            for (const Stick& stick : sticks) {
                const std::int64_t j = stick.column;
                if (j < 1 || j > W || half < 0) continue;
                const std::int64_t from = std::max(-half, -j);
                const std::int64_t to = std::min(half, W - j);
                for (std::int64_t k = from; k <= to; ++k) {
                    float& column = sum[j + k];
                    column = Single(static_cast<double>(stick.value) * weight[std::abs(k)] +
                                    static_cast<double>(column));
                }
            }
        } else {
            for (const Stick& stick : sticks) {
                if (stick.column >= 1 && stick.column <= W) sum[stick.column] += stick.value;
            }
        }

        float maximum = 0.0f;
        for (std::int64_t j = 1; j <= W; ++j) {
            if (sum[j] > maximum) maximum = sum[j];
        }
        const float baseline = Single(static_cast<double>(H) - 0.075 * static_cast<double>(H));

        // An empty plot, or a column without a defined height, stands on the baseline.
        for (std::int64_t j = 1; j <= W; ++j) {
            const float product = sum[j] * baseline;
            double top = static_cast<double>(baseline) -
                         (static_cast<double>(product) / static_cast<double>(maximum)) * 0.9;
            if (!std::isfinite(top)) top = baseline;
            g.DrawLine(static_cast<double>(j), baseline, static_cast<double>(j), top);
        }
    }

    const double labelY = 0.98 * static_cast<double>(H);
    g.DrawText("ppm", w - g.TextWidth("ppm "), labelY);

    if (!drawable) return;
    // One number per ppm, leftwards from the 0 Hz column. The stepping stops where it
    // no longer moves k or leaves the integer range.
    const double specwidth = area.SPECWIDTH;
    std::int64_t k = 1;
    for (;;) {
        const double step = w / specwidth;
        if (step < 0 ? k < W : k > W) break;
        g.DrawText(Format((specwidth * static_cast<double>(k)) / w + 1.0, "##"),
                   static_cast<double>(saturatingSubtract(W - k, margin)), labelY);
        const double next = static_cast<double>(k) + step;
        if (!(next >= -0x1p63 && next < 0x1p63)) break;
        const auto advanced = static_cast<std::int64_t>(next);
        if (advanced == k) break;
        k = advanced;
    }
}

}  // namespace engine
