// The number texts on arbitrary bytes and on arbitrary bit patterns of doubles, floats and
// 64-bit integers: nothing may crash, Val may read only its own input, and every text that
// Str and Format give must read back to what they were given.
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "platform/core/mathematics.h"
#include "platform/core/text.h"

namespace {

void fail(const char* what, const std::string& text) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, text.c_str());
    std::abort();
}

bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

// Val of the first n bytes, in a heap block of exactly that size, so that the address
// sanitizer sees any read beyond them.
double valOfCopy(const std::uint8_t* data, std::size_t n) {
    auto copy = std::make_unique<char[]>(n);
    if (n) std::memcpy(copy.get(), data, n);
    return platform::Val(std::string_view(copy.get(), n));
}

void checkFormat(double value) {
    const std::string text = platform::Format(value, "##");
    if (text.empty()) fail("Format gave no text", text);
    // The whole number nearest the value, halves away from zero, written out exactly.
    if (!sameValue(platform::Val(text), std::round(value))) fail("Format does not read back", text);
}

void checkStr(float value) {
    const std::string text = platform::Str(value);
    if (text.empty()) fail("Str gave no text", text);
    const float back = platform::Single(platform::Val(text));
    const bool same = std::isnan(value) ? std::isnan(back)
                                        : std::bit_cast<std::uint32_t>(back) ==
                                              std::bit_cast<std::uint32_t>(value);
    if (!same) fail("Str does not read back", text);
}

void checkStr(std::int64_t value) {
    const std::string text = platform::Str(value);
    if (text.empty()) fail("Str gave no text", text);
    // Every integer up to 2^53 is a double.
    constexpr std::int64_t kExact = std::int64_t{1} << 53;
    if (value >= -kExact && value <= kExact && platform::Val(text) != static_cast<double>(value)) {
        fail("Str does not read back", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const double value = valOfCopy(data, size);
    // A view that ends inside a longer buffer gives what a copy of its bytes gives.
    const std::size_t cut = size ? data[0] % (size + 1) : 0;
    const std::string_view whole(reinterpret_cast<const char*>(data), size);
    if (!sameValue(platform::Val(whole.substr(0, cut)), valOfCopy(data, cut))) {
        fail("Val reads past its input", std::string(whole.substr(0, cut)));
    }

    checkFormat(value);
    checkStr(platform::Single(value));

    // The leading bytes as the bits of a double, a float and an integer.
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    checkFormat(std::bit_cast<double>(bits));
    checkStr(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    checkStr(std::bit_cast<std::int64_t>(bits));
    return 0;
}
