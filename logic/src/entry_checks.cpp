#include "nubora/logic/entry_checks.h"

#include "nubora/logic/validation.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"
#include "nubora/text/byte_limit.h"
#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

#include <span>
#include <string>

namespace nubora {
namespace {

namespace msg = res::str;

struct FieldValue {
    EntryField field;
    std::string_view value;
};

// Fails at the first value (in `charset`) longer than its field's limit.
Result<void, CheckFailure> LengthsFit(std::span<const FieldValue> values, text::TextCharset charset)
{
    for (const FieldValue& v : values) {
        const int limit = FieldLimitBytes(v.field);
        if (limit > 0 && text::LimitLength(v.value, charset) > static_cast<size_t>(limit))
            return Fail(CheckFailure{v.field, 0, limit});
    }
    return {};
}

// Fails at the first field holding a character that cannot go into a code:
// the NUL byte, which ends the payload where the encode adapter hands it to
// the engine as a C string.
// A position counts characters: CP932 ones, or UTF-8 ones (a byte that
// begins none counts as one).
Result<void, CheckFailure> AllEncodable(std::span<const FieldValue> values, text::TextCharset charset)
{
    for (const FieldValue& v : values) {
        int position = 1;
        for (std::size_t at = 0; at < v.value.size(); ++position) {
            if (v.value[at] == '\0')
                return Fail(CheckFailure{v.field, msg::kUnencodableChar, 0, position});
            const std::size_t length = charset == text::TextCharset::Utf8
                                           ? text::FirstUtf8Char(v.value.substr(at)).length
                                           : text::Cp932CharLength(v.value, at);
            at += length == 0 ? 1 : length;
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
    const FieldValue fields[] = {{F::Name, e.name},       {F::Reading, e.reading}, {F::Tel1, e.tel1},
                                 {F::Tel2, e.tel2},       {F::Mail1, e.mail1},     {F::Mail2, e.mail2},
                                 {F::Address, e.address}, {F::Memo, e.memo}};
    if (limits == FieldLimits::Checked) {
        if (auto fits = LengthsFit(fields, e.charset); !fits)
            return fits;
    }
    if (CheckReadingChars(e.reading, e.charset) != 0)
        return Fail(CheckFailure{F::Reading, msg::kBadReadingChars});
    if (CheckChars(e.tel1, e.charset, TelChars) != 0)
        return Fail(CheckFailure{F::Tel1, msg::kBadTelChars});
    if (CheckChars(e.tel2, e.charset, TelChars) != 0)
        return Fail(CheckFailure{F::Tel2, msg::kBadTelChars});
    if (CheckChars(e.mail1, e.charset, MailChars) != 0)
        return Fail(CheckFailure{F::Mail1, msg::kBadMailChars});
    if (CheckChars(e.mail2, e.charset, MailChars) != 0)
        return Fail(CheckFailure{F::Mail2, msg::kBadMailChars});
    return AllEncodable(fields, e.charset);
}

Result<void, CheckFailure> CheckMailEntry(const MailEntry& e, bool recipientRequired, FieldLimits limits)
{
    using F = EntryField;
    const FieldValue fields[] = {{F::To, e.to}, {F::Subject, e.subject}, {F::Body, e.body}};
    if (limits == FieldLimits::Checked) {
        if (auto fits = LengthsFit(fields, e.charset); !fits)
            return fits;
    }
    if (recipientRequired && e.to.empty())
        return Fail(CheckFailure{F::To, msg::kEmptyMailTo});
    if (CheckChars(e.to, e.charset, MailToChars) != 0)
        return Fail(CheckFailure{F::To, msg::kBadMailToChars});
    return AllEncodable(fields, e.charset);
}

Result<void, CheckFailure> CheckFreeText(std::string_view text, text::TextCharset charset)
{
    if (text.empty())
        return Fail(CheckFailure{EntryField::Text, msg::kEmptyText});
    const FieldValue field[] = {{EntryField::Text, text}};
    return AllEncodable(field, charset);
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
