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

std::optional<CheckFailure> FirstTooLong(std::initializer_list<FieldValue> values)
{
    for (const FieldValue& v : values) {
        const int limit = FieldLimitBytes(v.field);
        if (limit > 0 && v.value.size() > static_cast<size_t>(limit))
            return CheckFailure{v.field, 0, limit};
    }
    return std::nullopt;
}

// The first field holding a character that cannot go into a code: the NUL
// byte, which ends the payload where the encode adapter hands it to the
// engine as a C string.
std::optional<CheckFailure> FirstUnencodable(std::initializer_list<FieldValue> values)
{
    for (const FieldValue& v : values) {
        int position = 1;
        for (size_t at = 0; at < v.value.size(); at += detail::Cp932CharLength(v.value, at), ++position) {
            if (v.value[at] == '\0')
                return CheckFailure{v.field, msg::kUnencodableChar, 0, position};
        }
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
    return FirstUnencodable({{F::Name, e.name},
                             {F::Reading, e.reading},
                             {F::Tel1, e.tel1},
                             {F::Tel2, e.tel2},
                             {F::Mail1, e.mail1},
                             {F::Mail2, e.mail2},
                             {F::Address, e.address},
                             {F::Memo, e.memo}});
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
    return FirstUnencodable({{F::To, e.to}, {F::Subject, e.subject}, {F::Body, e.body}});
}

std::optional<CheckFailure> CheckFreeText(std::string_view text)
{
    if (text.empty())
        return CheckFailure{EntryField::Text, msg::kEmptyText};
    return FirstUnencodable({{EntryField::Text, text}});
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
