// Save Plot's picture: a 1600 by 1200 picture with pf 4 and font size 30, drawn, stamped
// and written as PNG, against writing the same picture blank.
#include <QTemporaryDir>
#include <cstdint>
#include <string>

#include "bench/side_by_side.h"
#include "bench/start_plot.h"
#include "engine/renderer.h"
#include "engine/spin_systems.h"
#include "platform/qt/folder_item.h"
#include "platform/qt/picture.h"

namespace korva::bench {
namespace {

constexpr std::int64_t kWidth = 1600;
constexpr std::int64_t kHeight = 1200;

void saveAgainstBlank(benchmark::State& state, float lineWidth) {
    const StartPlot plot = startPlot(engine::linesAB, kWidth, kHeight, 4, lineWidth);
    QTemporaryDir folder;
    const platform::FolderItem drawn(folder.filePath("drawn.png"));
    const platform::FolderItem blank(folder.filePath("blank.png"));

    RunSideBySide(
        state,
        [&] {
            platform::Picture picture(kWidth, kHeight);
            platform::Graphics& g = picture.Graphics();
            g.FontSize(30.0f);
            engine::render(g, plot.lines, plot.area);
            g.DrawText("Saturday, 31 December 2022 23:59:59", 0.0, g.FontSize());
            picture.Save(drawn);
        },
        [&] {
            platform::Picture picture(kWidth, kHeight);
            picture.Save(blank);
        });
}

const bool registered = [] {
    for (float lineWidth : {0.0f, 100.0f}) {
        RegisterSideBySide(
            "saveplot/AB/1600x1200/s:" + std::to_string(static_cast<int>(lineWidth)),
            [lineWidth](benchmark::State& state) { saveAgainstBlank(state, lineWidth); },
            std::nullopt);
    }
    return true;
}();

}  // namespace
}  // namespace korva::bench
