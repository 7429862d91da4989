#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/core/mathematics.h"

namespace {

using platform::Pow;
using platform::Single;
using platform::TruncateToInt64;

constexpr float kFloatMax = std::numeric_limits<float>::max();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

TEST(Single, RoundsToTheNearestFloatAndOverflowsToInfinity) {
    struct Case {
        double value;
        float single;
    };
    const Case cases[] = {
        {3.3, 3.3f},
        {0.1, 0.1f},
        {static_cast<double>(kFloatMax), kFloatMax},
        {0x1.fffffefffffffp127, kFloatMax},  // below half a step above the largest float
        {0x1.ffffffp127, kInf},              // half a step: ties to even, which is infinity
        {1e300, kInf},
        {-1e300, -kInf},
        {std::numeric_limits<double>::infinity(), kInf},
        {1e-50, 0.0f},
    };
    for (const Case& c : cases) EXPECT_EQ(Single(c.value), c.single) << c.value;
    EXPECT_TRUE(std::isnan(Single(std::nan(""))));
}

TEST(TruncateToInt64, TruncatesTowardZeroAndSaturates) {
    struct Case {
        double value;
        std::int64_t whole;
    };
    const Case cases[] = {{60.9, 60},
                          {-60.9, -60},
                          {0.99, 0},
                          {0x1p62, std::int64_t{1} << 62},
                          {0x1p63, kMax},
                          {1e19, kMax},
                          {-0x1p63, kMin},
                          {-1e19, kMin},
                          {std::numeric_limits<double>::infinity(), kMax},
                          {-std::numeric_limits<double>::infinity(), kMin},
                          {std::nan(""), 0}};
    for (const Case& c : cases) EXPECT_EQ(TruncateToInt64(c.value), c.whole) << c.value;
}

TEST(Pow, SquaresAreCorrectlyRoundedProducts) {
    for (double v : {180.0, 7.0, 183.63600158691406, 1e-160, 3.0000000000000004}) {
        EXPECT_EQ(Pow(v, 2), v * v) << v;
    }
    EXPECT_EQ(Pow(2.0, 10), 1024.0);
}

}  // namespace
