// The renderer on a picture against its floor: the same surface receiving only the one
// vertical segment per column that any renderer of the plot must draw, with the same pen.
// The labels on their own, against the same floor, show what the text costs.
#include <cstdint>
#include <memory>
#include <string>

#include "bench/side_by_side.h"
#include "bench/start_plot.h"
#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/qt/picture.h"
#include "tests/support/message_recorder.h"
#include "tests/support/recording_graphics.h"

namespace korva::bench {
namespace {

struct Plot {
    const char* name;
    std::int64_t width, height, pf;
    float fontSize;  // what the screen or the printed page sets before drawing
};

struct System {
    const char* name;
    Computation compute;
};

// The lines and plot area of one plot, what the renderer draws for them, and a picture of
// its size whose painter and font are already in use.
class Scene {
  public:
    Scene(const Plot& plot, const System& system, float lineWidth)
        : start_(startPlot(system.compute, plot.width, plot.height, plot.pf, lineWidth)) {
        engine::render(drawn, start_.lines, start_.area);
        picture_ = std::make_unique<platform::Picture>(plot.width, plot.height);
        surface().DrawingColor(0x010101);
        surface().FontSize(plot.fontSize);
        render();
    }
    platform::Graphics& surface() { return picture_->Graphics(); }

    void render() { engine::render(surface(), start_.lines, start_.area); }
    void drawSegments() {
        surface().PenSize(static_cast<double>(start_.area.pf));
        for (const auto& l : drawn.lines) surface().DrawLine(l.x1, l.y1, l.x2, l.y2);
    }
    void drawLabels() {
        for (const auto& t : drawn.texts) surface().DrawText(t.text, t.x, t.y);
    }

    korva::test::MessageRecorder messages;
    korva::test::RecordingGraphics drawn;

  private:
    StartPlot start_;
    std::unique_ptr<platform::Picture> picture_;
};

void check(benchmark::State& state, const Scene& scene) {
    if (!scene.messages.messages.empty())
        state.SkipWithError("the plot raised the off-plot warning");
}

std::string nameOf(const char* what, const System& system, const Plot& plot, float lineWidth) {
    return std::string(what) + "/" + system.name + "/" + plot.name +
           "/s:" + std::to_string(static_cast<int>(lineWidth));
}

const bool registered = [] {
    const System systems[] = {
        {"AB", engine::linesAB}, {"ABB", engine::linesABB}, {"AAXX", engine::linesAAXX}};
    const Plot plots[] = {{"800x600", 800, 600, 1, 24.0f}, {"4800x3200", 4800, 3200, 3, 80.0f}};
    for (const Plot& plot : plots) {
        for (const System& system : systems) {
            for (float lineWidth : {0.0f, 100.0f}) {
                RegisterSideBySide(
                    nameOf("display", system, plot, lineWidth),
                    [=](benchmark::State& state) {
                        Scene scene(plot, system, lineWidth);
                        RunSideBySide(
                            state, [&] { scene.render(); }, [&] { scene.drawSegments(); });
                        check(state, scene);
                    },
                    lineWidth == 0.0f ? 1.3 : 2.0);
            }
        }
    }
    for (const Plot& plot : plots) {
        RegisterSideBySide(
            nameOf("labels", systems[0], plot, 0.0f),
            [=](benchmark::State& state) {
                Scene scene(plot, systems[0], 0.0f);
                RunSideBySide(
                    state, [&] { scene.drawLabels(); }, [&] { scene.drawSegments(); });
                check(state, scene);
            },
            std::nullopt);
    }
    return true;
}();

}  // namespace
}  // namespace korva::bench
