#include "nubora/logic/sheet_pdf.h"

#include <utility>

#include "pdf_canvas.h"

namespace nubora {
namespace {

// Labels this much wider than high take their caption beside the code.
constexpr double kWideLabelRatio = 1.2;

constexpr detail::TextFit kCaptionFit{kCaptionMaxPt, kCaptionMinPt, detail::TextAlign::Centre};

}  // namespace

CaptionPlace PreferredCaptionPlace(const SheetLayout& layout)
{
    return layout.labelWidthMm > layout.labelHeightMm * kWideLabelRatio ? CaptionPlace::Beside : CaptionPlace::Under;
}

SheetPdfFailure SheetPdfFailureOf(SheetPdfProblem problem)
{
    SheetPdfFailure failure;
    failure.problem = problem;
    return failure;
}

SheetPdfFailure SheetRefusal(const SheetFailure& sheet, int label)
{
    SheetPdfFailure failure = SheetPdfFailureOf(SheetPdfProblem::Sheet);
    failure.sheet = sheet;
    failure.label = label;
    return failure;
}

std::string SheetPdfFailureMessage(const SheetPdfFailure& failure)
{
    switch (failure.problem) {
    case SheetPdfProblem::Sheet:
        return failure.label < 0
                   ? SheetFailureMessage(failure.sheet)
                   : std::to_string(failure.label + 1) + "枚目のラベル：" + SheetFailureMessage(failure.sheet);
    case SheetPdfProblem::NoLabels: return "印刷するラベルがありません。";
    case SheetPdfProblem::Cancelled: return "作成を取り消しました。ファイルは書き込んでいません。";
    case SheetPdfProblem::Drawing: return "PDFを作成できませんでした（" + failure.detail + "）。";
    case SheetPdfProblem::Write: return "ファイル「" + failure.path + "」に書き込めませんでした。";
    }
    return {};
}

struct SheetPdfWriter::Run {
    SheetPdfOptions options;
    detail::PdfCanvas canvas;
    int labels = 0;
    int sheet = 0;  // the sheet on the canvas's current page

    explicit Run(const SheetPdfOptions& o) : options(o), canvas(o.layout.paperWidthMm, o.layout.paperHeightMm) {}

    // The outlines of every label of the current page.
    void DrawCutLines()
    {
        if (options.cutLines != CutLines::Shown)
            return;
        const int perSheet = LabelsPerSheet(options.layout);
        for (int i = 0; i < perSheet; ++i)
            canvas.Outline(LabelSlotAt(options.layout, i, 0).rect, options.layout.cornerRadiusMm);
    }
};

SheetPdfWriter::SheetPdfWriter(std::unique_ptr<Run> run) : run_(std::move(run)) {}
SheetPdfWriter::SheetPdfWriter(SheetPdfWriter&&) noexcept = default;
SheetPdfWriter& SheetPdfWriter::operator=(SheetPdfWriter&&) noexcept = default;
SheetPdfWriter::~SheetPdfWriter() = default;

Result<SheetPdfWriter, SheetPdfFailure> SheetPdfWriter::Start(const SheetPdfOptions& options)
{
    if (auto geometry = ValidateSheetGeometry(options.layout); !geometry)
        return Fail(SheetRefusal(geometry.Error(), -1));
    if (auto start = CheckStartLabel(options.layout, options.skipLabels); !start)
        return Fail(SheetRefusal(start.Error(), -1));
    if (!(options.moduleMm > 0))
        return Fail(SheetPdfFailureOf(SheetPdfProblem::Sheet));
    auto run = std::make_unique<Run>(options);
    run->DrawCutLines();
    return SheetPdfWriter(std::move(run));
}

Result<void, SheetFailure> SheetPdfWriter::Add(const QrBitmap& symbol, std::string_view caption)
{
    Run& r = *run_;
    const LabelSlot slot = LabelSlotAt(r.options.layout, r.labels, r.options.skipLabels);
    Result<LabelPlacement, SheetFailure> placed = PlaceOnLabel(r.options.layout, slot.rect, symbol.Side(),
                                                               r.options.moduleMm, r.options.captionPlace);
    if (!placed)
        return Fail(placed.Error());
    while (r.sheet < slot.sheet) {
        r.canvas.NextPage();
        r.DrawCutLines();
        ++r.sheet;
    }
    r.canvas.FillSymbol(symbol, placed->code.x, placed->code.y, r.options.moduleMm);
    if (r.options.captionPlace != CaptionPlace::None)
        r.canvas.TextLine(caption, placed->caption, kCaptionFit);
    ++r.labels;
    return {};
}

int SheetPdfWriter::Labels() const { return run_->labels; }

Result<std::string, SheetPdfFailure> SheetPdfWriter::Finish()
{
    if (run_->labels == 0)
        return Fail(SheetPdfFailureOf(SheetPdfProblem::NoLabels));
    Result<std::string, detail::PdfCanvasFailure> file = run_->canvas.Finish();
    if (!file) {
        SheetPdfFailure failure = SheetPdfFailureOf(SheetPdfProblem::Drawing);
        failure.detail = file.Error().reason;
        return Fail(failure);
    }
    return std::move(file).Value();
}

Result<void, SheetPdfFailure> SaveSheetPdf(const std::string& path, const std::vector<SheetLabel>& labels,
                                           const SheetPdfOptions& options, const SheetProgress& progress, FileSync sync)
{
    Result<SheetPdfWriter, SheetPdfFailure> writer = SheetPdfWriter::Start(options);
    if (!writer)
        return Fail(writer.Error());
    const int total = static_cast<int>(labels.size());
    for (int i = 0; i < total; ++i) {
        if (auto added = writer->Add(*labels[static_cast<std::size_t>(i)].symbol,
                                     labels[static_cast<std::size_t>(i)].caption);
            !added)
            return Fail(SheetRefusal(added.Error(), i));
        if (progress && !progress(i + 1, total))
            return Fail(SheetPdfFailureOf(SheetPdfProblem::Cancelled));
    }
    Result<std::string, SheetPdfFailure> file = writer->Finish();
    if (!file)
        return Fail(file.Error());
    if (!WriteFileAtomically(path, *file, sync)) {
        SheetPdfFailure failure = SheetPdfFailureOf(SheetPdfProblem::Write);
        failure.path = path;
        return Fail(failure);
    }
    return {};
}

}  // namespace nubora
