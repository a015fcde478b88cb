// The label sheets of a CSV file as one job that a window drives a few rows
// at a time: the file read and its kind told by its header, each row checked,
// encoded, read back and put on its label, the rows that fail kept with
// their messages, and the finished PDF. No windows: the sheet dialog shows
// its progress and preview from it, and its tests drive it as it does.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/code_settings.h"
#include "nubora/logic/csv_batch.h"
#include "nubora/logic/result.h"
#include "nubora/logic/sheet_pdf.h"
#include "nubora/logic/symbol_bitmaps.h"

namespace nubora {

// What a job makes of its rows.
struct SheetJobOptions {
    // Level, version and cell size as the settings dialog holds them, and
    // the payload form (形式) of address and mail rows. splitCount is not
    // read: a label holds one symbol.
    CodeSettings code;
    // The caption of each label: "none", "name", "first-line" or a column
    // (RowCaption).
    std::string caption = "none";
    // The layout, the labels to skip and the cut lines; moduleMm and
    // captionPlace are set by the job from `code` and `caption`.
    SheetPdfOptions sheet;
};

// A row that made no label: its number and why.
struct SheetRowFailure {
    size_t row = 0;       // 1-based, the header not counted
    std::string message;  // Japanese, UTF-8
};

// One label of the first sheet, for a preview.
struct PreviewLabel {
    LabelSlot slot;
    LabelPlacement placement;                // empty rectangles when the code does not fit
    std::shared_ptr<SymbolBitmaps> symbols;  // the row's code, read back; never null
    std::string caption;                     // UTF-8; empty for none
};

// What a run makes of the rows that give a label.
enum class SheetRunOutput {
    Pdf,     // the PDF of SheetPdfWriter, from Finish
    Labels,  // the labels themselves, for a printer, from TakeLabels
};

// A label of a run kept for printing: its row's code and caption.
struct SheetRunLabel {
    size_t row = 0;                          // 1-based, the header not counted
    std::shared_ptr<SymbolBitmaps> symbols;  // the row's code, read back; never null
    std::string caption;                     // UTF-8; empty for none
};

// The writer's options of a run with `options`: the module of the chosen
// cell size, and the caption's place (PreferredCaptionPlace) when there is
// a caption.
SheetPdfOptions SheetRunOptions(const SheetJobOptions& options);

// A CSV file that cannot be used, with its message (Japanese, UTF-8).
struct SheetCsvFailure {
    std::string message;
};

// A run of labels from the rows of one CSV file. Movable, not copyable.
class SheetJob {
public:
    // Reads `csv` (UTF-8, or CP932 bytes when `cp932`): the first record is
    // the header, which tells the kind (DetectBatchKind). Fails with the
    // message of a record that cannot be parsed (its line), a header that
    // fits no kind or a file without rows.
    static Result<SheetJob, SheetCsvFailure> Open(std::string_view csv, bool cp932 = false);

    SheetJob(SheetJob&&) noexcept;
    SheetJob& operator=(SheetJob&&) noexcept;
    ~SheetJob();

    BatchKind Kind() const;
    // The rows after the header.
    size_t Rows() const;
    // The columns the header names, in its order, for a caption of a column.
    std::vector<std::string> HeaderColumns() const;

    // The labels of the first sheet for `options`: the first rows that make
    // a code, encoded and read back, each at its slot (skipping the rows
    // that fail, of at most twice the sheet's labels and 16 more rows tried).
    // Fails like Start.
    Result<std::vector<PreviewLabel>, SheetPdfFailure> FirstSheet(const SheetJobOptions& options) const;

    // Begins a new run with `options` that makes `output`, dropping one
    // begun before. Fails when the layout, the start label or the module is
    // refused (SheetPdfWriter).
    Result<void, SheetPdfFailure> Start(const SheetJobOptions& options, SheetRunOutput output = SheetRunOutput::Pdf);
    // Takes the next `count` (≥ 1) rows of the run begun: each is checked,
    // encoded, read back and put on the next label, or kept as a failure
    // (also a code too big for its label at the chosen module).
    // Returns the rows done so far; nothing after the last row or without a
    // run.
    size_t Step(size_t count);
    // Rows taken so far in this run.
    size_t RowsDone() const;
    bool Done() const;
    // The rows of this run that made no label, in row order.
    const std::vector<SheetRowFailure>& Failures() const;
    // Drops the run begun, unfinished: no PDF is made of it. Its failures
    // so far stay.
    void Abandon();
    // The PDF of a Pdf run once Done: NoLabels when no row made a label (or
    // for a Labels run), Drawing when cairo failed. The run is over after it.
    Result<std::string, SheetPdfFailure> Finish();
    // The labels of a Labels run once Done, in row order; empty for a Pdf
    // run. The run is over after it.
    std::vector<SheetRunLabel> TakeLabels();

private:
    struct Data;
    explicit SheetJob(std::unique_ptr<Data> data);
    std::unique_ptr<Data> data_;
};

// The lines of `failures` as a text file (UTF-8, one "行 N: message" a
// line, LF line ends), for the user to keep.
std::string SheetFailureList(const std::vector<SheetRowFailure>& failures);

}  // namespace nubora
