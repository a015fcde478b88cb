// Sheets of business cards and labels as a vector PDF: one code on each
// label of a sheet layout, with an optional caption, sheet after sheet. No
// windows: nubora-qr writes its sheets through this, and so can a dialog,
// with its progress bar and cancel.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/file_io.h"
#include "nubora/logic/result.h"
#include "nubora/logic/sheet_layout.h"
#include "tavoqrenc.h"

namespace nubora {

// Whether the outlines of the labels are drawn, to see where the cuts fall:
// in the PDF's preview layer (切り取り線), which viewers show and printers
// leave out.
enum class CutLines { Hidden, Shown };

// How a run of labels is laid out.
struct SheetPdfOptions {
    SheetLayout layout;
    // The printed side of one module, in millimetres (> 0).
    double moduleMm = 0.5;
    // Labels of the first sheet already used and left out (CheckStartLabel).
    int skipLabels = 0;
    // Where captions go; None draws no caption whatever the labels carry.
    CaptionPlace captionPlace = CaptionPlace::None;
    CutLines cutLines = CutLines::Hidden;
};

// The caption place that suits `layout`'s labels: Beside on labels more than
// a fifth wider than high (business cards), else Under.
CaptionPlace PreferredCaptionPlace(const SheetLayout& layout);

// The largest and smallest size of a caption, in points: it is set at the
// largest that fits its room, down to the smallest, then cut with "…".
inline constexpr double kCaptionMaxPt = 10.5;
inline constexpr double kCaptionMinPt = 5.0;

// Why a sheet PDF was not made.
enum class SheetPdfProblem {
    Sheet,      // the layout, the start label or a code refused (see `sheet`)
    NoLabels,   // not one label to print
    Cancelled,  // the progress callback asked to stop
    Drawing,    // cairo could not make the PDF (see `detail`)
    Write,      // the file could not be written (see `path`)
};

// A failure and what its message needs.
struct SheetPdfFailure {
    SheetPdfProblem problem = SheetPdfProblem::Sheet;
    SheetFailure sheet;  // Sheet: the refusal
    int label = -1;      // Sheet: the 0-based label whose code was refused; -1 for the layout or start
    std::string detail;  // Drawing: cairo's reason (English)
    std::string path;    // Write: the file
};

// A failure of `problem` with nothing else filled in; with `detail` or `path`
// set by the caller. (Built a field at a time: GCC 12 at -O3 takes a braced
// temporary of this struct for one with uninitialised strings.)
SheetPdfFailure SheetPdfFailureOf(SheetPdfProblem problem);

// A refusal of the sheet (`label` -1) or of the code on 0-based `label`.
SheetPdfFailure SheetRefusal(const SheetFailure& sheet, int label);

// The Japanese message (UTF-8) for `failure`: SheetFailureMessage for a
// refusal, prefixed by the label's 1-based number when a code was refused.
std::string SheetPdfFailureMessage(const SheetPdfFailure& failure);

// Draws a run of labels into a PDF in memory, one code at a time, in the
// order of LabelSlotAt: each on its label's room (PlaceOnLabel), its caption
// in the rest of that room (IPAPGothic, kCaptionMaxPt down to kCaptionMinPt,
// then cut with "…"), one page a sheet of the layout's paper size. Lengths
// are exact: a millimetre is 72 / 25.4 points. Movable, not copyable.
class SheetPdfWriter {
public:
    // A writer for `options`: fails (Sheet, label -1) when the layout is
    // refused by ValidateSheetGeometry, the start by CheckStartLabel, or the
    // module is not > 0.
    static Result<SheetPdfWriter, SheetPdfFailure> Start(const SheetPdfOptions& options);

    SheetPdfWriter(SheetPdfWriter&&) noexcept;
    SheetPdfWriter& operator=(SheetPdfWriter&&) noexcept;
    ~SheetPdfWriter();

    // Puts `symbol` (its bitmap, quiet zone included) on the next label with
    // `caption` (UTF-8; empty for none). A code too big for the label's room
    // is refused (CodeTooBig) and takes no label: the next code goes there.
    Result<void, SheetFailure> Add(const QrBitmap& symbol, std::string_view caption);

    // Labels filled so far.
    int Labels() const;

    // The complete PDF file: NoLabels when no code was added, Drawing when
    // cairo failed. Call once; the writer is spent after.
    Result<std::string, SheetPdfFailure> Finish();

private:
    struct Run;
    explicit SheetPdfWriter(std::unique_ptr<Run> run);
    std::unique_ptr<Run> run_;
};

// One label of a run: its code and caption.
struct SheetLabel {
    const QrBitmap* symbol = nullptr;  // not owned, not null
    std::string caption;               // UTF-8; empty for none
};

// Called after each label drawn with the labels done and of how many; false
// stops the run (Cancelled).
using SheetProgress = std::function<bool(int done, int total)>;

// Writes `labels` with SheetPdfWriter to `path`, all or nothing as
// WriteFileAtomically: the first code refused fails the whole run (Sheet,
// with its label), as do cancelling through `progress` (may be empty) and
// the failures of Start and Finish; nothing is written then, and an
// existing file is left as it was.
Result<void, SheetPdfFailure> SaveSheetPdf(const std::string& path, const std::vector<SheetLabel>& labels,
                                           const SheetPdfOptions& options, const SheetProgress& progress = {},
                                           FileSync sync = FileSync::Now);

}  // namespace nubora
