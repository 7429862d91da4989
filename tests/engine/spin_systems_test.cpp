#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/module1.h"
#include "engine/spin_systems.h"
#include "tests/engine/exact_spectrum.h"
#include "tests/support/shared_state.h"

namespace {

using korva::test::exactSpectrum;
using korva::test::mergedLines;
using korva::test::Transition;

enum class System { AB, ABB, AAXX };

struct Parameters {
    float csd;
    std::int64_t mhz;
    float j;
    float jaa = 0, jxx = 0, jax = 0;
};

engine::SpinParameters spin(const Parameters& p) {
    return {.CSD = p.csd,
            .JCOUPLE = p.j,
            .JCOUPLEAAPRIME = p.jaa,
            .JCOUPLEXXPRIME = p.jxx,
            .JCOUPLEAXPRIME = p.jax,
            .MHZ = p.mhz};
}

engine::LineList compute(System system, const Parameters& p) {
    switch (system) {
        case System::AB:
            return engine::linesAB(spin(p));
        case System::ABB:
            return engine::linesABB(spin(p));
        case System::AAXX:
            return engine::linesAAXX(spin(p));
    }
    return {};
}

// Elements 1 to N.
std::vector<float> lineValues(const std::array<float, engine::kLineSlots>& list, std::int64_t n) {
    return {list.begin() + 1, list.begin() + 1 + n};
}

float total(const std::array<float, engine::kLineSlots>& list, std::int64_t n) {
    auto values = lineValues(list, n);
    return std::accumulate(values.begin(), values.end(), 0.0f);
}

// Worked cases, given to three decimals.
struct WorkedCase {
    std::string name;
    System system;
    Parameters parameters;
    std::vector<double> x;  // lines 1 onwards
    std::vector<double> y;
};

void PrintTo(const WorkedCase& c, std::ostream* os) { *os << c.name; }

class WorkedCases : public testing::TestWithParam<WorkedCase> {};

TEST_P(WorkedCases, MatchToThreeDecimals) {
    const WorkedCase& c = GetParam();
    const engine::LineList lines = compute(c.system, c.parameters);
    ASSERT_GE(lines.N, static_cast<std::int64_t>(c.x.size()));
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        EXPECT_NEAR(lines.x[i + 1], c.x[i], 0.0005) << "x(" << i + 1 << ")";
        EXPECT_NEAR(lines.y[i + 1], c.y[i], 0.0005) << "y(" << i + 1 << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineComputations, WorkedCases,
    testing::Values(
        WorkedCase{"AB_StartValues",
                   System::AB,
                   {3.0f, 60, 7.0f},
                   {183.636, 176.636, 3.5, -3.5},
                   {0.961, 1.039, 1.039, 0.961}},
        WorkedCase{
            "AB_NoShift", System::AB, {0.0f, 60, 7.0f}, {10.5, 3.5, 3.5, -3.5}, {0, 2, 2, 0}},
        WorkedCase{"ABB_StartValues",
                   System::ABB,
                   {3.0f, 60, 7.0f},
                   {187.272, 180.411, 180.139, 173.277, 3.633, 3.505, -3.356, -3.5},
                   {0.925, 0.995, 1, 1.080, 2.080, 2.075, 1.925, 1.920}},
        WorkedCase{"ABB_SmallShift",
                   System::ABB,
                   {0.5f, 40, 7.0f},
                   {29.371, 23.742, 21.371, 15.742, 4.5, 3.871, -1.758, -3.5},
                   {0.490, 0.713, 1, 1.799, 2.797, 2.510, 1.488, 1.201}},
        WorkedCase{"ABB_NoShift",
                   System::ABB,
                   {0.0f, 60, 7.0f},
                   {17.5, 17.5, 7, 7, 7, 7, 7, -3.5, -3.5},
                   {0, 0, 1, 3, 4, 3, 1, 0, 0}},
        WorkedCase{"AAXX_StartValues",
                   System::AAXX,
                   {3.0f, 60, 7.0f, 13.0f, 13.0f, 12.0f},
                   {189.5, 170.5, 206.238, 180.238, 179.762, 153.762, 182.5, 182.5, 177.5, 177.5,
                    9.5,   -9.5,  26.238,  0.238,   -0.238,  -26.238, 2.5,   2.5,   -2.5,  -2.5},
                   {4, 4, 0.018, 1.982, 1.982, 0.018, 1, 1, 1, 1,
                    4, 4, 0.018, 1.982, 1.982, 0.018, 1, 1, 1, 1}},
        // J = J' and Jaa = -Jxx: E vanishes and is replaced, so lines 3 to 6 get intensity 1.
        WorkedCase{"AAXX_VanishingE",
                   System::AAXX,
                   {3.0f, 60, 7.0f, 13.0f, -13.0f, 7.0f},
                   {187, 173, 180, 180, 180, 180},
                   {4, 4, 1, 1, 1, 1}}),
    [](const testing::TestParamInfo<WorkedCase>& info) { return info.param.name; });

// Exact float bits, computed independently by tests/reference/line_lists.py.
struct BitCase {
    std::string name;
    System system;
    Parameters parameters;
    std::vector<std::uint32_t> x;
    std::vector<std::uint32_t> y;
};

void PrintTo(const BitCase& c, std::ostream* os) { *os << c.name; }

class ExactBits : public testing::TestWithParam<BitCase> {};

TEST_P(ExactBits, EveryStoredValueIsBitExact) {
    const BitCase& c = GetParam();
    const engine::LineList lines = compute(c.system, c.parameters);
    ASSERT_EQ(lines.N, static_cast<std::int64_t>(c.x.size()));
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        EXPECT_EQ(std::bit_cast<std::uint32_t>(lines.x[i + 1]), c.x[i]) << "x(" << i + 1 << ")";
        EXPECT_EQ(std::bit_cast<std::uint32_t>(lines.y[i + 1]), c.y[i]) << "y(" << i + 1 << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineComputations, ExactBits,
    testing::Values(
        BitCase{"AB_StartValues",
                System::AB,
                {3.0f, 60, 7.0f},
                {0x4337A2D5, 0x4330A2D5, 0x40600000, 0xC0600000},
                {0x3F760D4E, 0x3F84F959, 0x3F84F959, 0x3F760D4E}},
        BitCase{"AB_NegativeCoupling",
                System::AB,
                {3.3f, 400, -12.5f},
                {0x44A439E5, 0x44A5C9E5, 0xC0C80000, 0x40C80000},
                {0x3F81364A, 0x3F7D936C, 0x3F7D936C, 0x3F81364A}},
        // Strong coupling: D's rounding to a float shows in x(2) and every intensity.
        BitCase{"AB_StrongCoupling",
                System::AB,
                {0.05f, 100, 9.0f},
                {0x416CBAE7, 0x40B975CE, 0x40900000, 0xC0900000},
                {0x3E00DCEC, 0x3FEFE462, 0x3FEFE462, 0x3E00DCEC}},
        BitCase{"ABB_StartValues",
                System::ABB,
                {3.0f, 60, 7.0f},
                {0x433B45AA, 0x4334692C, 0x43342382, 0x432D4704, 0x40688A00, 0x40605680, 0xC056C900,
                 0xC0600000, 0xC3342228},
                {0x3F6CAED2, 0x3F7ED7A2, 0x3F800000, 0x3F8A3CCB, 0x40051E63, 0x4004D44C, 0x3FF65764,
                 0x3FF5C335, 0x3518734D}},
        BitCase{"ABB_UpfieldA",
                System::ABB,
                {-1.0f, 60, 7.0f},
                {0x4287A0B2, 0x42F9650E, 0x40788B70, 0x4273116E, 0x4271B8AE, 0x41274024, 0x4286AC60,
                 0xC0600000, 0x40447520},
                {0x3FDFCC78, 0x3836CD69, 0x3F800000, 0x400D8F57, 0x4010190D, 0x3FA03388, 0x3FE4DFE5,
                 0x3F49C2A5, 0x3F75D927}},
        BitCase{"ABB_StrongCoupling",
                System::ABB,
                {0.1f, 90, 7.7f},
                {0x41B12843, 0x418F2403, 0x41472AB2, 0x41032232, 0x40BB1871, 0x40A9A357, 0x3F86495C,
                 0xC0766666, 0xC12FF2A2},
                {0x3E5125C7, 0x3E7A1B67, 0x3F800000, 0x402423C0, 0x40634BED, 0x4032EDA4, 0x3F987513,
                 0x3EDEE1FF, 0x3C57D2ED}},
        // The rounded Cp cancels the shift difference: Qp's denominator is formed anew.
        BitCase{"ABB_CancellingDenominator",
                System::ABB,
                {-8.0f, 400, -0.625f},
                {0x4547F600, 0x45C7FD80, 0xBE9FF000, 0x45480000, 0x45480000, 0xBF6FF800, 0x4547F600,
                 0x3EA00000, 0xBEA00000},
                {0x40000666, 0x3323CED8, 0x3F800000, 0x3FFFE666, 0x3FFFF333, 0x3F7FE667, 0x40000CCD,
                 0x3F80199A, 0x3F7FE665}},
        BitCase{"AAXX_StartValues",
                System::AAXX,
                {3.0f, 60, 7.0f, 13.0f, 13.0f, 12.0f},
                {0x433D8000, 0x432A8000, 0x434E3CFB, 0x43343CFB, 0x4333C305, 0x4319C305, 0x43368000,
                 0x43368000, 0x43318000, 0x43318000, 0x41180000, 0xC1180000, 0x41D1E7D6, 0x3E73EB40,
                 0xBE73EB40, 0xC1D1E7D6, 0x40200000, 0x40200000, 0xC0200000, 0xC0200000},
                {0x40800000, 0x40800000, 0x3C93672F, 0x3FFDB263, 0x3FFDB263, 0x3C93672F, 0x3F800000,
                 0x3F800000, 0x3F800000, 0x3F800000, 0x40800000, 0x40800000, 0x3C93672F, 0x3FFDB263,
                 0x3FFDB263, 0x3C93672F, 0x3F800000, 0x3F800000, 0x3F800000, 0x3F800000}},
        BitCase{"AAXX_MixedSigns",
                System::AAXX,
                {1.7f, 250, 8.1f, -9.3f, 2.2f, 0.4f},
                {0x43D6A000, 0x43D26000, 0x43D557EC, 0x43D8E4B9, 0x43D01B48, 0x43D3A814, 0x43D515C0,
                 0x43DAD5C0, 0x43CE2A41, 0x43D3EA41, 0x40880000, 0xC0880000, 0x3FD7EBF4, 0x410C9718,
                 0xC10C9718, 0xBFD7EBF4, 0x3F95BF40, 0x414AB7E8, 0xC14AB7E8, 0xBF95BF40},
                {0x40800000, 0x40800000, 0x3FD6C4E3, 0x3EA4EC75, 0x3EA4EC75, 0x3FD6C4E3, 0x3FEA5C25,
                 0x3E2D1EDB, 0x3E2D1EDB, 0x3FEA5C25, 0x40800000, 0x40800000, 0x3FD6C4E3, 0x3EA4EC75,
                 0x3EA4EC75, 0x3FD6C4E3, 0x3FEA5C25, 0x3E2D1EDB, 0x3E2D1EDB, 0x3FEA5C25}}),
    [](const testing::TestParamInfo<BitCase>& info) { return info.param.name; });

// The closed forms against the exact quantum-mechanical spectrum of the same spins.
struct PhysicsCase {
    std::string name;
    System system;
    Parameters parameters;
};

std::vector<Transition> exactFor(System system, const Parameters& p) {
    const double dv = static_cast<double>(p.csd) * static_cast<double>(p.mhz);
    if (system == System::AB) return exactSpectrum({dv, 0}, {{0, p.j}, {0, 0}});
    // A, then the two equivalent B spins; their mutual coupling leaves the spectrum alone.
    if (system == System::ABB) {
        return exactSpectrum({dv, 0, 0}, {{0, p.j, p.j}, {0, 0, -13.0}, {0, 0, 0}});
    }
    // A, A', X, X'.
    return exactSpectrum(
        {dv, dv, 0, 0},
        {{0, p.jaa, p.j, p.jax}, {0, 0, p.jax, p.j}, {0, 0, 0, p.jxx}, {0, 0, 0, 0}});
}

void PrintTo(const PhysicsCase& c, std::ostream* os) { *os << c.name; }

class ExactSpectrum : public testing::TestWithParam<PhysicsCase> {};

TEST_P(ExactSpectrum, SameLinesAndIntensitiesUpToAConstantShift) {
    const PhysicsCase& c = GetParam();
    const engine::LineList lines = compute(c.system, c.parameters);
    std::vector<Transition> computed;
    for (std::int64_t i = 1; i <= lines.N; ++i) {
        EXPECT_TRUE(std::isfinite(lines.x[i]) && std::isfinite(lines.y[i])) << "line " << i;
        computed.push_back({lines.x[i], lines.y[i]});
    }
    // The shift difference of the AA'XX' case is large, as its closed forms assume.
    const double tolerance = c.system == System::AAXX ? 0.02 : 0.002;
    const auto expected = mergedLines(exactFor(c.system, c.parameters), tolerance, 1e-4);
    const auto actual = mergedLines(computed, tolerance, 1e-4);
    ASSERT_EQ(actual.size(), expected.size());
    const double shift = actual[0].frequency - expected[0].frequency;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].frequency - shift, expected[i].frequency, tolerance) << i;
        EXPECT_NEAR(actual[i].intensity, expected[i].intensity, 1e-3) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    LineComputations, ExactSpectrum,
    testing::Values(
        PhysicsCase{"AB_StartValues", System::AB, {3.0f, 60, 7.0f}},
        PhysicsCase{"AB_StrongCoupling", System::AB, {0.05f, 100, 9.0f}},
        PhysicsCase{"AB_NegativeCoupling", System::AB, {1.0f, 60, -7.0f}},
        PhysicsCase{"AB_UpfieldA", System::AB, {-0.2f, 60, 7.0f}},
        PhysicsCase{"ABB_StartValues", System::ABB, {3.0f, 60, 7.0f}},
        PhysicsCase{"ABB_StrongCoupling", System::ABB, {0.1f, 90, 7.7f}},
        PhysicsCase{"ABB_UpfieldA", System::ABB, {-1.0f, 60, 7.0f}},
        PhysicsCase{"ABB_UpfieldAStrong", System::ABB, {-0.15f, 60, 8.0f}},
        // A far upfield with a small coupling: the rounded square roots cancel
        // the shift difference in Qm's denominator, Qp's, or both.
        PhysicsCase{"ABB_CancellingQm", System::ABB, {-8.0f, 400, 0.625f}},
        PhysicsCase{"ABB_CancellingQp", System::ABB, {-8.0f, 400, -0.625f}},
        PhysicsCase{"ABB_CancellingBoth", System::ABB, {-1.0f, 600, 0.125f}},
        PhysicsCase{"ABB_CancellingBothNegativeJ", System::ABB, {-1.0f, 600, -0.125f}},
        PhysicsCase{"ABB_CancellingBothWide", System::ABB, {-10.0f, 600, 0.5f}},
        PhysicsCase{"AAXX_Typical", System::AAXX, {1000.0f, 100, 7.0f, 13.0f, 11.0f, 2.0f}},
        PhysicsCase{"AAXX_MixedSigns", System::AAXX, {1000.0f, 100, 8.1f, -9.3f, 2.2f, 0.4f}},
        // J(AX') = J(AX) and J(AA') = J(XX'): F vanishes, and lines 7 to 10 and 17 to 20 keep
        // their intensity only through the guard.
        PhysicsCase{"AAXX_VanishingF", System::AAXX, {1000.0f, 100, 7.0f, 13.0f, 13.0f, 7.0f}}),
    [](const testing::TestParamInfo<PhysicsCase>& info) { return info.param.name; });

TEST(ABB, LineEightEndsAtMinusHalfJAndTheIntensitiesAddUpToTwelve) {
    const Parameters cases[] = {{3.0f, 60, 7.0f},    {-1.0f, 60, 7.0f}, {0.013f, 300, -4.4f},
                                {12.0f, 900, 17.3f}, {0.0f, 40, 0.5f},  {-7.5f, 80, 0.0f}};
    for (const Parameters& p : cases) {
        const engine::LineList lines = compute(System::ABB, p);
        EXPECT_EQ(lines.N, 9);
        EXPECT_EQ(lines.x[8], -p.j / 2) << p.csd << " " << p.j;
        EXPECT_NEAR(total(lines.y, lines.N), 12.0f, 1e-4) << p.csd << " " << p.j;
    }
}

TEST(LineComputations, UncoupledLimitsHaveDefinedIntensities) {
    // AB with no shift and no coupling (D = 0), AB2 with no coupling and A at or upfield of B.
    const engine::LineList ab = compute(System::AB, {0.0f, 60, 0.0f});
    EXPECT_EQ(lineValues(ab.y, ab.N), (std::vector<float>{1, 1, 1, 1}));
    for (float csd : {0.0f, -2.0f}) {
        const engine::LineList abb = compute(System::ABB, {csd, 60, 0.0f});
        for (float v : lineValues(abb.y, abb.N)) EXPECT_TRUE(std::isfinite(v)) << csd;
        EXPECT_FLOAT_EQ(total(abb.y, abb.N), 12.0f) << csd;
    }
}

// The shift difference and the ratio widen the float parameters before any arithmetic.
// The float 0.1 is 13421773 / 2^27 and 3.3 is 13841203 / 2^22, so each quotient below is
// of two doubles that hold the exact values, rounded once.
TEST(ShiftToCouplingRatio, FromTheWidenedParameters) {
    struct Case {
        Parameters parameters;
        double deltaNu, ratio;
    };
    const Case cases[] = {
        {{3.0f, 60, 7.0f}, 180.0, 180.0 / 7.0},
        {{0.1f, 60, 7.0f}, 805306380.0 / 0x1p27, 805306380.0 / (7.0 * 0x1p27)},
        {{3.0f, 60, 3.3f}, 180.0, 754974720.0 / 13841203.0},
        {{-2.0f, 400, 0.0f}, -800.0, -std::numeric_limits<double>::infinity()},
    };
    for (const Case& c : cases) {
        const engine::SpinParameters p = spin(c.parameters);
        EXPECT_EQ(engine::deltaNu(p), c.deltaNu) << c.parameters.csd << " " << c.parameters.j;
        EXPECT_EQ(engine::ratio(p), c.ratio) << c.parameters.csd << " " << c.parameters.j;
    }
    EXPECT_TRUE(std::isnan(engine::ratio(spin({0.0f, 60, 0.0f}))));
}

// The routines over the shared state store what the plain functions give, into elements 1
// to n, and leave element 0 and the elements above n as an earlier computation left them.
TEST(SharedState, EachRoutineStoresItsLinesAndLeavesTheOtherSlotsAlone) {
    const Parameters p = {1.7f, 250, 8.1f, -9.3f, 2.2f, 0.4f};
    const std::pair<void (*)(), System> routines[] = {
        {Module1::AB, System::AB}, {Module1::ABB, System::ABB}, {Module1::AAXX, System::AAXX}};
    for (const auto& [routine, system] : routines) {
        korva::test::share(spin(p));
        Module1::x.fill(-111.0f);
        Module1::y.fill(-222.0f);
        Module1::N = 0;
        routine();
        const engine::LineList lines = compute(system, p);
        ASSERT_EQ(Module1::N, lines.N);
        for (std::size_t i = 0; i < engine::kLineSlots; ++i) {
            const bool line = i >= 1 && i <= static_cast<std::size_t>(lines.N);
            EXPECT_EQ(std::bit_cast<std::uint32_t>(Module1::x[i]),
                      std::bit_cast<std::uint32_t>(line ? lines.x[i] : -111.0f))
                << lines.N << " lines, x(" << i << ")";
            EXPECT_EQ(std::bit_cast<std::uint32_t>(Module1::y[i]),
                      std::bit_cast<std::uint32_t>(line ? lines.y[i] : -222.0f))
                << lines.N << " lines, y(" << i << ")";
        }
    }
}

TEST(SharedState, RatioOfTheParametersAsTheyStand) {
    korva::test::share(spin({3.0f, 60, 3.3f, 13.0f, 13.0f, 12.0f}));
    EXPECT_EQ(Module1::ratio(), 754974720.0 / 13841203.0);
}

}  // namespace
