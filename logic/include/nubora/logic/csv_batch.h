// The rows of a CSV file of entries as payloads: which kind of entry the
// file holds (told by its header), where each field's column is, and each
// row checked and built by the input screens' own checks and payload
// builders. nubora-qr's batches and the program's sheet dialog share it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/csv.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/result.h"
#include "nubora/logic/utf8_input.h"

namespace nubora {

// What the rows of a batch hold.
enum class BatchKind { Text, Address, Mail };
// The payload form of address rows: the MEMORY text or a MECARD.
enum class AddressProfile { Memory, Mecard };
// The payload form of mail rows: the MAILTO text or a mailto: URI.
enum class MailProfile { MailtoLegacy, MailtoUri };

// The name of `field` as the CSV header writes it ("name", "tel1", "to",
// "text" …); ASCII.
const char* FieldName(EntryField field);

// The columns a kind of row may have, in the order of its screen's fields;
// the first of them must be there.
std::vector<std::string> ColumnsOf(BatchKind kind);

// The header's column of each of the kind's fields, -1 where it has none.
struct ColumnMap {
    std::vector<std::string> names;  // the kind's fields, ColumnsOf
    std::vector<int> index;          // one a name: the 0-based column, or -1
    size_t width = 0;                // fields a row must have: the header's
};

// Why a header does not fit a kind.
enum class ColumnProblem {
    Unknown,       // a column that is no field of the kind
    Repeated,      // a column named twice
    MissingFirst,  // no column of the kind's first field (`column` names it)
    NoKind,        // no kind fits the header (`column`: its first column)
};

// A header refused and the column its message names.
struct ColumnFailure {
    ColumnProblem problem = ColumnProblem::NoKind;
    std::string column;
};

// The columns of `header` for the kind's fields. Fails on the first unknown
// or repeated column, else without the first field's column.
Result<ColumnMap, ColumnFailure> MapColumns(BatchKind kind, const std::vector<std::string>& header);

// The kind whose fields `header` names: the first of address book, mail
// and text for which MapColumns succeeds; NoKind when none does.
Result<BatchKind, ColumnFailure> DetectBatchKind(const std::vector<std::string>& header);

// How the rows become payloads.
struct RowForm {
    BatchKind kind = BatchKind::Text;
    AddressProfile addressProfile = AddressProfile::Memory;
    MailProfile mailProfile = MailProfile::MailtoLegacy;
    bool cp932 = false;  // the values are CP932 bytes already, not UTF-8
    // The charset of the payloads: the values converted to it, the entries
    // checked and built in it.
    text::TextCharset charset = text::TextCharset::Cp932;
};

// Why a row makes no payload.
enum class RowProblem {
    Width,       // not as many fields as the header
    Conversion,  // a value that is no UTF-8 or has a character without a CP932 code
    Check,       // a value that breaks its screen's rule
};

// A row refused and what its message needs.
struct RowFailure {
    RowProblem problem = RowProblem::Width;
    size_t fields = 0;        // Width: the row's fields
    size_t headerFields = 0;  // Width: the header's
    std::string column;       // Conversion: the column of the value
    ConversionFailure conversion;
    CheckFailure check{EntryField::Text};  // Check: the rule broken
};

// The payload (in form.charset) of `record` in the kind's form: every value
// in that charset with CR LF line breaks, checked by the kind's entry check (a mail needs a
// recipient), built by the kind's payload builder for `form`'s profile.
Result<std::string, RowFailure> RowPayload(const CsvRecord& record, const ColumnMap& columns, const RowForm& form);

// The caption of `record` (UTF-8) for `caption`: "none" none; "name" the
// first line of the name (address book), the subject (mail) or the text;
// "first-line" the first line of the kind's first field; else the value of
// the column `caption` names. Empty when the header has no such column or
// the row is too short.
std::string RowCaption(const CsvRecord& record, const ColumnMap& columns, const RowForm& form,
                       std::string_view caption);

}  // namespace nubora
