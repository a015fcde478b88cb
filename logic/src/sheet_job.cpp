#include "nubora/logic/sheet_job.h"

#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"

#include <algorithm>
#include <utility>

namespace nubora {
namespace {

// Rows a preview tries beyond twice the labels it shows, when rows fail.
constexpr size_t kPreviewExtraRows = 16;

std::string ColumnMessage(const ColumnFailure& failure)
{
    switch (failure.problem) {
    case ColumnProblem::Unknown: return res::FilledStringText(res::str::kCsvUnknownColumn, {failure.column});
    case ColumnProblem::Repeated: return res::FilledStringText(res::str::kCsvRepeatedColumn, {failure.column});
    case ColumnProblem::MissingFirst:
    case ColumnProblem::NoKind: break;
    }
    return res::FilledStringText(res::str::kCsvNoKind, {failure.column});
}

std::string RowMessage(const RowFailure& failure)
{
    switch (failure.problem) {
    case RowProblem::Width:
        return res::FilledStringText(res::str::kCsvRowWidth,
                                     {std::to_string(failure.fields), std::to_string(failure.headerFields)});
    case RowProblem::Conversion: return res::FilledStringText(res::str::kCsvBadCharacter, {failure.column});
    case RowProblem::Check: break;
    }
    return std::string(FieldName(failure.check.field)) + ": " + CheckFailureMessage(failure.check);
}

// The payload form of the rows for `code`'s 形式.
RowForm FormFor(BatchKind kind, const CodeSettings& code, bool cp932)
{
    const bool standard = code.form == PayloadForm::Standard;
    return {kind, standard ? AddressProfile::Mecard : AddressProfile::Memory,
            standard ? MailProfile::MailtoUri : MailProfile::MailtoLegacy, cp932, PayloadCharset(code.form)};
}

}  // namespace

SheetPdfOptions SheetRunOptions(const SheetJobOptions& options)
{
    SheetPdfOptions sheet = options.sheet;
    sheet.moduleMm = CellSizeMm(options.code.cellSizeIndex);
    sheet.captionPlace = options.caption == "none" ? CaptionPlace::None : PreferredCaptionPlace(sheet.layout);
    return sheet;
}

struct SheetJob::Data {
    BatchKind kind = BatchKind::Text;
    bool cp932 = false;
    std::vector<std::string> header;
    ColumnMap columns;
    std::vector<CsvRecord> rows;

    // The run begun by Start: a writer for a PDF, the labels kept for a printer.
    bool running = false;
    std::optional<SheetPdfWriter> writer;
    std::vector<SheetRunLabel> kept;
    SheetJobOptions options;
    size_t done = 0;
    std::vector<SheetRowFailure> failures;

    // The symbol of row `row` (0-based), read back, and its caption; or the
    // message why the row makes none.
    Result<PreviewLabel, std::string> Encode(size_t row, const SheetJobOptions& with) const
    {
        const Result<std::string, RowFailure> payload = RowPayload(rows[row], columns, FormFor(kind, with.code, cp932));
        if (!payload)
            return Fail(RowMessage(payload.Error()));
        CodeSettings settings = with.code;
        settings.splitCount = 1;
        PreviewLabel label{{}, {}, std::make_shared<SymbolBitmaps>(), {}};
        if (const auto encoded = EncodeReadBack(*payload, settings, *label.symbols, PayloadCharset(settings.form));
            !encoded)
            return Fail(std::string(res::StringText(encoded.Error().messageId)));
        label.caption = RowCaption(rows[row], columns, FormFor(kind, with.code, cp932), with.caption);
        return label;
    }
};

SheetJob::SheetJob(std::unique_ptr<Data> data) : data_(std::move(data)) {}
SheetJob::SheetJob(SheetJob&&) noexcept = default;
SheetJob& SheetJob::operator=(SheetJob&&) noexcept = default;
SheetJob::~SheetJob() = default;

Result<SheetJob, SheetCsvFailure> SheetJob::Open(std::string_view csv, bool cp932)
{
    Result<std::vector<CsvRecord>, CsvError> parsed = ParseCsv(csv);
    if (!parsed)
        return Fail(
            SheetCsvFailure{res::FilledStringText(res::str::kCsvUnreadable, {std::to_string(parsed.Error().line)})});
    std::vector<CsvRecord> records = std::move(parsed).Value();
    if (records.size() < 2)
        return Fail(SheetCsvFailure{std::string(res::StringText(res::str::kCsvNoRows))});
    auto data = std::make_unique<Data>();
    data->header = records.front().fields;
    const Result<BatchKind, ColumnFailure> kind = DetectBatchKind(data->header);
    if (!kind)
        return Fail(SheetCsvFailure{ColumnMessage(kind.Error())});
    data->kind = *kind;
    data->cp932 = cp932;
    data->columns = *MapColumns(*kind, data->header);
    records.erase(records.begin());
    data->rows = std::move(records);
    return SheetJob(std::move(data));
}

BatchKind SheetJob::Kind() const { return data_->kind; }
size_t SheetJob::Rows() const { return data_->rows.size(); }
std::vector<std::string> SheetJob::HeaderColumns() const { return data_->header; }

Result<std::vector<PreviewLabel>, SheetPdfFailure> SheetJob::FirstSheet(const SheetJobOptions& options) const
{
    const SheetPdfOptions sheet = SheetRunOptions(options);
    if (Result<SheetPdfWriter, SheetPdfFailure> check = SheetPdfWriter::Start(sheet); !check)
        return Fail(check.Error());
    const int room = LabelsPerSheet(sheet.layout) - sheet.skipLabels;
    std::vector<PreviewLabel> labels;
    // A file of failing rows is not read to its end for a preview.
    const size_t tried = std::min(data_->rows.size(), static_cast<size_t>(room) * 2 + kPreviewExtraRows);
    for (size_t row = 0; row < tried && static_cast<int>(labels.size()) < room; ++row) {
        Result<PreviewLabel, std::string> label = data_->Encode(row, options);
        if (!label)
            continue;
        label->slot = LabelSlotAt(sheet.layout, static_cast<int>(labels.size()), sheet.skipLabels);
        if (auto placed = PlaceOnLabel(sheet.layout, label->slot.rect, label->symbols->At(0)->Side(), sheet.moduleMm,
                                       sheet.captionPlace))
            label->placement = *placed;
        labels.push_back(std::move(label).Value());
    }
    return labels;
}

Result<void, SheetPdfFailure> SheetJob::Start(const SheetJobOptions& options, SheetRunOutput output)
{
    Abandon();
    data_->done = 0;
    data_->failures.clear();
    // The writer checks the layout, the start and the module for either output.
    Result<SheetPdfWriter, SheetPdfFailure> writer = SheetPdfWriter::Start(SheetRunOptions(options));
    if (!writer)
        return Fail(writer.Error());
    if (output == SheetRunOutput::Pdf)
        data_->writer.emplace(std::move(writer).Value());
    data_->running = true;
    data_->options = options;
    return {};
}

namespace {

// Keeps `label` of row `row` (0-based) for a printer when its code fits the
// next label at the chosen module; else the message why not.
Result<void, SheetFailure> KeepForPrinter(std::vector<SheetRunLabel>& kept, const SheetPdfOptions& sheet, size_t row,
                                          const PreviewLabel& label)
{
    const LabelSlot slot = LabelSlotAt(sheet.layout, static_cast<int>(kept.size()), sheet.skipLabels);
    if (auto placed = PlaceOnLabel(sheet.layout, slot.rect, label.symbols->At(0)->Side(), sheet.moduleMm,
                                   sheet.captionPlace);
        !placed)
        return Fail(placed.Error());
    kept.push_back({row + 1, label.symbols, label.caption});
    return {};
}

}  // namespace

size_t SheetJob::Step(size_t count)
{
    Data& d = *data_;
    if (!d.running)
        return d.done;
    const SheetPdfOptions sheet = SheetRunOptions(d.options);
    for (const size_t end = std::min(d.rows.size(), d.done + count); d.done < end; ++d.done) {
        const Result<PreviewLabel, std::string> label = d.Encode(d.done, d.options);
        if (!label) {
            d.failures.push_back({d.done + 1, label.Error()});
            continue;
        }
        const Result<void, SheetFailure> added = d.writer ? d.writer->Add(*label->symbols->At(0), label->caption)
                                                          : KeepForPrinter(d.kept, sheet, d.done, *label);
        if (!added)
            d.failures.push_back({d.done + 1, SheetFailureMessage(added.Error())});
    }
    return d.done;
}

size_t SheetJob::RowsDone() const { return data_->done; }
bool SheetJob::Done() const { return data_->done == data_->rows.size(); }
const std::vector<SheetRowFailure>& SheetJob::Failures() const { return data_->failures; }

void SheetJob::Abandon()
{
    data_->writer.reset();
    data_->kept.clear();
    data_->running = false;
}

Result<std::string, SheetPdfFailure> SheetJob::Finish()
{
    data_->running = false;
    if (!data_->writer)
        return Fail(SheetPdfFailureOf(SheetPdfProblem::NoLabels));
    Result<std::string, SheetPdfFailure> file = data_->writer->Finish();
    data_->writer.reset();
    return file;
}

std::vector<SheetRunLabel> SheetJob::TakeLabels()
{
    data_->running = false;
    return std::exchange(data_->kept, {});
}

std::string SheetFailureList(const std::vector<SheetRowFailure>& failures)
{
    std::string text;
    for (const SheetRowFailure& failure : failures)
        text += "行 " + std::to_string(failure.row) + ": " + failure.message + "\n";
    return text;
}

}  // namespace nubora
