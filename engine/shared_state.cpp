#include <algorithm>

#include "engine/module1.h"

namespace Module1 {

float CSD = 0.0f;
float JCOUPLE = 0.0f;
float JCOUPLEAAPRIME = 0.0f;
float JCOUPLEXXPRIME = 0.0f;
float JCOUPLEAXPRIME = 0.0f;
std::int64_t MHZ = 0;
float SPECWIDTH = 0.0f;
float s = 0.0f;

std::array<float, kLineSlots> x{};
std::array<float, kLineSlots> y{};
std::int64_t N = 0;

std::int64_t canvaswidth = 0;
std::int64_t canvasheight = 0;
std::int64_t pf = 0;

std::string psettings;

std::string appname;
std::string CR;
std::string version;
std::string websource;

namespace {

// Elements 1 to N of x, then of y, then N.
void store(const engine::LineList& lines) {
    std::copy_n(lines.x.begin() + 1, lines.N, x.begin() + 1);
    std::copy_n(lines.y.begin() + 1, lines.N, y.begin() + 1);
    N = lines.N;
}

}  // namespace

engine::SpinParameters spinParameters() {
    return {.CSD = CSD,
            .JCOUPLE = JCOUPLE,
            .JCOUPLEAAPRIME = JCOUPLEAAPRIME,
            .JCOUPLEXXPRIME = JCOUPLEXXPRIME,
            .JCOUPLEAXPRIME = JCOUPLEAXPRIME,
            .MHZ = MHZ};
}

engine::LineList lineList() { return {.x = x, .y = y, .N = N}; }

engine::PlotArea plotArea() {
    return {.canvaswidth = canvaswidth,
            .canvasheight = canvasheight,
            .pf = pf,
            .MHZ = MHZ,
            .SPECWIDTH = SPECWIDTH,
            .s = s};
}

void startValues() {
    appname = "KORVA";
    pf = 1;
    CSD = 3.0f;
    JCOUPLE = 7.0f;
    JCOUPLEAAPRIME = 13.0f;
    JCOUPLEXXPRIME = 13.0f;
    JCOUPLEAXPRIME = 12.0f;
    MHZ = 60;
    SPECWIDTH = 8.0f;
}

void AB() { store(engine::linesAB(spinParameters())); }
void ABB() { store(engine::linesABB(spinParameters())); }
void AAXX() { store(engine::linesAAXX(spinParameters())); }

double ratio() { return engine::ratio(spinParameters()); }

void clearwin(platform::Graphics& g) { engine::clearPlot(g, plotArea()); }
void display(platform::Graphics& g) { engine::render(g, lineList(), plotArea()); }

}  // namespace Module1
