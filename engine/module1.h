#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/core/graphics.h"

// The program's shared state and its routines, thin adapters over the plain functions of
// engine/spin_systems.h and engine/renderer.h. Every value lives for the whole run;
// handlers read and write the variables directly.
namespace Module1 {

// Spin-system parameters: the shift difference in ppm, couplings in Hz, the
// spectrometer frequency in MHz and the spectral width in ppm.
extern float CSD;
extern float JCOUPLE;         // J(AB) in AB and ABB; J(AX) = J(A'X') in AA'XX'
extern float JCOUPLEAAPRIME;  // J(AA')
extern float JCOUPLEXXPRIME;  // J(XX')
extern float JCOUPLEAXPRIME;  // J(AX') = J(A'X)
extern std::int64_t MHZ;
extern float SPECWIDTH;

// Line width: the slider's value, 0 to 100; 0 draws unbroadened lines.
extern float s;

// Line list: positions in Hz and relative intensities; elements 1 to N are in use.
using engine::kLineSlots;
extern std::array<float, kLineSlots> x;
extern std::array<float, kLineSlots> y;
extern std::int64_t N;

// The plot area on the surface being drawn, in its units, and the output scale.
extern std::int64_t canvaswidth;
extern std::int64_t canvasheight;
extern std::int64_t pf;

// The page set-up accepted last in this run.
extern std::string psettings;

// Version data.
extern std::string appname;
extern std::string CR;
extern std::string version;
extern std::string websource;

// The shared state as it stands, as the values that the plain functions take.
engine::SpinParameters spinParameters();
engine::LineList lineList();
engine::PlotArea plotArea();

// The start values, in the order the program's opening gives them: appname, pf, CSD,
// JCOUPLE, JCOUPLEAAPRIME, JCOUPLEXXPRIME, JCOUPLEAXPRIME, MHZ, SPECWIDTH.
void startValues();

// Line computations: each writes its lines into elements 1 to n of x and y, then N; the
// other elements keep what they held.
void AB();
void ABB();
void AAXX();

// The shift difference in Hz over J(AB), as the parameter window shows it.
double ratio();

// Renderer: clearwin prepares a screen surface, display draws the spectrum on any surface.
// Both read the shared state as it stands when called, and write none of it.
void clearwin(platform::Graphics& g);
void display(platform::Graphics& g);

using engine::kPeaksOffPlotWarning;

}  // namespace Module1
