#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/module1.h"
#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "tests/support/message_recorder.h"
#include "tests/support/recording_graphics.h"
#include "tests/support/shared_state.h"

namespace {

using korva::test::MessageRecorder;
using korva::test::RecordingGraphics;

struct Line {
    float x, y;
};

// An 800 by 600 plot on screen at 60 MHz over 8 ppm, unbroadened.
constexpr engine::PlotArea kScreen = {
    .canvaswidth = 800, .canvasheight = 600, .pf = 1, .MHZ = 60, .SPECWIDTH = 8.0f, .s = 0.0f};

engine::LineList lineList(const std::vector<Line>& lines) {
    engine::LineList list;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        list.x[i + 1] = lines[i].x;
        list.y[i + 1] = lines[i].y;
    }
    list.N = static_cast<std::int64_t>(lines.size());
    return list;
}

class Renderer : public testing::Test {
  protected:
    void setLines(const std::vector<Line>& lines) { this->lines = lineList(lines); }

    // Offsets from the right edge become exact: offset = x + 120 on an 800 wide plot.
    void exactOffsets() {
        area.MHZ = 1;
        area.SPECWIDTH = 800.0f;
    }

    // Height of each inked column relative to the tallest, read back from the segments.
    static std::map<int, double> inkedColumns(const RecordingGraphics& g) {
        std::map<int, double> columns;
        for (const auto& l : g.lines) {
            if (l.y2 == l.y1) continue;
            const double height = (l.y1 - l.y2) / (0.9 * l.y1);
            columns[static_cast<int>(l.x1)] = std::round(height * 1e6) / 1e6;
        }
        return columns;
    }

    RecordingGraphics draw() const {
        RecordingGraphics g;
        engine::render(g, lines, area);
        return g;
    }

    engine::LineList lines;
    engine::PlotArea area = kScreen;
    MessageRecorder messages;
};

TEST_F(Renderer, ClearingPaintsWhiteAndSetsTextForTheScreen) {
    struct Case {
        std::int64_t w, h;
        float font;
    };
    for (const Case& c :
         {Case{800, 600, 24}, Case{64, 64, 3}, Case{850, 1000, 34}, Case{1, 1, 0}}) {
        area.canvaswidth = c.w;
        area.canvasheight = c.h;
        RecordingGraphics g;
        engine::clearPlot(g, area);
        ASSERT_EQ(g.fills.size(), 1u);
        EXPECT_EQ(g.fills[0].color, platform::Color(0xFFFFFF));
        EXPECT_EQ(g.fills[0].x, 0.0);
        EXPECT_EQ(g.fills[0].y, 0.0);
        EXPECT_EQ(g.fills[0].width, static_cast<double>(c.w));
        EXPECT_EQ(g.fills[0].height, static_cast<double>(c.h));
        EXPECT_EQ(g.color, platform::Color(0x010101));
        EXPECT_EQ(g.fontSize, c.font) << c.w << "x" << c.h;
    }
}

TEST_F(Renderer, PlacesLinesScalesToTheTallestAndLabelsThePpmAxis) {
    setLines({{0.0f, 1.0f}, {60.0f, 0.5f}});
    RecordingGraphics g = draw();

    EXPECT_EQ(g.calls.front(), "pen");
    ASSERT_EQ(g.lines.size(), 800u);
    for (std::size_t j = 0; j < g.lines.size(); ++j) {
        EXPECT_EQ(g.lines[j].x1, static_cast<double>(j + 1));
        EXPECT_EQ(g.lines[j].x2, g.lines[j].x1);
        EXPECT_EQ(g.lines[j].y1, 555.0);
        EXPECT_EQ(g.lines[j].pen, 1.0);
    }
    // 0 Hz lands in column 680 and reaches 10 % of the baseline from the top;
    // 60 Hz, one ppm, lands 100 columns further left.
    EXPECT_DOUBLE_EQ(g.column(680)->y2, 55.5);
    EXPECT_DOUBLE_EQ(g.column(580)->y2, 555.0 - 0.5 * 555.0 * 0.9);
    EXPECT_EQ(inkedColumns(g).size(), 2u);

    ASSERT_EQ(g.texts.size(), 9u);
    EXPECT_EQ(g.texts[0].text, "ppm");
    EXPECT_EQ(g.texts[0].x, 800.0 - 40.0);  // the width of "ppm " with its blank
    EXPECT_EQ(g.texts[0].y, 588.0);
    for (int label = 1; label <= 8; ++label) {
        const auto& t = g.texts[label];
        EXPECT_EQ(t.text, std::to_string(label));
        EXPECT_EQ(t.x, 679.0 - 100.0 * (label - 1));
        EXPECT_EQ(t.y, 588.0);
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(Renderer, AxisPositionsCarryTheTruncationOfEveryStep) {
    area.canvaswidth = 850;  // a step of 106.25 columns
    RecordingGraphics g = draw();
    std::vector<double> positions;
    for (std::size_t i = 1; i < g.texts.size(); ++i) positions.push_back(g.texts[i].x);
    // k = 1, 107, 213, 319, 425, 531, 637, 743, 849 at x = 850 - k - 120.
    EXPECT_EQ(positions, (std::vector<double>{729, 623, 517, 411, 305, 199, 93, -13, -119}));
}

TEST_F(Renderer, LinesCloserThanPfShareTheColumnOfThePreviousLineOnThePlot) {
    struct Case {
        const char* name;
        std::int64_t pf;
        std::vector<Line> lines;  // x + 120 is the offset
        std::map<int, double> columns;
    };
    const std::vector<Case> cases = {
        {"second joins first, third compared with the first",
         1,
         {{-20.0f, 1}, {-19.4f, 1}, {-18.8f, 1}},
         {{700, 1.0}, {698, 0.5}}},
        {"exactly pf apart keep their own columns",
         1,
         {{-20.0f, 1}, {-19.0f, 1}},
         {{700, 1.0}, {699, 1.0}}},
        {"previous in index order, not the nearest",
         1,
         {{-20.0f, 1}, {180.0f, 1}, {-19.5f, 1}},
         {{700, 1.0}, {500, 1.0}, {699, 1.0}}},
        {"the first line within pf of the edge moves to column W", 1, {{-119.5f, 1}}, {{800, 1.0}}},
        {"a line off the plot leaves the last offset",
         1,
         {{-20.0f, 1}, {-300.0f, 0}, {-19.5f, 1}},
         {{700, 1.0}}},
        {"a line without intensity still moves the last offset",
         1,
         {{-20.0f, 0}, {-19.5f, 1}, {-18.8f, 1}},
         {{700, 1.0}, {698, 1.0}}},
        // The margin is 120 pf: offsets 100, 102.5 and 103.5.
        {"a larger pf merges further",
         3,
         {{-260.0f, 1}, {-257.5f, 1}, {-256.5f, 1}},
         {{700, 1.0}, {696, 0.5}}},
    };
    for (const Case& c : cases) {
        area = kScreen;
        exactOffsets();
        area.pf = c.pf;
        setLines(c.lines);
        EXPECT_EQ(inkedColumns(draw()), c.columns) << c.name;
    }
}

TEST_F(Renderer, PlotEdgesAreStrict) {
    exactOffsets();
    // Offsets 0 and W are off the plot (and warned about); an offset in (W - 1, W) lands
    // in column 0, which is neither summed nor drawn.
    setLines({{-120.0f, 1.0f}});
    EXPECT_TRUE(inkedColumns(draw()).empty());
    setLines({{680.0f, 1.0f}});
    EXPECT_TRUE(inkedColumns(draw()).empty());
    EXPECT_EQ(messages.messages.size(), 2u);
    // Nor is it broadened into the columns beside it.
    setLines({{679.5f, 1.0f}});
    for (float width : {0.0f, 37.0f}) {
        area.s = width;
        EXPECT_TRUE(inkedColumns(draw()).empty()) << "line width " << width;
    }
    EXPECT_EQ(messages.messages.size(), 2u);
}

TEST_F(Renderer, WarnsOncePerDrawingBeforeAnythingIsDrawn) {
    std::vector<std::size_t> drawnWhenShown;
    RecordingGraphics g;
    messages.onShow = [&](const std::string&) {
        drawnWhenShown.push_back(g.lines.size() + g.texts.size());
    };

    setLines({{0.0f, 1.0f}, {5000.0f, 0.1f}, {-5000.0f, 2.0f}, {9000.0f, 1.0f}});
    engine::render(g, lines, area);
    engine::render(g, lines, area);
    ASSERT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(messages.messages[0], "Not all peaks fit on the screen. INCREASE WIDTH!");
    EXPECT_EQ(drawnWhenShown[0], 0u);

    // The float 0.1 lies just above the double 0.1; 0.05 is below the threshold.
    messages.messages.clear();
    setLines({{0.0f, 1.0f}, {5000.0f, 0.05f}, {-5000.0f, 0.0f}});
    draw();
    EXPECT_TRUE(messages.messages.empty());
    setLines({{5000.0f, 0.1f}});
    draw();
    EXPECT_EQ(messages.messages.size(), 1u);

    // A frequency of 0 puts every line off the plot.
    messages.messages.clear();
    area.MHZ = 0;
    setLines({{0.0f, 1.0f}, {10.0f, 1.0f}});
    EXPECT_TRUE(inkedColumns(draw()).empty());
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(Renderer, BroadeningSpreadsEachLineOverFortyPfPlusOneColumns) {
    exactOffsets();
    setLines({{280.0f, 1.0f}});  // offset 400: column 400
    area.s = 100.0f;
    for (std::int64_t pf : {1, 2}) {
        area.pf = pf;
        const auto columns = inkedColumns(draw());
        const int reach = static_cast<int>(20 * pf);
        const int centre = 400 - (pf == 2 ? 120 : 0);  // the margin is 120 pf
        ASSERT_EQ(columns.size(), static_cast<std::size_t>(2 * reach + 1)) << pf;
        EXPECT_EQ(columns.begin()->first, centre - reach);
        EXPECT_EQ(columns.rbegin()->first, centre + reach);
        EXPECT_DOUBLE_EQ(columns.at(centre), 1.0);
        // exp(-k^2 / s / pf), rounded to a float, relative to the peak.
        const double edge = std::exp(-static_cast<double>(reach * reach) / 100.0 / pf);
        EXPECT_NEAR(columns.at(centre + reach), edge, 1e-6);
        EXPECT_NEAR(columns.at(centre - reach), edge, 1e-6);
    }

    // s = 2: one column away a line adds exp(-1/2); twenty away exp(-200), nothing in a float.
    area.pf = 1;
    area.s = 2.0f;
    const auto narrow = inkedColumns(draw());
    EXPECT_NEAR(narrow.at(401), std::exp(-0.5), 1e-6);
    EXPECT_EQ(narrow.count(420), 0u);
}

// Broadened start-value spectra, every seventh inked column's top: exact doubles computed
// independently by tests/reference/renderer.py.
TEST_F(Renderer, BroadenedTopsAreBitExact) {
    struct Top {
        int column;
        double y;
    };
    // AB: 105 inked columns
    const std::vector<Top> ab = {
        {353, 0x1.157ed8d77a8bbp+9}, {360, 0x1.132ec5d2b2f53p+9}, {367, 0x1.823880357c2ccp+8},
        {374, 0x1.98dcfe0f64b5cp+6}, {381, 0x1.458b858a4ca44p+7}, {388, 0x1.5f6737b81b708p+7},
        {395, 0x1.0555098d38124p+9}, {402, 0x1.1566f835768fcp+9}, {657, 0x1.1566f835768fcp+9},
        {664, 0x1.0555098d38124p+9}, {671, 0x1.5cf9c0f5b7f44p+7}, {678, 0x1.eccfda5fc254cp+6},
        {685, 0x1.6941395c3a2f8p+6}, {692, 0x1.b4338cf7f694dp+8}, {699, 0x1.14620a8b7ce53p+9},
    };
    // AAXX: 256 inked columns
    const std::vector<Top> aaxx = {
        {316, 0x1.157fff0e35fafp+9}, {323, 0x1.157e1a098e371p+9}, {330, 0x1.153ae68064f42p+9},
        {337, 0x1.14ce0d263ab2fp+9}, {344, 0x1.155ec2610efcap+9}, {351, 0x1.13d9968a031a2p+9},
        {358, 0x1.b2ed9048df2f8p+8}, {365, 0x1.d37394a95b95ep+7}, {372, 0x1.1f4801bf2f389p+8},
        {379, 0x1.bbfffe3f79020p+5}, {386, 0x1.1f382bd688effp+8}, {393, 0x1.f5467060097dcp+7},
        {400, 0x1.89496c8b5b7c3p+8}, {407, 0x1.124272da700a9p+9}, {414, 0x1.15692b4b19a3ap+9},
        {421, 0x1.14dbe90326253p+9}, {428, 0x1.1522fa1fc09c2p+9}, {435, 0x1.157c44e87b1b7p+9},
        {442, 0x1.157ffd4a3e7d9p+9}, {621, 0x1.157f9505c4083p+9}, {628, 0x1.155f94576470dp+9},
        {635, 0x1.14ce0d263ab2fp+9}, {642, 0x1.153ae68064f42p+9}, {649, 0x1.152134ba2756cp+9},
        {656, 0x1.f2af55f814b4bp+8}, {663, 0x1.e4cc91cedae7ep+7}, {670, 0x1.3e2ce72d884ccp+8},
        {677, 0x1.521400d6f6894p+6}, {684, 0x1.9c929993587acp+7}, {691, 0x1.2c264b7e1c83fp+8},
        {698, 0x1.313a988cc6686p+8}, {705, 0x1.0adbf8f40296cp+9}, {712, 0x1.15689479da3dap+9},
        {719, 0x1.15095c49831cdp+9}, {726, 0x1.14f0a6c89fd5cp+9}, {733, 0x1.1573bf14792dcp+9},
        {740, 0x1.157fed0788f41p+9},
    };
    const engine::SpinParameters start = {.CSD = 3.0f,
                                          .JCOUPLE = 7.0f,
                                          .JCOUPLEAAPRIME = 13.0f,
                                          .JCOUPLEXXPRIME = 13.0f,
                                          .JCOUPLEAXPRIME = 12.0f,
                                          .MHZ = 60};
    const std::pair<engine::LineList, const std::vector<Top>*> systems[] = {
        {engine::linesAB(start), &ab}, {engine::linesAAXX(start), &aaxx}};
    area.s = 37.0f;
    for (const auto& [computed, expected] : systems) {
        lines = computed;
        RecordingGraphics g = draw();
        for (const Top& top : *expected) {
            ASSERT_NE(g.column(top.column), nullptr);
            EXPECT_EQ(g.column(top.column)->y2, top.y) << top.column;
        }
    }
}

TEST_F(Renderer, BroadeningNearTheEdgesStaysInsideThePlot) {
    exactOffsets();
    area.s = 100.0f;
    setLines({{-119.5f, 1.0f}, {679.0f, 1.0f}});  // columns 800 and 1
    const auto columns = inkedColumns(draw());
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(columns.begin()->first, 1);
    EXPECT_EQ(columns.rbegin()->first, 800);
}

TEST_F(Renderer, HeightsAreRelativeToTheTallestColumn) {
    const std::vector<Line> given = {{0.0f, 1.0f}, {3.0f, 0.3f}, {60.0f, 0.7f}, {61.0f, 0.2f}};
    area.s = 37.0f;
    setLines(given);
    const auto once = inkedColumns(draw());
    std::vector<Line> doubled = given;
    for (Line& l : doubled) l.y *= 2;
    setLines(doubled);
    const auto twice = inkedColumns(draw());
    ASSERT_EQ(once.size(), twice.size());
    for (const auto& [column, height] : once) EXPECT_NEAR(twice.at(column), height, 1e-6);
}

TEST_F(Renderer, NarrowAndNegativePlots) {
    area.canvaswidth = 0;
    setLines({{0.0f, 1.0f}});
    RecordingGraphics empty = draw();
    EXPECT_TRUE(empty.lines.empty());
    ASSERT_EQ(empty.texts.size(), 1u);
    EXPECT_EQ(empty.texts[0].x, -40.0);

    area = kScreen;
    area.SPECWIDTH = -8.0f;
    EXPECT_EQ(draw().texts.size(), 1u);  // "ppm" only
}

// Any lines and plot area whatsoever: the drawing finishes quickly and passes only finite
// values.
TEST_F(Renderer, AnyLinesAndPlotAreaGiveAFiniteBoundedDrawing) {
    constexpr float fInf = std::numeric_limits<float>::infinity();
    constexpr float fNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr std::int64_t iMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t iMin = std::numeric_limits<std::int64_t>::min();
    const std::vector<std::pair<const char*, std::function<void()>>> cases = {
        {"no lines", [&] { lines.N = 0; }},
        {"no intensity", [&] { lines.y.fill(0.0f); }},
        {"negative intensity", [&] { lines.y.fill(-1.0f); }},
        {"spectral width 0", [&] { area.SPECWIDTH = 0.0f; }},
        {"spectral width -0", [&] { area.SPECWIDTH = -0.0f; }},
        {"spectral width wider than the plot", [&] { area.SPECWIDTH = 1000.0f; }},
        {"spectral width huge", [&] { area.SPECWIDTH = 1e30f; }},
        {"spectral width tiny", [&] { area.SPECWIDTH = 1e-30f; }},
        {"spectral width infinite", [&] { area.SPECWIDTH = fInf; }},
        {"spectral width NaN", [&] { area.SPECWIDTH = fNaN; }},
        {"width 1", [&] { area.canvaswidth = 1; }},
        {"width 2", [&] { area.canvaswidth = 2; }},
        {"width negative", [&] { area.canvaswidth = -5; }},
        {"width negative, width negative", [&] { area.canvaswidth = -5, area.SPECWIDTH = -1e-3f; }},
        {"width beyond any surface", [&] { area.canvaswidth = std::int64_t{1} << 40; }},
        {"width largest", [&] { area.canvaswidth = iMax; }},
        {"width smallest", [&] { area.canvaswidth = iMin; }},
        {"height negative", [&] { area.canvasheight = -600; }},
        {"height largest", [&] { area.canvasheight = iMax; }},
        {"pf 0", [&] { area.pf = 0; }},
        {"pf negative", [&] { area.pf = -3; }},
        {"pf largest", [&] { area.pf = iMax; }},
        {"pf smallest", [&] { area.pf = iMin; }},
        // The margin -2^63 cancelled: x / MHZ rounds to 2^63 + 2048, a line in column 2048.
        {"pf smallest, a line on the plot",
         [&] {
             area.pf = iMin;
             area.canvaswidth = 4096;
             area.SPECWIDTH = 4096.0f;
             area.MHZ = (std::int64_t{1} << 52) - 1;
             lines.x[1] = 0x1p115f;
         }},
        {"width largest, a line at 0 Hz", [&] { area.canvaswidth = iMax, lines.x[1] = 0; }},
        {"line width NaN", [&] { area.s = fNaN; }},
        {"line width infinite", [&] { area.s = fInf; }},
        {"line width tiny", [&] { area.s = 1e-30f; }},
        {"line width negative", [&] { area.s = -5.0f; }},
        {"more lines than slots", [&] { lines.N = 1000; }},
        {"negative line count", [&] { lines.N = -5; }},
        {"positions NaN", [&] { lines.x.fill(fNaN); }},
        {"positions infinite", [&] { lines.x.fill(-fInf); }},
        {"intensities infinite", [&] { lines.y.fill(fInf); }},
        {"intensities NaN", [&] { lines.y.fill(fNaN); }},
        {"intensities huge", [&] { lines.y.fill(3e38f); }},
        {"frequency 0", [&] { area.MHZ = 0; }},
        {"frequency smallest", [&] { area.MHZ = iMin; }},
    };
    for (const auto& [name, mutate] : cases) {
        for (float width : {0.0f, 50.0f}) {
            area = kScreen;
            lines = {};
            for (std::size_t i = 1; i <= 20; ++i) {
                lines.x[i] = static_cast<float>(i) * 9.0f - 40.0f;
                lines.y[i] = static_cast<float>(i % 4);
            }
            lines.N = 20;
            area.s = width;
            mutate();
            const auto start = std::chrono::steady_clock::now();
            RecordingGraphics g = draw();
            const auto elapsed = std::chrono::steady_clock::now() - start;
            EXPECT_TRUE(g.finite) << name;
            // Milliseconds as a rule, and seconds under load: a drawing still running after
            // 20 s loops over what it should have clamped.
            EXPECT_LT(elapsed, std::chrono::seconds(20)) << name;
            const std::int64_t W = area.canvaswidth;
            const std::size_t columns = W >= 1 && W <= (std::int64_t{1} << 20) ? W : 0;
            EXPECT_EQ(g.lines.size(), columns) << name;
            EXPECT_LE(g.texts.size(), columns + 1) << name;
        }
    }
}

// The routines over the shared state draw what the plain functions draw for its values at
// the moment of the call, and write none of them back.
TEST_F(Renderer, ClearwinAndDisplayDrawTheSharedStateAsItStands) {
    const std::pair<engine::LineList, engine::PlotArea> states[] = {
        {lineList({{0.0f, 1.0f}, {60.0f, 0.5f}, {5000.0f, 1.0f}}),
         {.canvaswidth = 640,
          .canvasheight = 480,
          .pf = 2,
          .MHZ = 90,
          .SPECWIDTH = 6.0f,
          .s = 3.0f}},
        {lineList({{10.0f, 0.25f}, {-30.0f, 2.0f}}),
         {.canvaswidth = 900,
          .canvasheight = 1000,
          .pf = 1,
          .MHZ = 60,
          .SPECWIDTH = 10.0f,
          .s = 0.0f}},
    };
    for (const auto& [list, plot] : states) {
        korva::test::share(list);
        korva::test::share(plot);

        RecordingGraphics fromState;
        Module1::clearwin(fromState);
        Module1::display(fromState);
        const std::size_t warnings = messages.messages.size();
        RecordingGraphics fromValues;
        engine::clearPlot(fromValues, plot);
        engine::render(fromValues, list, plot);
        EXPECT_EQ(messages.messages.size(), 2 * warnings);

        EXPECT_EQ(fromState.calls, fromValues.calls);
        EXPECT_EQ(fromState.fills, fromValues.fills);
        EXPECT_EQ(fromState.lines, fromValues.lines);
        EXPECT_EQ(fromState.texts, fromValues.texts);

        EXPECT_EQ(Module1::x, list.x);
        EXPECT_EQ(Module1::y, list.y);
        EXPECT_EQ(Module1::N, list.N);
        EXPECT_EQ(Module1::canvaswidth, plot.canvaswidth);
        EXPECT_EQ(Module1::canvasheight, plot.canvasheight);
        EXPECT_EQ(Module1::pf, plot.pf);
        EXPECT_EQ(Module1::MHZ, plot.MHZ);
        EXPECT_EQ(Module1::SPECWIDTH, plot.SPECWIDTH);
        EXPECT_EQ(Module1::s, plot.s);
        messages.messages.clear();
    }
}

}  // namespace
