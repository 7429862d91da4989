#pragma once

#include <cstdint>

namespace platform {

// A colour as &hRRGGBB.
struct Color {
    constexpr Color(std::uint32_t value = 0) : rgb(value & 0xFFFFFFu) {}
    constexpr bool operator==(const Color&) const = default;

    std::uint32_t rgb;
};

}  // namespace platform
