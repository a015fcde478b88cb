// A run of labels on a printer: one page a sheet, the page the whole of the
// layout's paper (its origin at the paper's corner, as the labels are placed
// against the paper's edges), each code one path of its dark modules'
// outlines filled black without smoothing, its module a whole number of
// printer dots and every module's edge between two dots, its caption in
// IPAPGothic at the sizes of the sheet PDF. Label outlines (cut lines) are
// never printed. The placing is the logic's; this draws.
#pragma once

#include "nubora/framework/print_service.h"
#include "nubora/logic/sheet_job.h"
#include "nubora/logic/sheet_pdf.h"

#include <vector>

namespace nubora {

// What a print of labels did.
struct SheetPrintResult {
    // False when the printer could not be drawn on or could not start a
    // page: nothing was drawn after that.
    bool printed = true;
    // Labels printed.
    int labels = 0;
    // Codes too big for their label at the printer's module, in row order;
    // each took no label.
    std::vector<SheetRowFailure> refused;
};

// The print dialog's request for sheets of `layout`: its paper, the origin
// at the paper's corner.
fw::PrintRequest SheetPrintRequest(const SheetLayout& layout);

// Prints `labels` on `target` (chosen for SheetPrintRequest of
// options.layout) and finishes it: label after label in the order of
// LabelSlotAt from options.skipLabels, a new page for each sheet. The module
// is ModuleInDots(options.moduleMm, the target's DotsPerInchY), each code
// placed by PlaceOnDots; the caption, with options.captionPlace other than
// None, one line centred in its room at kCaptionMaxPt, shrunk down to
// kCaptionMinPt to fit, then cut with "…", never outside its room. The
// target's resolution across is read from its device; a printer whose
// resolution across differs gets the module in whole dots that way too, the
// nearest to the same size.
SheetPrintResult PrintSheets(fw::PrintTarget& target, const SheetPdfOptions& options,
                             const std::vector<SheetRunLabel>& labels);

}  // namespace nubora
