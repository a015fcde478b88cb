#include "nubora/framework/print_service.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace nubora::fw {
namespace {

class QtPrintTarget final : public PrintTarget {
public:
    explicit QtPrintTarget(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    int DotsPerInchY() const override { return printer_->logicalDpiY(); }
    QPaintDevice& Device() override { return *printer_; }
    bool NewPage() override { return printer_->newPage(); }
    void Finish() override {}  // the page and the document end with the painter
    QSizeF PaperMm() const override { return printer_->pageLayout().fullRect(QPageLayout::Millimeter).size(); }

private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace

void UsePrintableAreaOrigin(QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

namespace {

// Puts the origin of `printer`'s pages where `request` asks.
void SetOrigin(QPrinter& printer, const PrintRequest& request)
{
    if (request.origin == PageOrigin::PaperCorner)
        printer.setFullPage(true);
    else
        UsePrintableAreaOrigin(printer);
}

}  // namespace

bool PreparePrinter(QPrinter& printer, const PrintRequest& request)
{
    bool taken = true;
    if (!request.paperMm.isEmpty()) {
        // Page sizes are portrait; a wider paper is that size turned.
        const bool wide = request.paperMm.width() > request.paperMm.height();
        const QSizeF portrait = wide ? request.paperMm.transposed() : request.paperMm;
        taken = printer.setPageSize(QPageSize(portrait, QPageSize::Millimeter, QString(), QPageSize::ExactMatch)) &&
                printer.setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    SetOrigin(printer, request);
    return taken;
}

std::unique_ptr<PrintTarget> PrinterTarget(std::unique_ptr<QPrinter> printer)
{
    return std::make_unique<QtPrintTarget>(std::move(printer));
}

bool QtPrintService::HasPrinter() const { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

std::unique_ptr<PrintTarget> QtPrintService::ChoosePrinter(QWidget* owner, const PrintRequest& request)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    // The dialog offers the paper asked for; what the user picks there
    // stays, for the caller to check against what it needs (PaperMm).
    (void)PreparePrinter(*printer, request);
    QPrintDialog dialog(printer.get(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    SetOrigin(*printer, request);
    return PrinterTarget(std::move(printer));
}

}  // namespace nubora::fw
