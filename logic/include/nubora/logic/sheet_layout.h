// Sheets of business cards and labels: where each label lies on the paper,
// whether a code of a given size fits on one, and where the code and its
// caption go inside it. No windows: the PDF sheets, the print dialog and
// nubora-qr all place their codes through these functions.
//
// Every length is in millimetres; positions are measured from the top-left
// corner of the paper, x to the right and y downwards.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/result.h"

namespace nubora {

// One kind of sheet: the paper, the labels on it and the margin kept free
// inside each label.
struct SheetLayout {
    // A short ASCII word (lower-case letters, digits, '.', '-', '_') that
    // names the sheet on the command line ("meishi-10").
    std::string name;
    // What the sheet is, for people: Japanese for the built-in sheets, the
    // maker's words for the others (UTF-8).
    std::string description;
    // The paper's name ("A4", "US-Letter"); empty for a size of its own.
    std::string paperName;
    double paperWidthMm = 0;
    double paperHeightMm = 0;
    double labelWidthMm = 0;
    double labelHeightMm = 0;
    // Radius of the label's rounded corners; 0 for square corners.
    double cornerRadiusMm = 0;
    // Labels across and down a sheet, each at least 1.
    int columns = 0;
    int rows = 0;
    // Top-left corner of the first (top-left) label.
    double leftMm = 0;
    double topMm = 0;
    // From one label's left edge to the next one's across, and from one
    // label's top edge to the next one's down; the label's own size where
    // labels touch. Only read when there are several labels that way.
    double pitchAcrossMm = 0;
    double pitchDownMm = 0;
    // Kept free of the code and the caption on every side inside a label,
    // against the sheet shifting in the printer and the cut missing.
    double marginMm = 0;
};

// An axis-parallel rectangle on the paper, in millimetres.
struct MmRect {
    double x = 0;  // left edge
    double y = 0;  // top edge
    double width = 0;
    double height = 0;
};

// Why a sheet, a code on it or a start position is refused.
enum class SheetProblem {
    BadGeometry,      // a size or count that is not positive, or a corner radius over half the label
    LabelsOverlap,    // the pitch one way is shorter than the label that way
    OffPaper,         // a label passes an edge of the paper
    CodeTooBig,       // the code with its quiet zone does not fit inside the label's margins
    StartOutOfRange,  // the first label to print is not on the sheet
    UnknownSheet,     // no sheet has the name asked for
};

// The two directions on a sheet.
enum class SheetAxis { Across, Down };

// The four edges of the paper.
enum class PaperEdge { Left, Top, Right, Bottom };

// A refusal and what its message needs. Fields not listed for the problem
// keep their defaults.
struct SheetFailure {
    SheetProblem problem = SheetProblem::BadGeometry;
    // LabelsOverlap: the pitch that is too short. CodeTooBig: the direction
    // with too little room.
    SheetAxis axis = SheetAxis::Across;
    // OffPaper: the edge passed (the first of left, top, right, bottom).
    PaperEdge edge = PaperEdge::Left;
    // LabelsOverlap: the pitch. OffPaper: how far the labels pass the edge.
    // CodeTooBig: the code's side with its quiet zone.
    double valueMm = 0;
    // LabelsOverlap: the label's width or height. CodeTooBig: the room
    // inside the label's margins that way.
    double limitMm = 0;
    // StartOutOfRange: the label asked for (1-based) and the labels a sheet has.
    int label = 0;
    int labels = 0;
    // UnknownSheet: the name asked for.
    std::string name;
};

// The Japanese message (UTF-8) for `failure`, naming what is wrong and by how
// much, e.g. "ラベルが重なっています（横のピッチ 80.0 mm < ラベルの幅 91.0 mm）".
// Lengths are written with one or two decimals and a dot.
std::string SheetFailureMessage(const SheetFailure& failure);

// `mm` with at least one and at most two decimals and a dot, whatever the
// locale: 91 → "91.0", 86.4 → "86.4", 89.9936 → "89.99".
std::string FormatMm(double mm);

// How far labels may overlap or pass the paper's edge before they are
// refused, in millimetres: a little over a tenth of a point, what rounding
// leaves in makers' sizes given in points with one decimal.
inline constexpr double kSheetToleranceMm = 0.05;

// Labels on one sheet: columns × rows.
int LabelsPerSheet(const SheetLayout& layout);

// The built-in sheets, in this order: the common Japanese 10-up business-card
// sheet "meishi-10" (A4, 91 × 55 mm, 2 × 5), "a4-86x51-10" (86.4 × 50.8 mm,
// 2 × 5), "a4-70x42-18" (70 × 42.3 mm, 3 × 6) and "a4-84x42-12" (84 × 42 mm,
// 2 × 6). Each keeps a margin of kBuiltInLabelMarginMm inside its labels.
std::vector<SheetLayout> BuiltInSheetLayouts();

// The margin inside the labels of the built-in sheets.
inline constexpr double kBuiltInLabelMarginMm = 3.0;

// The name of the plain grid on A4 (PlainGridLayout).
inline constexpr std::string_view kPlainGridName = "a4-grid";

// The margin the plain grid keeps free around the paper's edge, outside the
// area most printers cannot reach.
inline constexpr double kPlainGridPaperMarginMm = 10.0;

// A plain grid on A4 portrait for codes of `codeSideMm` (the printed side,
// quiet zone included; > 0): square labels of codeSideMm + 2 · marginMm
// (marginMm ≥ 0 kept free around each code), touching, as many across and
// down as fit inside kPlainGridPaperMarginMm of the edges (at least one each
// way), the grid centred on the paper. Named kPlainGridName. A code too big
// for the paper gives a grid that ValidateSheetGeometry refuses (OffPaper).
SheetLayout PlainGridLayout(double codeSideMm, double marginMm);

// Checks the sheet itself, in this order: every size and count positive and
// finite (offsets and margin ≥ 0, corner radius ≤ half the label's shorter
// side, else BadGeometry); labels across, then down, not overlapping
// (LabelsOverlap, when there are several that way); the labels on the paper
// (OffPaper, edges in the order left, top, right, bottom). Overlaps and
// overshoots up to kSheetToleranceMm pass.
Result<void, SheetFailure> ValidateSheetGeometry(const SheetLayout& layout);

// ValidateSheetGeometry, then whether a code of `sideModules` modules a side
// (its quiet zone included: 4 · version + 17 + 8; ≥ 1) at `moduleMm` (> 0)
// fits inside a label's margins (CodeTooBig, across before down). A caption
// needs no room of its own: it is shrunk or cut to the space left.
Result<void, SheetFailure> ValidateSheet(const SheetLayout& layout, int sideModules, double moduleMm);

// Checks that printing may start at label `skipLabels` + 1 of the first
// sheet, the first `skipLabels` labels (already used) left out:
// 0 ≤ skipLabels < LabelsPerSheet, else StartOutOfRange.
Result<void, SheetFailure> CheckStartLabel(const SheetLayout& layout, int skipLabels);

// Where one label of a print run lies.
struct LabelSlot {
    int sheet = 0;   // 0-based sheet of the run
    int row = 0;     // 0-based, top to bottom
    int column = 0;  // 0-based, left to right
    MmRect rect;     // the label on that sheet's paper
};

// The slot of label `index` (0-based) of a print run that fills labels row by
// row, left to right, sheet after sheet, skipping the first `skipLabels`
// labels of the first sheet. Needs a layout that passes
// ValidateSheetGeometry, index ≥ 0 and skipLabels that passes CheckStartLabel.
LabelSlot LabelSlotAt(const SheetLayout& layout, int index, int skipLabels);

// Sheets a run of `count` labels (≥ 0) takes when it skips `skipLabels`
// labels of the first sheet; 0 for no labels. Same conditions as LabelSlotAt.
int SheetsForLabels(const SheetLayout& layout, int count, int skipLabels);

// Where the caption goes beside a code.
enum class CaptionPlace { None, Under, Beside };

// The code and caption inside one label, on the paper.
struct LabelPlacement {
    // The code's square, its quiet zone included: inside the label's margins
    // and clear of its rounded corners. Centred in the label without a
    // caption, at the top and centred across with a caption under it, at the
    // left and centred down with a caption beside it.
    MmRect code;
    // The rest of the room inside the margins, under the code or to its
    // right, for a caption; zero width and height without a caption or when
    // the code takes all the room.
    MmRect caption;
};

// The room inside a label at `label` (a rectangle from LabelSlotAt) that
// codes and captions may use: the label less layout.marginMm on every side,
// or less the inset that keeps a square's corner inside a rounded corner
// (radius · (1 − 1/√2)) where that is more.
MmRect LabelInterior(const SheetLayout& layout, const MmRect& label);

// Places a code of `sideModules` modules a side (quiet zone included; ≥ 1) at
// `moduleMm` (> 0) and the room for its caption inside `label`. CodeTooBig
// when the code does not fit inside LabelInterior; nothing is ever placed
// outside it.
Result<LabelPlacement, SheetFailure> PlaceOnLabel(const SheetLayout& layout, const MmRect& label, int sideModules,
                                                  double moduleMm, CaptionPlace caption);

// A module rounded to whole printer dots.
struct ModuleDots {
    int dots = 1;   // ≥ 1
    double mm = 0;  // dots · 25.4 / dpi
};

// The whole number of dots of a `dpi` printer (≥ 1) nearest to `moduleMm`
// (> 0), at least 1, and the module size that gives.
ModuleDots ModuleInDots(double moduleMm, int dpi);

// PlaceOnLabel for a printer of `dpi` dots an inch (≥ 1) whose module is
// `module` (from ModuleInDots for the same dpi): the code's square is
// sideModules · module.mm a side, and its top-left corner lies on the
// printer's dot grid (a whole number of 25.4 / dpi mm from the paper's
// corner), the boundary nearest to where PlaceOnLabel put it that keeps it
// inside LabelInterior, so that every module's edge falls between two dots.
// Where the room is less than a dot wider than the code and no boundary
// keeps it inside, the code passes the room's edge by less than a dot.
// The caption's room stays where PlaceOnLabel put it. CodeTooBig as
// PlaceOnLabel, for the module of whole dots.
Result<LabelPlacement, SheetFailure> PlaceOnDots(const SheetLayout& layout, const MmRect& label, int sideModules,
                                                 ModuleDots module, int dpi, CaptionPlace caption);

// The line `nubora-qr --list-sheets` prints for `layout`, UTF-8, without a
// line end: the name (padded to 34 columns), the paper (its name, or
// "W×H mm" for a size of its own; padded to 16 columns), the label size as
// "W×H mm" (padded to 18 columns) and the grid as "C×R", at least two spaces
// between fields:
// "meishi-10                         A4              91.0×55.0 mm      2×5".
std::string SheetListLine(const SheetLayout& layout);

// The sheet named `name` in `layouts`; UnknownSheet when none is.
Result<SheetLayout, SheetFailure> FindSheetLayout(const std::vector<SheetLayout>& layouts, std::string_view name);

}  // namespace nubora
