#pragma once

#include <cmath>

// The mathematics services, on doubles.
namespace platform {

inline double Sqrt(double v) { return std::sqrt(v); }
inline double Exp(double v) { return std::exp(v); }
inline double Abs(double v) { return std::fabs(v); }

// Squares are exact products, correctly rounded, whatever the C library's pow does.
inline double Pow(double base, double exponent) {
    return exponent == 2.0 ? base * base : std::pow(base, exponent);
}

// Half-way cases round away from zero.
inline double Round(double v) { return std::round(v); }

inline double Min(double a, double b) { return b < a ? b : a; }
inline double Max(double a, double b) { return b > a ? b : a; }

}  // namespace platform
