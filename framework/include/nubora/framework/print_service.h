// The print dialog and the printer it returns.
#pragma once

#include <QSizeF>

#include <memory>

class QPaintDevice;
class QPrinter;
class QWidget;

namespace nubora::fw {

// A printer chosen by the user, ready for one document.
// Painting on Device() starts the document and its first page; NewPage()
// goes on to the next; Finish() ends the last page and the document.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Vertical resolution of the printer, dots per inch.
    virtual int DotsPerInchY() const = 0;
    virtual QPaintDevice& Device() = 0;
    // Ends the page under way and starts the next, empty one; only while a
    // painter is active on Device(). False when the printer could not (the
    // document is broken then: draw nothing more), and always for a target
    // of one page only, which is what one that does not say otherwise is.
    virtual bool NewPage() { return false; }
    // Ends the page and the document (after the painter has ended).
    virtual void Finish() = 0;
    // The paper pages are printed on, millimetres, width across the page;
    // empty when the target does not say.
    virtual QSizeF PaperMm() const { return {}; }
};

// Where the origin (0, 0) of a printed page lies.
enum class PageOrigin {
    PrintableArea,  // the corner of the area the printer reaches
    PaperCorner,    // the corner of the paper itself: the page is the whole sheet
};

// What is to be printed, for the printer's set-up.
struct PrintRequest {
    PageOrigin origin = PageOrigin::PrintableArea;
    // The paper in millimetres, width across the page; empty keeps the
    // printer's own. A paper wider than high is printed landscape.
    QSizeF paperMm;
};

class PrintService {
public:
    virtual ~PrintService() = default;
    // False when no printer is installed: there is nothing to choose from.
    virtual bool HasPrinter() const = 0;
    // Shows the print dialog (no selection, no page numbers, no print to
    // file) for `request`, its paper offered. The chosen printer with the
    // paper chosen there (PaperMm tells it; a printer that refuses the
    // paper asked for offers its own) and the request's origin, or null
    // when the user cancels.
    virtual std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner, const PrintRequest& request) = 0;
    // The same for one page on the printer's own paper, from its printable area.
    std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner) { return ChoosePrinter(owner, PrintRequest{}); }
};

class QtPrintService final : public PrintService {
public:
    using PrintService::ChoosePrinter;
    bool HasPrinter() const override;
    std::unique_ptr<PrintTarget> ChoosePrinter(QWidget* owner, const PrintRequest& request) override;
};

// Puts the origin of `printer`'s pages at the corner of its printable area:
// its page margins become the printer's own minimum margins (Qt's defaults
// are not the printer's; for a PDF printer they are 0, the sheet's corner).
void UsePrintableAreaOrigin(QPrinter& printer);

// Sets `printer` up for `request`: its paper when one is named, and the
// origin of its pages. False when the printer refuses that paper (it keeps
// its own then; the origin is set all the same).
bool PreparePrinter(QPrinter& printer, const PrintRequest& request);

// A target on `printer` (not null) as the print dialog's printer is one:
// a printer writing a PDF file, for one.
std::unique_ptr<PrintTarget> PrinterTarget(std::unique_ptr<QPrinter> printer);

}  // namespace nubora::fw
