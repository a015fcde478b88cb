#include "nubora/logic/csv_batch.h"

#include "nubora/logic/payload_forms.h"
#include "nubora/text/cp932.h"

#include <algorithm>
#include <span>

namespace nubora {
namespace {

// The values of the kind's fields in `record`, in `form`'s charset with CR LF
// line breaks.
Result<std::vector<std::string>, RowFailure> TakeValues(const CsvRecord& record, const ColumnMap& columns,
                                                        const RowForm& form)
{
    if (record.fields.size() != columns.width) {
        RowFailure failure;
        failure.problem = RowProblem::Width;
        failure.fields = record.fields.size();
        failure.headerFields = columns.width;
        return Fail(failure);
    }
    std::vector<std::string> values;
    for (size_t field = 0; field < columns.index.size(); ++field) {
        const int column = columns.index[field];
        const std::string value = column < 0 ? std::string() : record.fields[static_cast<size_t>(column)];
        Result<std::string, ConversionFailure> converted = InputIn(value, form.cp932, form.charset);
        if (!converted) {
            RowFailure failure;
            failure.problem = RowProblem::Conversion;
            failure.column = columns.names[field];
            failure.conversion = converted.Error();
            return Fail(failure);
        }
        values.push_back(CrLfLineBreaks(*converted));
    }
    return values;
}

}  // namespace

const char* FieldName(EntryField field)
{
    switch (field) {
    case EntryField::Name: return "name";
    case EntryField::Reading: return "reading";
    case EntryField::Tel1: return "tel1";
    case EntryField::Tel2: return "tel2";
    case EntryField::Mail1: return "mail1";
    case EntryField::Mail2: return "mail2";
    case EntryField::Address: return "address";
    case EntryField::Memo: return "memo";
    case EntryField::To: return "to";
    case EntryField::Subject: return "subject";
    case EntryField::Body: return "body";
    case EntryField::Text: return "text";
    }
    return "";
}

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

Result<ColumnMap, ColumnFailure> MapColumns(BatchKind kind, const std::vector<std::string>& header)
{
    ColumnMap map{ColumnsOf(kind), {}, header.size()};
    const std::vector<std::string>& columns = map.names;
    map.index.assign(columns.size(), -1);
    for (size_t i = 0; i < header.size(); ++i) {
        const auto it = std::find(columns.begin(), columns.end(), header[i]);
        if (it == columns.end())
            return Fail(ColumnFailure{ColumnProblem::Unknown, header[i]});
        int& slot = map.index[static_cast<size_t>(it - columns.begin())];
        if (slot >= 0)
            return Fail(ColumnFailure{ColumnProblem::Repeated, header[i]});
        slot = static_cast<int>(i);
    }
    if (map.index[0] < 0)
        return Fail(ColumnFailure{ColumnProblem::MissingFirst, columns[0]});
    return map;
}

Result<BatchKind, ColumnFailure> DetectBatchKind(const std::vector<std::string>& header)
{
    for (const BatchKind kind : {BatchKind::Address, BatchKind::Mail, BatchKind::Text}) {
        if (MapColumns(kind, header))
            return kind;
    }
    return Fail(ColumnFailure{ColumnProblem::NoKind, header.empty() ? std::string() : header.front()});
}

Result<std::string, RowFailure> RowPayload(const CsvRecord& record, const ColumnMap& columns, const RowForm& form)
{
    const Result<std::vector<std::string>, RowFailure> taken = TakeValues(record, columns, form);
    if (!taken)
        return Fail(taken.Error());
    const std::vector<std::string>& v = *taken;
    std::string payload;
    Result<void, CheckFailure> checked;
    switch (form.kind) {
    case BatchKind::Address: {
        const AddressBookEntry entry{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], form.charset};
        checked = CheckAddressBookEntry(entry);
        payload = form.addressProfile == AddressProfile::Mecard ? MecardPayload(entry) : AddressBookPayload(entry);
        break;
    }
    case BatchKind::Mail: {
        const MailEntry entry{v[0], v[1], v[2], form.charset};
        checked = CheckMailEntry(entry, true);
        payload = form.mailProfile == MailProfile::MailtoUri ? MailtoUriPayload(entry) : MailPayload(entry);
        break;
    }
    case BatchKind::Text:
        checked = CheckFreeText(v[0], form.charset);
        payload = v[0];
        break;
    }
    if (!checked) {
        RowFailure failure;
        failure.problem = RowProblem::Check;
        failure.check = checked.Error();
        return Fail(failure);
    }
    return payload;
}

std::string RowCaption(const CsvRecord& record, const ColumnMap& columns, const RowForm& form, std::string_view caption)
{
    if (caption == "none")
        return {};
    const bool firstLine = caption == "first-line" || caption == "name";
    std::string column(caption);
    if (caption == "first-line")
        column = columns.names[0];
    else if (caption == "name")
        column = FieldName(form.kind == BatchKind::Address ? EntryField::Name
                           : form.kind == BatchKind::Mail  ? EntryField::Subject
                                                           : EntryField::Text);
    const auto it = std::find(columns.names.begin(), columns.names.end(), column);
    const int index = it == columns.names.end() ? -1 : columns.index[static_cast<size_t>(it - columns.names.begin())];
    if (index < 0 || static_cast<size_t>(index) >= record.fields.size())
        return {};
    std::string value = record.fields[static_cast<size_t>(index)];
    if (form.cp932)
        value = text::Cp932ToUtf8(value);
    if (firstLine)
        value.resize(std::min(value.size(), value.find_first_of("\r\n")));
    return value;
}

}  // namespace nubora
