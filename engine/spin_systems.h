#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Closed-form line lists of the AB, AB2 (ABB) and AA'XX' spin systems, as plain functions
// of the parameters. The fields are named as the shared state names them.
namespace engine {

// The shift difference in ppm, the couplings in Hz and the spectrometer frequency in MHz.
struct SpinParameters {
    float CSD = 0.0f;
    float JCOUPLE = 0.0f;         // J(AB) in AB and ABB; J(AX) = J(A'X') in AA'XX'
    float JCOUPLEAAPRIME = 0.0f;  // J(AA')
    float JCOUPLEXXPRIME = 0.0f;  // J(XX')
    float JCOUPLEAXPRIME = 0.0f;  // J(AX') = J(A'X)
    std::int64_t MHZ = 0;
};

// Positions in Hz and relative intensities; elements 1 to N are in use, the others 0.
inline constexpr std::size_t kLineSlots = 21;
struct LineList {
    std::array<float, kLineSlots> x{};
    std::array<float, kLineSlots> y{};
    std::int64_t N = 0;
};

// The shift difference in Hz, CSD x MHZ in double, never rounded.
double deltaNu(const SpinParameters& p);
// The shift difference in Hz over the coupling J(AB), in double.
double ratio(const SpinParameters& p);

LineList linesAB(const SpinParameters& p);
LineList linesABB(const SpinParameters& p);
LineList linesAAXX(const SpinParameters& p);

}  // namespace engine
