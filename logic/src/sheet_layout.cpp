#include "nubora/logic/sheet_layout.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>

namespace nubora {
namespace {

constexpr double kA4WidthMm = 210.0;
constexpr double kA4HeightMm = 297.0;

// Labels one way on a sheet at most: more than any real sheet has, few
// enough that a sheet's count fits an int many times over.
constexpr int kMaxGridCount = 1000;

// Leeway for a code that exactly fills the room inside the margins.
constexpr double kFitEpsilonMm = 1e-9;

// A sheet of touching labels on A4 portrait.
SheetLayout A4Sheet(std::string_view name, std::string_view description, double width, double height, int columns,
                    int rows, double left, double top)
{
    SheetLayout sheet;
    sheet.name = std::string(name);
    sheet.description = std::string(description);
    sheet.paperName = "A4";
    sheet.paperWidthMm = kA4WidthMm;
    sheet.paperHeightMm = kA4HeightMm;
    sheet.labelWidthMm = width;
    sheet.labelHeightMm = height;
    sheet.columns = columns;
    sheet.rows = rows;
    sheet.leftMm = left;
    sheet.topMm = top;
    sheet.pitchAcrossMm = width;
    sheet.pitchDownMm = height;
    sheet.marginMm = kBuiltInLabelMarginMm;
    return sheet;
}

// How many labels of `label` fit into `room`, 1..kMaxGridCount.
int FitCount(double room, double label)
{
    const double count = std::floor((room + kSheetToleranceMm) / label);
    if (!(count >= 1))
        return 1;
    return count > kMaxGridCount ? kMaxGridCount : static_cast<int>(count);
}

bool Finite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool SaneGeometry(const SheetLayout& s)
{
    if (!Finite({s.paperWidthMm, s.paperHeightMm, s.labelWidthMm, s.labelHeightMm, s.cornerRadiusMm, s.leftMm, s.topMm,
                 s.pitchAcrossMm, s.pitchDownMm, s.marginMm}))
        return false;
    return s.paperWidthMm > 0 && s.paperHeightMm > 0 && s.labelWidthMm > 0 && s.labelHeightMm > 0 && s.columns >= 1 &&
           s.columns <= kMaxGridCount && s.rows >= 1 && s.rows <= kMaxGridCount && s.marginMm >= 0 &&
           s.cornerRadiusMm >= 0 && s.cornerRadiusMm <= std::min(s.labelWidthMm, s.labelHeightMm) / 2;
}

SheetFailure Problem(SheetProblem problem)
{
    SheetFailure failure;
    failure.problem = problem;
    return failure;
}

SheetFailure Overlap(SheetAxis axis, double pitch, double label)
{
    SheetFailure failure = Problem(SheetProblem::LabelsOverlap);
    failure.axis = axis;
    failure.valueMm = pitch;
    failure.limitMm = label;
    return failure;
}

SheetFailure OffEdge(PaperEdge edge, double by)
{
    SheetFailure failure = Problem(SheetProblem::OffPaper);
    failure.edge = edge;
    failure.valueMm = by;
    return failure;
}

SheetFailure TooBig(SheetAxis axis, double side, double room)
{
    SheetFailure failure = Problem(SheetProblem::CodeTooBig);
    failure.axis = axis;
    failure.valueMm = side;
    failure.limitMm = std::max(room, 0.0);
    return failure;
}

// The distance from the first label's near edge to the last label's far
// edge one way.
double GridExtent(int count, double pitch, double label) { return (count - 1) * pitch + label; }

// CodeTooBig when a square of `side` does not fit into `room`.
Result<void, SheetFailure> CheckFit(const MmRect& room, double side)
{
    if (!(side <= room.width + kFitEpsilonMm))
        return Fail(TooBig(SheetAxis::Across, side, room.width));
    if (!(side <= room.height + kFitEpsilonMm))
        return Fail(TooBig(SheetAxis::Down, side, room.height));
    return {};
}

// Columns that `text` (UTF-8) takes on a terminal, every character one.
size_t Columns(const std::string& text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// `text` followed by spaces up to `width` columns, and at least two.
std::string Padded(const std::string& text, size_t width)
{
    const size_t used = Columns(text);
    return text + std::string(used + 2 > width ? 2 : width - used, ' ');
}

std::string SizeText(double width, double height) { return FormatMm(width) + "×" + FormatMm(height) + " mm"; }

}  // namespace

std::string FormatMm(double mm)
{
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, mm, std::chars_format::fixed, 2);
    std::string text(buffer, result.ptr);
    if (result.ec == std::errc{} && text.back() == '0')
        text.pop_back();
    return text;
}

std::string SheetFailureMessage(const SheetFailure& failure)
{
    const bool across = failure.axis == SheetAxis::Across;
    switch (failure.problem) {
    case SheetProblem::BadGeometry: return "用紙またはラベルの寸法が正しくありません";
    case SheetProblem::LabelsOverlap:
        return std::string("ラベルが重なっています（") + (across ? "横" : "縦") + "のピッチ " +
               FormatMm(failure.valueMm) + " mm < ラベルの" + (across ? "幅" : "高さ") + " " +
               FormatMm(failure.limitMm) + " mm）";
    case SheetProblem::OffPaper: {
        static constexpr const char* kEdges[] = {"左", "上", "右", "下"};
        return std::string("ラベルが用紙の") + kEdges[static_cast<int>(failure.edge)] + "端から " +
               FormatMm(failure.valueMm) + " mm はみ出しています";
    }
    case SheetProblem::CodeTooBig:
        return "コードがラベルに収まりません（クワイエットゾーンを含むコードの一辺 " + FormatMm(failure.valueMm) +
               " mm > 余白を除いたラベルの" + (across ? "幅 " : "高さ ") + FormatMm(failure.limitMm) + " mm）";
    case SheetProblem::StartOutOfRange:
        return "開始位置のラベルが用紙にありません（この用紙のラベルは " + std::to_string(failure.labels) +
               " 枚、指定は " + std::to_string(failure.label) + " 枚目）";
    case SheetProblem::UnknownSheet: return "「" + failure.name + "」という用紙はありません";
    }
    return {};
}

int LabelsPerSheet(const SheetLayout& layout) { return layout.columns * layout.rows; }

std::vector<SheetLayout> BuiltInSheetLayouts()
{
    std::vector<SheetLayout> sheets = {
        A4Sheet("meishi-10", "名刺 10面（A4・91×55 mm）", 91.0, 55.0, 2, 5, 14.0, 11.0),
        A4Sheet("a4-86x51-10", "ラベル 10面（A4・86.4×50.8 mm）", 86.4, 50.8, 2, 5, 18.6, 21.2),
        // Three columns of 70 mm fill the width of A4 exactly.
        A4Sheet("a4-70x42-18", "ラベル 18面（A4・70×42.3 mm）", 70.0, 42.3, 3, 6, 0.0, 21.5),
        // Centred across A4 with a gap of 4 mm between the columns and corners
        // rounded by 1.5 mm, as the makers' templates of this sheet give it.
        A4Sheet("a4-84x42-12", "ラベル 12面（A4・84×42 mm）", 84.0, 42.0, 2, 6, 19.0, 22.5),
    };
    sheets[3].pitchAcrossMm = 88.0;
    sheets[3].cornerRadiusMm = 1.5;
    return sheets;
}

SheetLayout PlainGridLayout(double codeSideMm, double marginMm)
{
    const double label = codeSideMm + 2 * marginMm;
    const bool usable = std::isfinite(label) && label > 0;
    const int columns = usable ? FitCount(kA4WidthMm - 2 * kPlainGridPaperMarginMm, label) : 1;
    const int rows = usable ? FitCount(kA4HeightMm - 2 * kPlainGridPaperMarginMm, label) : 1;
    SheetLayout sheet = A4Sheet(kPlainGridName, "", label, label, columns, rows, (kA4WidthMm - columns * label) / 2,
                                (kA4HeightMm - rows * label) / 2);
    sheet.description = "A4 に並べたコード（一辺 " + FormatMm(codeSideMm) + " mm）";
    sheet.marginMm = marginMm;
    return sheet;
}

Result<void, SheetFailure> ValidateSheetGeometry(const SheetLayout& s)
{
    if (!SaneGeometry(s))
        return Fail(Problem(SheetProblem::BadGeometry));
    if (s.columns > 1 && s.pitchAcrossMm < s.labelWidthMm - kSheetToleranceMm)
        return Fail(Overlap(SheetAxis::Across, s.pitchAcrossMm, s.labelWidthMm));
    if (s.rows > 1 && s.pitchDownMm < s.labelHeightMm - kSheetToleranceMm)
        return Fail(Overlap(SheetAxis::Down, s.pitchDownMm, s.labelHeightMm));
    const double right = s.leftMm + GridExtent(s.columns, s.pitchAcrossMm, s.labelWidthMm) - s.paperWidthMm;
    const double bottom = s.topMm + GridExtent(s.rows, s.pitchDownMm, s.labelHeightMm) - s.paperHeightMm;
    if (-s.leftMm > kSheetToleranceMm)
        return Fail(OffEdge(PaperEdge::Left, -s.leftMm));
    if (-s.topMm > kSheetToleranceMm)
        return Fail(OffEdge(PaperEdge::Top, -s.topMm));
    if (right > kSheetToleranceMm)
        return Fail(OffEdge(PaperEdge::Right, right));
    if (bottom > kSheetToleranceMm)
        return Fail(OffEdge(PaperEdge::Bottom, bottom));
    return {};
}

Result<void, SheetFailure> ValidateSheet(const SheetLayout& layout, int sideModules, double moduleMm)
{
    if (auto geometry = ValidateSheetGeometry(layout); !geometry)
        return geometry;
    const MmRect room = LabelInterior(layout, {0, 0, layout.labelWidthMm, layout.labelHeightMm});
    return CheckFit(room, sideModules * moduleMm);
}

Result<void, SheetFailure> CheckStartLabel(const SheetLayout& layout, int skipLabels)
{
    if (skipLabels >= 0 && skipLabels < LabelsPerSheet(layout))
        return {};
    SheetFailure failure = Problem(SheetProblem::StartOutOfRange);
    failure.label = skipLabels + 1;
    failure.labels = LabelsPerSheet(layout);
    return Fail(failure);
}

LabelSlot LabelSlotAt(const SheetLayout& layout, int index, int skipLabels)
{
    assert(layout.columns >= 1 && layout.rows >= 1 && index >= 0 && skipLabels >= 0);
    const long long perSheet = LabelsPerSheet(layout);
    const long long position = static_cast<long long>(index) + skipLabels;
    const int onSheet = static_cast<int>(position % perSheet);
    LabelSlot slot;
    slot.sheet = static_cast<int>(position / perSheet);
    slot.row = onSheet / layout.columns;
    slot.column = onSheet % layout.columns;
    slot.rect = {layout.leftMm + slot.column * layout.pitchAcrossMm, layout.topMm + slot.row * layout.pitchDownMm,
                 layout.labelWidthMm, layout.labelHeightMm};
    return slot;
}

int SheetsForLabels(const SheetLayout& layout, int count, int skipLabels)
{
    if (count <= 0)
        return 0;
    return LabelSlotAt(layout, count - 1, skipLabels).sheet + 1;
}

MmRect LabelInterior(const SheetLayout& layout, const MmRect& label)
{
    const double cornerInset = layout.cornerRadiusMm * (1 - 1 / std::sqrt(2.0));
    const double inset = std::max(layout.marginMm, cornerInset);
    return {label.x + inset, label.y + inset, label.width - 2 * inset, label.height - 2 * inset};
}

Result<LabelPlacement, SheetFailure> PlaceOnLabel(const SheetLayout& layout, const MmRect& label, int sideModules,
                                                  double moduleMm, CaptionPlace caption)
{
    const MmRect room = LabelInterior(layout, label);
    const double side = sideModules * moduleMm;
    if (auto fit = CheckFit(room, side); !fit)
        return Fail(fit.Error());
    // A code that fills the room to within the leeway starts at its edge.
    const double spareAcross = std::max(room.width - side, 0.0);
    const double spareDown = std::max(room.height - side, 0.0);
    LabelPlacement placement;
    switch (caption) {
    case CaptionPlace::None: placement.code = {room.x + spareAcross / 2, room.y + spareDown / 2, side, side}; break;
    case CaptionPlace::Under:
        placement.code = {room.x + spareAcross / 2, room.y, side, side};
        if (spareDown > 0)
            placement.caption = {room.x, room.y + side, room.width, spareDown};
        break;
    case CaptionPlace::Beside:
        placement.code = {room.x, room.y + spareDown / 2, side, side};
        if (spareAcross > 0)
            placement.caption = {room.x + side, room.y, spareAcross, room.height};
        break;
    }
    return placement;
}

ModuleDots ModuleInDots(double moduleMm, int dpi)
{
    assert(moduleMm > 0 && dpi >= 1);
    const int dots = std::max(1, static_cast<int>(std::lround(moduleMm * dpi / 25.4)));
    return {dots, dots * 25.4 / dpi};
}

namespace {

// What floating point leaves in a length computed two ways, in millimetres.
constexpr double kRoundingMm = 1e-9;

// `mm` moved to the nearest multiple of `dot`, or to the next one inwards
// where that leaves [low, high] for a length of `side` starting there.
double OnDotGrid(double mm, double side, double low, double high, double dot)
{
    double snapped = std::round(mm / dot) * dot;
    if (snapped < low - kRoundingMm)
        snapped += dot;
    else if (snapped + side > high + kRoundingMm)
        snapped -= dot;
    return snapped;
}

}  // namespace

Result<LabelPlacement, SheetFailure> PlaceOnDots(const SheetLayout& layout, const MmRect& label, int sideModules,
                                                 ModuleDots module, int dpi, CaptionPlace caption)
{
    assert(dpi >= 1);
    Result<LabelPlacement, SheetFailure> placed = PlaceOnLabel(layout, label, sideModules, module.mm, caption);
    if (!placed)
        return placed;
    const MmRect room = LabelInterior(layout, label);
    const double dot = 25.4 / dpi;
    MmRect& code = placed->code;
    code.x = OnDotGrid(code.x, code.width, room.x, room.x + room.width, dot);
    code.y = OnDotGrid(code.y, code.height, room.y, room.y + room.height, dot);
    return placed;
}

std::string SheetListLine(const SheetLayout& layout)
{
    const std::string paper = layout.paperName.empty() ? SizeText(layout.paperWidthMm, layout.paperHeightMm)
                                                       : layout.paperName;
    return Padded(layout.name, 34) + Padded(paper, 16) +
           Padded(SizeText(layout.labelWidthMm, layout.labelHeightMm), 18) + std::to_string(layout.columns) + "×" +
           std::to_string(layout.rows);
}

Result<SheetLayout, SheetFailure> FindSheetLayout(const std::vector<SheetLayout>& layouts, std::string_view name)
{
    const auto found = std::find_if(layouts.begin(), layouts.end(),
                                    [name](const SheetLayout& s) { return s.name == name; });
    if (found != layouts.end())
        return *found;
    SheetFailure failure = Problem(SheetProblem::UnknownSheet);
    failure.name = std::string(name);
    return Fail(failure);
}

}  // namespace nubora
