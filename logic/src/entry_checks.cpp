#include "nubora/logic/entry_checks.h"

#include "cp932_text.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"
#include "nubora/text/byte_limit.h"

#include <initializer_list>
#include <string>

namespace nubora {
namespace {

namespace msg = res::str;

struct FieldValue {
    EntryField field;
    std::string_view value;
};

// Fails at the first value longer than its field's limit.
Result<void, CheckFailure> LengthsFit(std::initializer_list<FieldValue> values)
{
    for (const FieldValue& v : values) {
        const int limit = FieldLimitBytes(v.field);
        if (limit > 0 && v.value.size() > static_cast<size_t>(limit))
            return Fail(CheckFailure{v.field, 0, limit});
    }
    return {};
}

// Fails at the first field holding a character that cannot go into a code:
// the NUL byte, which ends the payload where the encode adapter hands it to
// the engine as a C string.
Result<void, CheckFailure> AllEncodable(std::initializer_list<FieldValue> values)
{
    for (const FieldValue& v : values) {
        int position = 1;
        for (size_t at = 0; at < v.value.size(); at += detail::Cp932CharLength(v.value, at), ++position) {
            if (v.value[at] == '\0')
                return Fail(CheckFailure{v.field, msg::kUnencodableChar, 0, position});
        }
    }
    return {};
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

Result<void, CheckFailure> CheckAddressBookEntry(const AddressBookEntry& e, FieldLimits limits)
{
    using F = EntryField;
    if (limits == FieldLimits::Checked) {
        if (auto fits = LengthsFit({{F::Name, e.name},
                                    {F::Reading, e.reading},
                                    {F::Tel1, e.tel1},
                                    {F::Tel2, e.tel2},
                                    {F::Mail1, e.mail1},
                                    {F::Mail2, e.mail2},
                                    {F::Address, e.address},
                                    {F::Memo, e.memo}});
            !fits)
            return fits;
    }
    if (CheckReadingChars(e.reading) != 0)
        return Fail(CheckFailure{F::Reading, msg::kBadReadingChars});
    if (CheckChars(e.tel1, TelChars) != 0)
        return Fail(CheckFailure{F::Tel1, msg::kBadTelChars});
    if (CheckChars(e.tel2, TelChars) != 0)
        return Fail(CheckFailure{F::Tel2, msg::kBadTelChars});
    if (CheckChars(e.mail1, MailChars) != 0)
        return Fail(CheckFailure{F::Mail1, msg::kBadMailChars});
    if (CheckChars(e.mail2, MailChars) != 0)
        return Fail(CheckFailure{F::Mail2, msg::kBadMailChars});
    return AllEncodable({{F::Name, e.name},
                         {F::Reading, e.reading},
                         {F::Tel1, e.tel1},
                         {F::Tel2, e.tel2},
                         {F::Mail1, e.mail1},
                         {F::Mail2, e.mail2},
                         {F::Address, e.address},
                         {F::Memo, e.memo}});
}

Result<void, CheckFailure> CheckMailEntry(const MailEntry& e, bool recipientRequired, FieldLimits limits)
{
    using F = EntryField;
    if (limits == FieldLimits::Checked) {
        if (auto fits = LengthsFit({{F::To, e.to}, {F::Subject, e.subject}, {F::Body, e.body}}); !fits)
            return fits;
    }
    if (recipientRequired && e.to.empty())
        return Fail(CheckFailure{F::To, msg::kEmptyMailTo});
    if (CheckChars(e.to, MailToChars) != 0)
        return Fail(CheckFailure{F::To, msg::kBadMailToChars});
    return AllEncodable({{F::To, e.to}, {F::Subject, e.subject}, {F::Body, e.body}});
}

Result<void, CheckFailure> CheckFreeText(std::string_view text)
{
    if (text.empty())
        return Fail(CheckFailure{EntryField::Text, msg::kEmptyText});
    return AllEncodable({{EntryField::Text, text}});
}

std::string CheckFailureMessage(const CheckFailure& failure)
{
    if (failure.messageId == 0)
        return text::TextTooLongMessage(failure.limitBytes);
    std::string message(res::StringText(failure.messageId));
    if (failure.messageId == msg::kUnencodableChar) {
        constexpr std::string_view kPlaceholder = "%d";
        if (const size_t at = message.find(kPlaceholder); at != std::string::npos)
            message.replace(at, kPlaceholder.size(), std::to_string(failure.position));
    }
    return message;
}

}  // namespace nubora
