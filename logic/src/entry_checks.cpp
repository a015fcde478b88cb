#include "nubora/logic/entry_checks.h"

#include "nubora/logic/validation.h"
#include "nubora/resources/string_ids.h"

#include <initializer_list>
#include <string>

namespace nubora {
namespace {

namespace msg = res::str;

struct LimitedValue {
    EntryField field;
    const std::string& value;
};

std::optional<CheckFailure> FirstTooLong(std::initializer_list<LimitedValue> values)
{
    for (const LimitedValue& v : values) {
        const int limit = FieldLimitBytes(v.field);
        if (limit > 0 && v.value.size() > static_cast<size_t>(limit))
            return CheckFailure{v.field, 0, limit};
    }
    return std::nullopt;
}

}  // namespace

int FieldLimitBytes(EntryField field) noexcept
{
    switch (field) {
    case EntryField::Name:
    case EntryField::Reading: return 24;
    case EntryField::Tel1:
    case EntryField::Tel2: return 36;
    case EntryField::Mail1:
    case EntryField::Mail2: return 64;
    case EntryField::Address:
    case EntryField::Memo: return 80;
    case EntryField::To: return 640;
    case EntryField::Subject: return 100;
    case EntryField::Body: return 10000;
    case EntryField::Text: return 0;
    }
    return 0;
}

std::optional<CheckFailure> CheckAddressBookEntry(const AddressBookEntry& e, FieldLimits limits)
{
    using F = EntryField;
    if (limits == FieldLimits::Checked) {
        if (auto tooLong = FirstTooLong({{F::Name, e.name},
                                         {F::Reading, e.reading},
                                         {F::Tel1, e.tel1},
                                         {F::Tel2, e.tel2},
                                         {F::Mail1, e.mail1},
                                         {F::Mail2, e.mail2},
                                         {F::Address, e.address},
                                         {F::Memo, e.memo}}))
            return tooLong;
    }
    if (CheckReadingChars(e.reading) != 0)
        return CheckFailure{F::Reading, msg::kBadReadingChars};
    if (CheckChars(e.tel1, TelChars) != 0)
        return CheckFailure{F::Tel1, msg::kBadTelChars};
    if (CheckChars(e.tel2, TelChars) != 0)
        return CheckFailure{F::Tel2, msg::kBadTelChars};
    if (CheckChars(e.mail1, MailChars) != 0)
        return CheckFailure{F::Mail1, msg::kBadMailChars};
    if (CheckChars(e.mail2, MailChars) != 0)
        return CheckFailure{F::Mail2, msg::kBadMailChars};
    return std::nullopt;
}

std::optional<CheckFailure> CheckMailEntry(const MailEntry& e, bool recipientRequired, FieldLimits limits)
{
    using F = EntryField;
    if (limits == FieldLimits::Checked) {
        if (auto tooLong = FirstTooLong({{F::To, e.to}, {F::Subject, e.subject}, {F::Body, e.body}}))
            return tooLong;
    }
    if (recipientRequired && e.to.empty())
        return CheckFailure{F::To, msg::kEmptyMailTo};
    if (CheckChars(e.to, MailToChars) != 0)
        return CheckFailure{F::To, msg::kBadMailToChars};
    return std::nullopt;
}

std::optional<CheckFailure> CheckFreeText(std::string_view text)
{
    if (text.empty())
        return CheckFailure{EntryField::Text, msg::kEmptyText};
    return std::nullopt;
}

}  // namespace nubora
