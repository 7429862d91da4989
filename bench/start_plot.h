#pragma once

#include <cstdint>

#include "engine/module1.h"

namespace korva::bench {

using Computation = engine::LineList (*)(const engine::SpinParameters&);

// The lines of one system with the program's start values, and a plot area of the given
// size, scale and line width at the start values' frequency and spectral width.
struct StartPlot {
    engine::LineList lines;
    engine::PlotArea area;
};

inline StartPlot startPlot(Computation compute, std::int64_t width, std::int64_t height,
                           std::int64_t pf, float lineWidth) {
    Module1::startValues();
    return {compute(Module1::spinParameters()),
            {.canvaswidth = width,
             .canvasheight = height,
             .pf = pf,
             .MHZ = Module1::MHZ,
             .SPECWIDTH = Module1::SPECWIDTH,
             .s = lineWidth}};
}

}  // namespace korva::bench
