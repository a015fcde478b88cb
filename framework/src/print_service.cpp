#include "nubora/framework/print_service.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace nubora::fw {
namespace {

class QtPrintTarget final : public PrintTarget {
public:
    QtPrintTarget() : printer_(QPrinter::HighResolution) {}
    QPrinter& Printer() { return printer_; }
    int DotsPerInchY() const override { return printer_.logicalDpiY(); }
    QPaintDevice& Device() override { return printer_; }
    void Finish() override {}  // the page and the document end with the painter

private:
    QPrinter printer_;
};

}  // namespace

void UsePrintableAreaOrigin(QPrinter& printer)
{
    const QPageLayout layout = printer.pageLayout();
    printer.setPageMargins(layout.minimumMargins(), layout.units());
}

bool QtPrintService::HasPrinter() const { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

std::unique_ptr<PrintTarget> QtPrintService::ChoosePrinter(QWidget* owner)
{
    auto target = std::make_unique<QtPrintTarget>();
    QPrintDialog dialog(&target->Printer(), owner);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    UsePrintableAreaOrigin(target->Printer());
    return target;
}

}  // namespace nubora::fw
