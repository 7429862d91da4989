#pragma once

#include <cstdint>

namespace platform {

// A colour as &hRRGGBB.
struct Color {
    constexpr Color(std::uint32_t value = 0) : rgb(value & 0xFFFFFFu) {}
    constexpr bool operator==(const Color&) const = default;

    // True when the desktop runs in dark mode (its window background darker than its text).
    static bool IsDarkMode();

    std::uint32_t rgb;
};

}  // namespace platform
