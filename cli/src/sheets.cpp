#include "sheets.h"

#include "encode_job.h"
#include "messages.h"

#include "nubora/logic/file_io.h"
#include "nubora/logic/glabels_templates.h"
#include "nubora/logic/sheet_pdf.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/resources/string_ids.h"

#include <algorithm>
#include <cstdio>

namespace nubora::cli {
namespace {

// The code the plain grid of --list-sheets is shown for: version 10 at 0.5 mm.
constexpr int kListedGridModules = 4 * 10 + 17 + 8;
constexpr double kListedGridModuleMm = 0.5;

// The English line after a sheet's message.
const char* EnglishLine(SheetProblem problem)
{
    switch (problem) {
    case SheetProblem::BadGeometry: return "the sheet layout has a size that cannot be";
    case SheetProblem::LabelsOverlap: return "the labels of the sheet overlap";
    case SheetProblem::OffPaper: return "the labels run off the paper";
    case SheetProblem::CodeTooBig: return "the code with its quiet zone does not fit on the label";
    case SheetProblem::StartOutOfRange: return "--start is not a label of the sheet";
    case SheetProblem::UnknownSheet: return "no such sheet layout (nubora-qr --list-sheets lists them)";
    }
    return "";
}

void ComplainSheet(const std::string& where, const SheetFailure& failure)
{
    Complain(where, SheetFailureMessage(failure));
    Complain(where, EnglishLine(failure.problem));
}

}  // namespace

int ListSheets()
{
    std::vector<SheetLayout> layouts = BuiltInSheetLayouts();
    layouts.push_back(PlainGridLayout(kListedGridModules * kListedGridModuleMm, kBuiltInLabelMarginMm));
    const GlabelsTemplates glabels = ReadGlabelsTemplates();
    for (SheetLayout& layout : AvailableSheetLayouts(glabels)) {
        if (std::none_of(layouts.begin(), layouts.end(), [&](const SheetLayout& l) { return l.name == layout.name; }))
            layouts.push_back(std::move(layout));
    }
    for (const SheetLayout& layout : layouts)
        std::printf("%s\n", SheetListLine(layout).c_str());
    return kExitOk;
}

Result<SheetLayout, SheetFailure> SheetNamed(const std::string& name, double codeSideMm)
{
    if (name == kPlainGridName)
        return PlainGridLayout(codeSideMm, kBuiltInLabelMarginMm);
    if (Result<SheetLayout, SheetFailure> builtIn = FindSheetLayout(BuiltInSheetLayouts(), name))
        return builtIn;
    return FindSheetLayout(ReadGlabelsTemplates().layouts, name);
}

int CheckSheetChoice(const Options& options)
{
    if (options.sheetName == kPlainGridName)
        return kExitOk;
    const Result<SheetLayout, SheetFailure> layout = SheetNamed(options.sheetName, 1.0);
    if (!layout) {
        ComplainSheet("--sheet " + options.sheetName + ": ", layout.Error());
        return kExitUsage;
    }
    if (const auto start = CheckStartLabel(*layout, options.startLabel - 1); !start) {
        ComplainSheet("--start: ", start.Error());
        return kExitUsage;
    }
    return kExitOk;
}

int WriteSheets(const Options& options, const std::vector<SheetRow>& rows)
{
    const double moduleMm = CellSizeMm(options.cellSizeIndex);
    int32_t side = 1;
    for (const SheetRow& row : rows)
        side = std::max(side, row.symbol->Side());
    const Result<SheetLayout, SheetFailure> layout = SheetNamed(options.sheetName, side * moduleMm);
    if (!layout) {
        ComplainSheet("--sheet " + options.sheetName + ": ", layout.Error());
        return kExitUsage;
    }
    SheetPdfOptions sheet{*layout, moduleMm, options.startLabel - 1,
                          options.caption == "none" ? CaptionPlace::None : PreferredCaptionPlace(*layout),
                          options.cutLines ? CutLines::Shown : CutLines::Hidden};
    Result<SheetPdfWriter, SheetPdfFailure> writer = SheetPdfWriter::Start(sheet);
    if (!writer) {
        ComplainSheet(writer.Error().sheet.problem == SheetProblem::StartOutOfRange ? "--start: " : "--sheet: ",
                      writer.Error().sheet);
        return kExitUsage;
    }
    bool anyRefused = false;
    for (const SheetRow& row : rows) {
        if (const Result<void, SheetFailure> added = writer->Add(*row.symbol, row.caption); !added) {
            ComplainSheet("row " + std::to_string(row.row + 1) + ": ", added.Error());
            anyRefused = true;
        }
    }
    const Result<std::string, SheetPdfFailure> file = writer->Finish();
    if (!file) {
        Complain(options.outputPath + ": ", SheetPdfFailureMessage(file.Error()));
        return kExitInputFailed;
    }
    if (!WriteFileAtomically(options.outputPath, *file, FileSync::Now)) {
        for (const std::string& line : MessageLines(res::str::kFileOpenFailed))
            Complain(options.outputPath + ": ", line);
        return kExitWriteFailed;
    }
    return anyRefused ? kExitInputFailed : kExitOk;
}

}  // namespace nubora::cli
