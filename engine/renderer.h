#pragma once

#include <cstdint>

#include "engine/spin_systems.h"
#include "platform/core/graphics.h"

// Draws a line list as a spectrum on any drawing surface.
namespace engine {

// What the renderer reads besides the lines, named as the shared state names it: the
// plot area on the surface in its units, the output scale, the spectrometer frequency,
// the ppm that the plot's width spans and the line width (0 draws unbroadened lines).
struct PlotArea {
    std::int64_t canvaswidth = 0;
    std::int64_t canvasheight = 0;
    std::int64_t pf = 0;
    std::int64_t MHZ = 0;
    float SPECWIDTH = 0.0f;
    float s = 0.0f;
};

inline constexpr const char* kPeaksOffPlotWarning =
    "Not all peaks fit on the screen. INCREASE WIDTH!";

// Prepares a screen surface: white over the plot area, the drawing colour and font size.
void clearPlot(platform::Graphics& g, const PlotArea& area);

// Draws the spectrum, "ppm" and the axis numbers; warns in a message box when a line of
// some intensity falls off the plot.
void render(platform::Graphics& g, const LineList& lines, const PlotArea& area);

}  // namespace engine
