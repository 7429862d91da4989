#pragma once

#include "engine/module1.h"

namespace korva::test {

// Puts values into the shared state field by field, for the routines that read it.
inline void share(const engine::SpinParameters& p) {
    Module1::CSD = p.CSD;
    Module1::JCOUPLE = p.JCOUPLE;
    Module1::JCOUPLEAAPRIME = p.JCOUPLEAAPRIME;
    Module1::JCOUPLEXXPRIME = p.JCOUPLEXXPRIME;
    Module1::JCOUPLEAXPRIME = p.JCOUPLEAXPRIME;
    Module1::MHZ = p.MHZ;
}

inline void share(const engine::LineList& lines) {
    Module1::x = lines.x;
    Module1::y = lines.y;
    Module1::N = lines.N;
}

inline void share(const engine::PlotArea& area) {
    Module1::canvaswidth = area.canvaswidth;
    Module1::canvasheight = area.canvasheight;
    Module1::pf = area.pf;
    Module1::MHZ = area.MHZ;
    Module1::SPECWIDTH = area.SPECWIDTH;
    Module1::s = area.s;
}

}  // namespace korva::test
