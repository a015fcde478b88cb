// The print dialog and the printer it returns.
#pragma once

#include <memory>

class QPaintDevice;
class QPrinter;
class QWidget;

namespace nubora::fw {

// A printer chosen by the user, ready for one document of one page.
// Painting on Device() starts the document and its page; Finish() ends both.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Vertical resolution of the printer, dots per inch.
    virtual int DotsPerInchY() const = 0;
    virtual QPaintDevice& Device() = 0;
    // Ends the page and the document (after the painter has ended).
    virtual void Finish() = 0;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // False when no printer is installed: there is nothing to choose from.
    virtual bool HasPrinter() const = 0;
    // Shows the print dialog (no selection, no page numbers, no print to
    // file). The chosen printer, or null when the user cancels.
    virtual std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner) = 0;
};

class QtPrintService final : public PrintService {
public:
    bool HasPrinter() const override;
    std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner) override;
};

// Puts the origin of `printer`'s pages at the corner of its printable area:
// its page margins become the printer's own minimum margins (Qt's defaults
// are not the printer's; for a PDF printer they are 0, the sheet's corner).
void UsePrintableAreaOrigin(QPrinter& printer);

}  // namespace nubora::fw
