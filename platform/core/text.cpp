#include "platform/core/text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <system_error>

#include "platform/core/mathematics.h"

namespace platform {
namespace {

constexpr std::string_view kInfinity = "\xE2\x88\x9E";  // U+221E

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWithNoCase(std::string_view text, std::string_view word) {
    if (text.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

// from_chars reports a magnitude beyond the double range without a value: decide from
// the decimal exponent of the first significant digit whether it overflowed.
bool overflows(std::string_view number) {
    std::size_t i = 0;
    long long leading = 0;  // decimal exponent of the first significant digit
    bool found = false;
    long long integerDigits = 0;
    while (i < number.size() && isDigit(number[i])) {
        if (!found && number[i] != '0') {
            found = true;
            leading = -integerDigits;
        }
        ++integerDigits;
        ++i;
    }
    if (found) leading += integerDigits - 1;
    if (i < number.size() && number[i] == '.') {
        ++i;
        long long position = 0;
        while (i < number.size() && isDigit(number[i])) {
            ++position;
            if (!found && number[i] != '0') {
                found = true;
                leading = -position;
            }
            ++i;
        }
    }
    long long exponent = 0;
    if (i < number.size()) {  // the exponent, already known to be well formed
        ++i;
        bool negative = false;
        if (number[i] == '+' || number[i] == '-') negative = number[i++] == '-';
        for (; i < number.size(); ++i) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (number[i] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return leading + exponent >= 0;
}

bool readsBack(const std::string& text, float value) {
    return std::bit_cast<std::uint32_t>(Single(Val(text))) == std::bit_cast<std::uint32_t>(value);
}

std::string nonFinite(double value) {
    if (std::isnan(value)) return "NaN";
    std::string text = value < 0 ? "-" : "";
    return text.append(kInfinity);
}

}  // namespace

double Val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::string_view rest = text.substr(i);
    if (startsWithNoCase(rest, "inf") || rest.starts_with(kInfinity)) {
        double inf = std::numeric_limits<double>::infinity();
        return negative ? -inf : inf;
    }
    if (startsWithNoCase(rest, "nan")) return std::numeric_limits<double>::quiet_NaN();

    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) ++j;
            i = j;
        }
    }

    std::string_view number = text.substr(start, i - start);
    double value = 0.0;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        value = overflows(number) ? std::numeric_limits<double>::infinity() : 0.0;
    }
    (void)end;
    return negative ? -value : value;
}

std::string Str(float value) {
    if (!std::isfinite(value)) return nonFinite(value);
    std::array<char, 64> buffer{};
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    std::string text(buffer.data(), result.ptr);
    // Texts are read back as doubles and then rounded to floats. The double nearest the
    // shortest text can be the very midpoint between the float and a neighbour, and the tie
    // may go to the neighbour: then more digits; 17 give the float's own double.
    for (int digits = 9; digits <= 17 && !readsBack(text, value); ++digits) {
        result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                               static_cast<double>(value), std::chars_format::general, digits);
        text.assign(buffer.data(), result.ptr);
    }
    return text;
}

std::string Str(std::int64_t value) { return std::to_string(value); }

std::string Format(double value, std::string_view pattern) {
    if (pattern.empty() || pattern.find_first_not_of('#') != std::string_view::npos) {
        throw std::invalid_argument("Format supports digit patterns of '#' only");
    }
    if (!std::isfinite(value)) return nonFinite(value);
    double whole = std::round(value);
    if (whole == 0.0) return "0";
    std::array<char, 512> buffer{};  // the largest double has 309 digits
    auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), whole,
                                std::chars_format::fixed, 0);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace platform
