#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/graphics.h"
#include "platform/core/seam.h"

class QPrinter;

namespace platform {

// A page set-up for one print job: the page-setup and print dialogs, and the printed
// page as a drawing surface. The page is printed when its surface is let go.
class PrinterSetup {
  public:
    PrinterSetup();
    ~PrinterSetup();
    PrinterSetup(const PrinterSetup&) = delete;
    PrinterSetup& operator=(const PrinterSetup&) = delete;

    // The set-up as text: printer, page size, orientation and margins. Setting a text that
    // cannot be read leaves the set-up as it was.
    std::string Settings() const;
    void Settings(const std::string& settings);

    // Modal; true when the user accepts.
    bool ShowPageSetupDialog();
    // Dots per inch of the printed page; -1 asks for the resolution the plot is made for.
    void MaximumHorizontalResolution(std::int64_t dpi);
    void MaximumVerticalResolution(std::int64_t dpi);
    // Modal; the surface of the page to print, in the page's device units, or nullptr when
    // the user cancels.
    std::unique_ptr<Graphics> ShowPrinterDialog();

    // What the two dialogs do; tests answer them instead of a user.
    static Seam<bool(QPrinter&)>& PageSetupDialog();
    static Seam<std::unique_ptr<Graphics>(std::shared_ptr<QPrinter>)>& PrintDialog();

  private:
    std::shared_ptr<QPrinter> printer_;
    std::int64_t resolution_ = -1;
};

// The drawing surface of a printed page: ending it prints the page.
std::unique_ptr<Graphics> PageGraphics(std::shared_ptr<QPrinter> printer);

}  // namespace platform
