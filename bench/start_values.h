#pragma once

#include "engine/module1.h"

namespace korva::bench {

// The shared state the program starts with: parameters, line width 0 and an 800 by 600
// plot on screen.
inline void startValues() {
    Module1::CSD = 3.0f;
    Module1::JCOUPLE = 7.0f;
    Module1::JCOUPLEAAPRIME = 13.0f;
    Module1::JCOUPLEXXPRIME = 13.0f;
    Module1::JCOUPLEAXPRIME = 12.0f;
    Module1::MHZ = 60;
    Module1::SPECWIDTH = 8.0f;
    Module1::s = 0.0f;
    Module1::pf = 1;
    Module1::canvaswidth = 800;
    Module1::canvasheight = 600;
}

}  // namespace korva::bench
