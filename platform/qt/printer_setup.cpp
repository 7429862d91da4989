#include "platform/qt/printer_setup.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/qt/desktop_window.h"
#include "platform/qt/qt_graphics.h"

namespace platform {
namespace {

constexpr const char* kUnits[] = {"mm", "pt", "in", "pica", "didot", "cicero", "device"};

QString number(double v) { return QString::number(v, 'g', 17); }

QString orientationKey(QPageLayout::Orientation o) {
    return o == QPageLayout::Landscape ? "landscape" : "portrait";
}

QString sizeKey(const QPageSize& size) {
    if (size.id() != QPageSize::Custom) return size.key();
    const QSizeF points = size.size(QPageSize::Point);
    return "custom:" + number(points.width()) + "x" + number(points.height());
}

std::optional<QPageSize> sizeOfKey(const QString& key) {
    if (key.startsWith("custom:")) {
        const QStringList sides = key.mid(7).split('x');
        bool w = false, h = false;
        if (sides.size() == 2) {
            const QSizeF points(sides[0].toDouble(&w), sides[1].toDouble(&h));
            if (w && h && points.isValid()) return QPageSize(points, QPageSize::Point);
        }
        return std::nullopt;
    }
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = static_cast<QPageSize::PageSizeId>(id);
        if (QPageSize::key(size) == key) return QPageSize(size);
    }
    return std::nullopt;
}

}  // namespace

PrinterSetup::PrinterSetup() : printer_(std::make_shared<QPrinter>(QPrinter::HighResolution)) {}

PrinterSetup::~PrinterSetup() = default;

// One "key=value" line each, the margins in the layout's own unit so that they read back
// exactly; the printer's name, which may hold anything, comes last.
std::string PrinterSetup::Settings() const {
    const QPageLayout layout = printer_->pageLayout();
    const QMarginsF m = layout.margins();
    QStringList lines = {
        "size=" + sizeKey(layout.pageSize()),
        "orientation=" + orientationKey(layout.orientation()),
        QString("units=") + kUnits[layout.units()],
        "margins=" + number(m.left()) + "," + number(m.top()) + "," + number(m.right()) + "," +
            number(m.bottom()),
        "printer=" + printer_->printerName(),
    };
    return lines.join('\n').toStdString();
}

void PrinterSetup::Settings(const std::string& settings) {
    std::optional<QPageSize> size;
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<QMarginsF> margins;
    std::optional<QPageLayout::Unit> units;
    std::optional<QString> printer;
    for (const QString& line : QString::fromStdString(settings).split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0) continue;
        const QString key = line.left(eq), value = line.mid(eq + 1);
        if (key == "size") size = sizeOfKey(value);
        if (key == "orientation" && (value == "portrait" || value == "landscape")) {
            orientation = value == "landscape" ? QPageLayout::Landscape : QPageLayout::Portrait;
        }
        if (key == "units") {
            for (int u = 0; u < static_cast<int>(std::size(kUnits)); ++u) {
                if (value == kUnits[u]) units = static_cast<QPageLayout::Unit>(u);
            }
        }
        if (key == "margins") {
            const QStringList parts = value.split(',');
            bool ok = parts.size() == 4;
            double v[4] = {};
            for (int i = 0; ok && i < 4; ++i) v[i] = parts[i].toDouble(&ok);
            if (ok) margins = QMarginsF(v[0], v[1], v[2], v[3]);
        }
        if (key == "printer") printer = value;
    }
    if (!size || !orientation || !margins || !units) return;
    const QPageLayout layout(*size, *orientation, *margins, *units);
    if (!layout.isValid()) return;
    if (printer && QPrinterInfo::availablePrinterNames().contains(*printer)) {
        printer_->setPrinterName(*printer);
    }
    printer_->setPageLayout(layout);
}

bool PrinterSetup::ShowPageSetupDialog() { return PageSetupDialog()(*printer_); }

void PrinterSetup::MaximumHorizontalResolution(std::int64_t dpi) { resolution_ = dpi; }
void PrinterSetup::MaximumVerticalResolution(std::int64_t dpi) { resolution_ = dpi; }

std::unique_ptr<Graphics> PrinterSetup::ShowPrinterDialog() {
    std::unique_ptr<Graphics> page = PrintDialog()(printer_);
    // Drawings on a page are measured in its dots; -1 gives 300 per inch, for which the
    // plot's fixed margins and scale are made: at a printer's highest resolution they
    // would shrink to a sliver of the page. The painter starts later, at the first drawing.
    if (page)
        printer_->setResolution(
            resolution_ > 0 ? static_cast<int>(std::min<std::int64_t>(resolution_, 9600)) : 300);
    return page;
}

Seam<bool(QPrinter&)>& PrinterSetup::PageSetupDialog() {
    static Seam<bool(QPrinter&)> seam([](QPrinter& printer) {
        QPageSetupDialog dialog(&printer, DesktopWindow::DialogOwner());
        return dialog.exec() == QDialog::Accepted;
    });
    return seam;
}

Seam<std::unique_ptr<Graphics>(std::shared_ptr<QPrinter>)>& PrinterSetup::PrintDialog() {
    static Seam<std::unique_ptr<Graphics>(std::shared_ptr<QPrinter>)> seam(
        [](std::shared_ptr<QPrinter> printer) -> std::unique_ptr<Graphics> {
            QPrintDialog dialog(printer.get(), DesktopWindow::DialogOwner());
            if (dialog.exec() != QDialog::Accepted) return nullptr;
            return PageGraphics(std::move(printer));
        });
    return seam;
}

std::unique_ptr<Graphics> PageGraphics(std::shared_ptr<QPrinter> printer) {
    QPrinter* device = printer.get();
    return std::make_unique<QtGraphics>(device, std::move(printer));
}

}  // namespace platform
