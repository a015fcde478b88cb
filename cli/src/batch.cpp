#include "batch.h"

#include "csv.h"
#include "encode_job.h"
#include "messages.h"
#include "sheets.h"
#include "text_input.h"

#include "nubora/logic/entry_checks.h"
#include "nubora/logic/file_io.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/text/cp932.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <span>
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

// The header's column of each of the kind's fields, -1 where it has none.
struct ColumnMap {
    std::vector<std::string> names;  // the kind's fields, ColumnsOf
    std::vector<int> index;
    size_t width = 0;  // fields a row must have
};

// The columns of `header` for the kind's fields. Fails, with the line that
// says why, on an unknown or repeated column or without the first field's.
Result<ColumnMap, std::string> MapColumns(BatchKind kind, const std::vector<std::string>& header)
{
    ColumnMap map{ColumnsOf(kind), {}, header.size()};
    const std::vector<std::string>& columns = map.names;
    map.index.assign(columns.size(), -1);
    for (size_t i = 0; i < header.size(); ++i) {
        const auto it = std::find(columns.begin(), columns.end(), header[i]);
        if (it == columns.end())
            return Fail("unknown column '" + header[i] + "' in the header");
        int& slot = map.index[static_cast<size_t>(it - columns.begin())];
        if (slot >= 0)
            return Fail("column '" + header[i] + "' appears twice in the header");
        slot = static_cast<int>(i);
    }
    if (map.index[0] < 0)
        return Fail("the header has no column '" + columns[0] + "'");
    return map;
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
        const Result<std::vector<std::string>, std::string> values = TakeValues(rows_[row]);
        if (!values)
            return Failed({values.Error()});
        const Result<std::string, std::vector<std::string>> built = BuildPayload(*values);
        if (!built)
            return Failed(built.Error());
        const std::string& payload = *built;
        if (Sheets()) {
            Result<CheckedCode, JobFailure> code = EncodeChecked(payload, request_);
            if (!code)
                return Failed(MessageLines(code.Error().messageId, request_.version, request_.splitCount));
            outcome.symbols = std::move(code->symbols);
            outcome.caption = CaptionOf(rows_[row]);
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

    // The row's values for the kind's fields, in the codes' charset with CR
    // LF line breaks.
    // Fails with the line that says why: a row of the wrong width, or a
    // value that cannot be converted.
    Result<std::vector<std::string>, std::string> TakeValues(const CsvRecord& record) const
    {
        if (record.fields.size() != columns_.width) {
            return Fail("has " + std::to_string(record.fields.size()) + " fields, the header " +
                        std::to_string(columns_.width));
        }
        std::vector<std::string> values;
        for (size_t field = 0; field < columns_.index.size(); ++field) {
            const int column = columns_.index[field];
            std::string value = column < 0 ? std::string() : record.fields[static_cast<size_t>(column)];
            Result<std::string, ConversionFailure> converted = InputIn(value, options_.cp932, options_.charset);
            if (!converted)
                return Fail(columns_.names[field] + ": " + Describe(converted.Error(), Utf8Remedy(options_)));
            values.push_back(CrLfLineBreaks(*converted));
        }
        return values;
    }

    // The row's caption as --caption asks, UTF-8: a column's value, or the
    // first line of it for "first-line" (the first column) and "name" (the
    // name, the subject or the text).
    std::string CaptionOf(const CsvRecord& record) const
    {
        const std::string& what = options_.caption;
        std::string column = what;
        if (what == "none")
            return {};
        if (what == "first-line")
            column = columns_.names[0];
        else if (what == "name")
            column = FieldName(*options_.kind == BatchKind::Address ? EntryField::Name
                               : *options_.kind == BatchKind::Mail  ? EntryField::Subject
                                                                    : EntryField::Text);
        const auto it = std::find(columns_.names.begin(), columns_.names.end(), column);
        const int index = it == columns_.names.end() ? -1
                                                     : columns_.index[static_cast<size_t>(it - columns_.names.begin())];
        if (index < 0)
            return {};
        std::string value = record.fields[static_cast<size_t>(index)];
        if (options_.cp932)
            value = text::Cp932ToUtf8(value);
        if (what == "first-line" || what == "name")
            value.resize(std::min(value.size(), value.find_first_of("\r\n")));
        return value;
    }

    // The payload of the row's values (in the codes' charset) in the kind's
    // form. Fails with the
    // lines of the entry check the values do not pass.
    Result<std::string, std::vector<std::string>> BuildPayload(const std::vector<std::string>& v) const
    {
        std::string payload;
        Result<void, CheckFailure> checked;
        switch (*options_.kind) {
        case BatchKind::Address: {
            const AddressBookEntry entry{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], options_.charset};
            checked = CheckAddressBookEntry(entry);
            payload = options_.form == PayloadForm::Standard ? MecardPayload(entry) : AddressBookPayload(entry);
            break;
        }
        case BatchKind::Mail: {
            const MailEntry entry{v[0], v[1], v[2], options_.charset};
            checked = CheckMailEntry(entry, true);
            payload = options_.form == PayloadForm::Standard ? MailtoUriPayload(entry) : MailPayload(entry);
            break;
        }
        case BatchKind::Text:
            checked = CheckFreeText(v[0], options_.charset);
            payload = v[0];
            break;
        }
        if (!checked)
            return Fail(CheckFailureLines(checked.Error()));
        return payload;
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

std::vector<std::string> ColumnsOf(BatchKind kind)
{
    using F = EntryField;
    static constexpr EntryField kAddress[] = {F::Name,  F::Reading, F::Tel1,    F::Tel2,
                                              F::Mail1, F::Mail2,   F::Address, F::Memo};
    static constexpr EntryField kMail[] = {F::To, F::Subject, F::Body};
    static constexpr EntryField kText[] = {F::Text};
    std::span<const EntryField> fields = kText;
    if (kind == BatchKind::Address)
        fields = kAddress;
    else if (kind == BatchKind::Mail)
        fields = kMail;
    std::vector<std::string> names;
    for (const EntryField field : fields)
        names.emplace_back(FieldName(field));
    return names;
}

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
    Result<ColumnMap, std::string> columns = MapColumns(*options.kind, records.front().fields);
    if (!columns) {
        Complain(options.batchPath + ": ", columns.Error());
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
