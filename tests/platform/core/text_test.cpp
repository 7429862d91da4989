#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/core/text.h"

namespace {

using platform::Format;
using platform::Str;
using platform::Val;

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ValCase {
    std::string text;
    double value;
};

TEST(Val, ReadsTheLongestNumericPrefix) {
    const ValCase cases[] = {
        {"3.5", 3.5},
        {"  -60.9", -60.9},
        {"\t+7", 7},
        {"1e3", 1000},
        {"2.5E-2", 0.025},
        {".5", 0.5},
        {"5.", 5},
        {"-.25", -0.25},
        {"3,5", 3},
        {"12abc", 12},
        {"1e", 1},
        {"1e+", 1},
        {"7 Hz", 7},
        {"1.2.3", 1.2},
        {"0x1A", 0},
        {"1e400", kInf},
        {"-1e400", -kInf},
        {"1e-400", 0},
        {"0.000e999999999999999999", 0},
        {"1" + std::string(400, '0'), kInf},
        {"0." + std::string(400, '0') + "1e400", 1e-1},
        {"inf", kInf},
        {"-Infinity", -kInf},
        {"\xE2\x88\x9E", kInf},
        {"-\xE2\x88\x9E", -kInf},
    };
    for (const ValCase& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
}

TEST(Val, TextWithoutANumberGivesZero) {
    for (const char* text : {"", " ", "-", "+", ".", "-.", "e5", "abc", "--5", "+-5", "\xFF\xFE"}) {
        EXPECT_EQ(Val(text), 0.0) << '"' << text << '"';
    }
    EXPECT_TRUE(std::isnan(Val("nan")));
}

TEST(Val, StopsAtTheEndOfItsInput) {
    // The view ends inside a longer buffer: what follows it must not be read.
    const std::string buffer = "12345";
    EXPECT_EQ(Val(std::string_view(buffer.data(), 2)), 12.0);
    const std::string exponent = "1e55";
    EXPECT_EQ(Val(std::string_view(exponent.data(), 2)), 1.0);
}

TEST(Str, FloatsReadBackExactly) {
    const float values[] = {3.0f,
                            7.0f,
                            60.0f,
                            0.1f,
                            3.3f,
                            -2.5f,
                            1e-6f,
                            1e20f,
                            -0.0f,
                            std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::denorm_min(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    for (float v : values) {
        EXPECT_EQ(static_cast<float>(Val(Str(v))), v) << Str(v);
        EXPECT_EQ(std::signbit(static_cast<float>(Val(Str(v)))), std::signbit(v)) << Str(v);
    }
    EXPECT_TRUE(std::isnan(Val(Str(std::numeric_limits<float>::quiet_NaN()))));
}

// Texts are read back as doubles and then rounded to floats. The shortest text of these
// floats, ±7.038531e-26, lies so near the midpoint to their neighbour away from zero that
// its double rounds there; found by reading back every finite float.
TEST(Str, FloatsReadBackThroughADouble) {
    for (std::uint32_t bits : {0x15ae43fdu, 0x95ae43fdu}) {
        const float v = std::bit_cast<float>(bits);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(Val(Str(v)))), bits) << Str(v);
    }
}

TEST(Str, GivesPlainTexts) {
    EXPECT_EQ(Str(3.0f), "3");
    EXPECT_EQ(Str(13.0f), "13");
    EXPECT_EQ(Str(3.3f), "3.3");
    EXPECT_EQ(Str(-0.25f), "-0.25");
    EXPECT_EQ(Str(std::int64_t{60}), "60");
    EXPECT_EQ(Str(std::int64_t{-60}), "-60");
    EXPECT_EQ(Str(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
}

TEST(Format, WholeNumbersWithHalvesAwayFromZero) {
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {180.0 / 7.0, "26"},
        {1.01, "1"},
        {8.01, "8"},
        {2.5, "3"},
        {-2.5, "-3"},
        {0.49, "0"},
        {-0.4, "0"},
        {-0.0, "0"},
        {1e15, "1000000000000000"},
        {-123.6, "-124"},
        {kInf, "\xE2\x88\x9E"},
        {-kInf, "-\xE2\x88\x9E"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.value, "##"), c.text) << c.value;
    EXPECT_EQ(Format(std::numeric_limits<double>::max(), "##").size(), 309u);
}

// A German locale writes and reads a decimal comma: the number texts keep the point.
TEST(NumberTexts, DoNotDependOnTheLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8"))
        << "the German locale de_DE.UTF-8 is not installed (scripts/setup generates it)";
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(Val("3.5"), 3.5);
    EXPECT_EQ(Val("3,5"), 3.0);
    EXPECT_EQ(Str(3.5f), "3.5");
    EXPECT_EQ(Format(1234567.0, "##"), "1234567");
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
