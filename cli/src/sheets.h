// nubora-qr's label sheets: the layouts it offers, and the PDF of a batch's
// codes, one a label.
#pragma once

#include <string>
#include <vector>

#include "nubora/logic/result.h"
#include "nubora/logic/sheet_layout.h"
#include "options.h"
#include "tavoqrenc.h"

namespace nubora::cli {

// Prints SheetListLine of every layout offered, one a line on standard
// output: the built-in sheets, the plain grid (for codes of version 10 at
// 0.5 mm), then the glabels templates. The exit status (kExitOk).
int ListSheets();

// The layout `name` names: a built-in sheet, the plain grid sized for codes
// of `codeSideMm` (> 0, quiet zone included), or a glabels template (read
// only when the name is none of the others). UnknownSheet when none is.
Result<SheetLayout, SheetFailure> SheetNamed(const std::string& name, double codeSideMm);

// Checks, before any row is encoded, that --sheet names a layout and that
// --start is one of its labels (the plain grid's start is checked on its
// codes' size); complains and gives kExitUsage when not, else kExitOk.
int CheckSheetChoice(const Options& options);

// One row's code for a label.
struct SheetRow {
    size_t row = 0;                    // 0-based row of the CSV, the header not counted
    const QrBitmap* symbol = nullptr;  // not owned, not null
    std::string caption;               // UTF-8; empty for none
};

// Writes `rows` in order onto the sheets of options.sheetName from label
// options.startLabel on, into options.outputPath. A code too big for its
// label is reported with its row number and the others go on. Returns the
// exit status: kExitOk, or kExitInputFailed when a code was refused or no
// label was filled (then nothing is written), kExitUsage when the layout or
// the start is refused, kExitWriteFailed when the file could not be
// written (an existing one is left as it was).
int WriteSheets(const Options& options, const std::vector<SheetRow>& rows);

}  // namespace nubora::cli
