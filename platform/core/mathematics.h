#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

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

// The nearest 32-bit float, as IEEE rounding gives it: beyond the float range the
// infinity of the value's sign (a plain cast would be undefined there).
inline float Single(double v) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::fabs(v) >= 0x1.ffffffp127) return v > 0 ? kInfinity : -kInfinity;
    return static_cast<float>(v);
}

// Truncated toward zero to a 64-bit integer; beyond its range the nearest end of the
// range, and 0 for a value that is not a number.
inline std::int64_t TruncateToInt64(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 0x1p63) return std::numeric_limits<std::int64_t>::max();
    if (v < -0x1p63) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

}  // namespace platform
