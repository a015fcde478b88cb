#include "batch.h"

#include "csv.h"
#include "encode_job.h"
#include "messages.h"
#include "nubora/logic/utf8_input.h"
#include "sheets.h"

#include "nubora/logic/csv_batch.h"
#include "nubora/logic/file_io.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/shell_rules.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

#include <unistd.h>

namespace nubora::cli {
namespace {

// Batches with more rows than this show their progress on a terminal.
constexpr size_t kProgressRows = 100;

// What became of one row, kept until it is reported in row order.
struct RowOutcome {
    std::vector<std::string> complaints;
    std::vector<std::string> warnings;
    bool failed = false;
    bool writeFailed = false;
    // With --sheet: the row's symbols, read back, and its caption (UTF-8).
    std::unique_ptr<SymbolBitmaps> symbols;
    std::string caption;
};

// The English line for a header that does not fit the kind.
std::string ColumnLine(const ColumnFailure& failure)
{
    switch (failure.problem) {
    case ColumnProblem::Unknown: return "unknown column '" + failure.column + "' in the header";
    case ColumnProblem::Repeated: return "column '" + failure.column + "' appears twice in the header";
    case ColumnProblem::MissingFirst:
    case ColumnProblem::NoKind: break;
    }
    return "the header has no column '" + failure.column + "'";
}

// The lines that say why a row made no payload; a character without a
// Shift_JIS code is told with `remedy` (Utf8Remedy).
std::vector<std::string> RowLines(const RowFailure& failure, std::string_view remedy)
{
    switch (failure.problem) {
    case RowProblem::Width:
        return {"has " + std::to_string(failure.fields) + " fields, the header " +
                std::to_string(failure.headerFields)};
    case RowProblem::Conversion: return {failure.column + ": " + Describe(failure.conversion, remedy)};
    case RowProblem::Check: break;
    }
    return CheckFailureLines(failure.check);
}

class BatchRunner {
public:
    BatchRunner(const Options& options, ColumnMap columns, std::vector<CsvRecord> rows)
        : options_(options),
          columns_(std::move(columns)),
          rows_(std::move(rows)),
          outcomes_(rows_.size()),
          done_(rows_.size())
    {
    }

    int Run()
    {
        for (const std::string& advice : BatchAdvice())
            Warn("", advice);
        // Files are written without a flush each (one flush at the end makes
        // them all durable); more workers than cores still hide the writes.
        const unsigned workers = std::clamp(std::thread::hardware_concurrency() * 4, 4u, 16u);
        std::vector<std::jthread> threads;
        for (unsigned i = 0; i < workers; ++i)
            threads.emplace_back([this] { Work(); });
        const int status = ReportInOrder();
        threads.clear();  // every worker has finished
        if (Sheets()) {
            const int written = WriteSheets(options_, SheetRows());
            return written != kExitOk ? written : status;
        }
        if (!FlushFileSystem(options_.outputDir).Ok()) {
            Complain(options_.outputDir + ": ", "the files could not be flushed to the disk");
            return kExitWriteFailed;
        }
        return status;
    }

private:
    bool Sheets() const { return !options_.sheetName.empty(); }

    // The codes of the rows that made one, in row order, for the sheets.
    std::vector<SheetRow> SheetRows() const
    {
        std::vector<SheetRow> rows;
        for (size_t row = 0; row < outcomes_.size(); ++row) {
            if (const RowOutcome& outcome = outcomes_[row]; outcome.symbols)
                rows.push_back({row, outcome.symbols->At(0), outcome.caption});
        }
        return rows;
    }

    // Advice that holds for every row: a split, the MEMORY form, modules
    // printed too small on a sheet.
    std::vector<std::string> BatchAdvice() const
    {
        const bool memoryForm = *options_.kind == BatchKind::Address && options_.form == PayloadForm::Legacy;
        std::vector<std::string> advice = ReaderAdvice({}, options_.splitCount, memoryForm, options_.charset);
        if (const auto small = SmallModuleAdvice(CellSizeMm(options_.cellSizeIndex)); small && Sheets())
            advice.push_back(*small);
        return advice;
    }

    void Work()
    {
        for (size_t row = next_++; row < rows_.size(); row = next_++) {
            if (!stop_)
                outcomes_[row] = RunRow(row);
            {
                std::lock_guard lock(mutex_);
                done_[row] = true;
            }
            changed_.notify_one();
        }
    }

    int ReportInOrder()
    {
        const bool progress = rows_.size() > kProgressRows && ::isatty(STDERR_FILENO);
        bool anyFailed = false;
        for (size_t row = 0; row < rows_.size(); ++row) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return done_[row]; });
            }
            const RowOutcome& outcome = outcomes_[row];
            if (progress && (!outcome.complaints.empty() || !outcome.warnings.empty()))
                std::fputs("\r\033[K", stderr);
            const std::string where = "row " + std::to_string(row + 1) + ": ";
            for (const std::string& line : outcome.complaints)
                Complain(where, line);
            for (const std::string& line : outcome.warnings)
                Warn(where, line);
            anyFailed = anyFailed || outcome.failed;
            if (outcome.writeFailed)
                return Finish(progress, kExitWriteFailed);
            if (progress && (row % 50 == 0 || row + 1 == rows_.size()))
                std::fprintf(stderr, "\r%zu/%zu rows", row + 1, rows_.size());
        }
        return Finish(progress, anyFailed ? kExitInputFailed : kExitOk);
    }

    int Finish(bool progress, int status)
    {
        stop_ = true;
        if (progress)
            std::fputs("\n", stderr);
        return status;
    }

    RowOutcome RunRow(size_t row) const
    {
        RowOutcome outcome;
        const Result<std::string, RowFailure> built = RowPayload(rows_[row], columns_, form_);
        if (!built)
            return Failed(RowLines(built.Error(), Utf8Remedy(options_)));
        const std::string& payload = *built;
        if (Sheets()) {
            Result<CheckedCode, JobFailure> code = EncodeChecked(payload, request_);
            if (!code)
                return Failed(MessageLines(code.Error().messageId, request_.version, request_.splitCount));
            outcome.symbols = std::move(code->symbols);
            outcome.caption = RowCaption(rows_[row], columns_, form_, options_.caption);
        } else if (const Result<int, JobFailure> written = EncodeAndWrite(payload, request_, Target(row)); !written) {
            const JobFailure& failure = written.Error();
            const bool writeFailed = failure.kind == JobFailure::Kind::Write;
            const std::string where = writeFailed ? failure.path + ": " : "";
            for (const std::string& line : MessageLines(failure.messageId, request_.version, request_.splitCount))
                outcome.complaints.push_back(where + line);
            outcome.failed = true;
            outcome.writeFailed = writeFailed;
            return outcome;
        }
        // Only the advice on the row's own characters: the rest was given once.
        outcome.warnings = ReaderAdvice(payload, 1, false, options_.charset);
        return outcome;
    }

    // A failed row with `complaints`.
    static RowOutcome Failed(std::vector<std::string> complaints)
    {
        RowOutcome outcome;
        outcome.complaints = std::move(complaints);
        outcome.failed = true;
        return outcome;
    }

    FileTarget Target(size_t row) const
    {
        char name[32];
        std::snprintf(name, sizeof name, "%04zu", row + 1);
        const auto format = options_.batchFormat;
        return {format, (std::filesystem::path(options_.outputDir) / name).string() + ExtensionOf(format),
                FileSync::Deferred};
    }

    const Options& options_;
    const ColumnMap columns_;
    const std::vector<CsvRecord> rows_;
    const RowForm form_{*options_.kind, options_.addressProfile, options_.mailProfile, options_.cp932,
                        options_.charset};
    const SymbolRequest request_{options_.level, options_.version, options_.splitCount, options_.cellSizeIndex,
                                 options_.charset};
    std::vector<RowOutcome> outcomes_;
    std::vector<bool> done_;  // guarded by mutex_
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<size_t> next_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace

int RunBatch(const Options& options)
{
    if (!options.sheetName.empty()) {
        if (const int choice = CheckSheetChoice(options); choice != kExitOk)
            return choice;
    }
    const Result<std::string, FileStatus> read = ReadWholeFile(options.batchPath);
    if (!read) {
        switch (read.Error()) {
        case FileStatus::CannotOpen: Complain(options.batchPath + ": ", "cannot be opened"); break;
        case FileStatus::InUse: Complain(options.batchPath + ": ", "is locked by another program"); break;
        case FileStatus::Unreadable:
            Complain(options.batchPath + ": ",
                     "cannot be read, or is larger than " + std::to_string(kMaxReadBytes >> 20) + " MiB");
            break;
        }
        return kExitInputFailed;
    }
    Result<std::vector<CsvRecord>, CsvError> parsed = ParseCsv(*read);
    if (!parsed) {
        Complain(options.batchPath + ":" + std::to_string(parsed.Error().line) + ": ", parsed.Error().message);
        return kExitInputFailed;
    }
    std::vector<CsvRecord> records = std::move(parsed).Value();
    if (records.empty()) {
        Complain(options.batchPath + ": ", "has no header row");
        return kExitUsage;
    }
    Result<ColumnMap, ColumnFailure> columns = MapColumns(*options.kind, records.front().fields);
    if (!columns) {
        Complain(options.batchPath + ": ", ColumnLine(columns.Error()));
        return kExitUsage;
    }
    std::error_code ec;
    if (options.sheetName.empty())
        std::filesystem::create_directories(options.outputDir, ec);
    if (ec) {
        Complain(options.outputDir + ": ", "cannot be made: " + ec.message());
        return kExitWriteFailed;
    }
    records.erase(records.begin());
    return BatchRunner(options, std::move(columns).Value(), std::move(records)).Run();
}

}  // namespace nubora::cli
