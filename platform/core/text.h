#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Number texts, independent of the user's locale.
namespace platform {

// The double that a text denotes: leading blanks, an optional sign, digits with an
// optional decimal point and an optional exponent; the longest numeric prefix counts.
// "inf", "infinity", "∞" and "nan" are read too, so that every text Str gives reads back.
// A text without a number gives 0. Never fails.
double Val(std::string_view text);

// The shortest text that reads back to the same float.
std::string Str(float value);
std::string Str(std::int64_t value);

// Formats a value by the pattern "##": a whole number without decimals, halves rounded
// away from zero; "∞", "-∞" and "NaN" for the values that are not numbers.
std::string Format(double value, std::string_view pattern);

namespace EndOfLine {
inline constexpr std::string_view Windows = "\r\n";
}

}  // namespace platform
