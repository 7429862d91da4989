// Printing the plot on one page and saving it as a PNG picture, both with the date and
// time at which the command was chosen.

#include <optional>
#include <string>

#include "app/module1_app.h"
#include "app/window1.h"
#include "engine/module1.h"
#include "platform/core/errors.h"
#include "platform/core/mathematics.h"
#include "platform/qt/date_time.h"
#include "platform/qt/picture.h"
#include "platform/qt/printer_setup.h"
#include "platform/qt/save_file_dialog.h"

namespace Module1 {
namespace {

// While it lives the plot area is the page's or the picture's; when it ends, on every
// path, the screen's plot area and scale are back and the plot window is redrawn.
class OffScreen {
  public:
    OffScreen() : width_(canvaswidth), height_(canvasheight) {}
    ~OffScreen() {
        canvasheight = height_;
        canvaswidth = width_;
        pf = 1;
        Window1().Refresh();
    }
    OffScreen(const OffScreen&) = delete;
    OffScreen& operator=(const OffScreen&) = delete;

    // The plot area for a surface of this size: on one taller than wide, its upper half
    // at the smaller scale.
    static void fit(std::int64_t width, std::int64_t height, std::int64_t tallScale,
                    std::int64_t wideScale) {
        canvaswidth = width;
        canvasheight = height;
        if (canvaswidth < canvasheight) {
            canvasheight = platform::TruncateToInt64(static_cast<double>(canvasheight) / 2);
            pf = tallScale;
        } else {
            pf = wideScale;
        }
    }

  private:
    std::int64_t width_, height_;
};

// The font size that the labels and the stamp share.
float fontSize() {
    return platform::Single(platform::Round(
        platform::Min(static_cast<double>(canvaswidth), static_cast<double>(canvasheight)) / 40));
}

std::string stamp(const platform::DateTime& moment) {
    return moment.ToString(platform::DateTime::Style::Short, platform::DateTime::Style::Short) +
           " ";
}

}  // namespace

void printer() {
    platform::PrinterSetup setup;
    const platform::DateTime started = platform::DateTime::Now();
    if (!psettings.empty()) setup.Settings(psettings);
    if (!setup.ShowPageSetupDialog()) return;
    psettings = setup.Settings();
    setup.MaximumHorizontalResolution(-1);
    setup.MaximumVerticalResolution(-1);
    const std::unique_ptr<platform::Graphics> page = setup.ShowPrinterDialog();
    if (!page) return;

    OffScreen settings;
    OffScreen::fit(platform::TruncateToInt64(page->Width()),
                   platform::TruncateToInt64(page->Height()), 3, 5);
    const std::string text = stamp(started);
    page->FontSize(fontSize());
    display(*page);
    page->DrawText(text, 0, page->FontSize());
}  // the settings come back, then the page is printed

void saveplot() {
    const platform::DateTime started = platform::DateTime::Now();
    OffScreen settings;
    OffScreen::fit(2 * Window1().Width(), 2 * Window1().Height(), 2, 4);
    const std::string text = stamp(started);
    platform::Picture picture = [] {
        try {
            return platform::Picture(canvaswidth, 2 * Window1().Height());
        } catch (const platform::PlatformError& e) {
            throw platform::PlatformError(std::string(e.what()) +
                                          " Make the plot window smaller and save again.");
        }
    }();
    picture.Graphics().FontSize(fontSize());
    display(picture.Graphics());
    picture.Graphics().DrawText(text, 0, static_cast<double>(picture.Graphics().FontSize()));
    const std::optional<platform::FolderItem> file =
        platform::FolderItem::ShowSaveFileDialog("image/png", QString("NMR") + ".png");
    if (file) picture.Save(*file);
}

}  // namespace Module1
