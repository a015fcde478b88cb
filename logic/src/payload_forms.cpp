#include "nubora/logic/payload_forms.h"

#include <string_view>

#include "cp932_text.h"
#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

namespace nubora {
namespace {

// MECARD ----------------------------------------------------------------------

constexpr bool IsMecardSpecial(char c) noexcept { return c == '\\' || c == ';' || c == ',' || c == ':'; }

// `value` with a backslash before every single-byte special character. The
// walk steps over CP932 double-byte characters whole, so their second byte
// (which may be 0x5C) is never taken for a backslash; in UTF-8 every byte
// below 0x80 is a character of its own.
std::string EscapeMecardValue(std::string_view value, text::TextCharset charset)
{
    std::string escaped;
    escaped.reserve(value.size());
    const auto append = [&escaped](std::string_view character) {
        if (character.size() == 1 && IsMecardSpecial(character[0]))
            escaped.push_back('\\');
        escaped.append(character);
    };
    if (charset == text::TextCharset::Utf8) {
        for (std::size_t i = 0; i < value.size(); ++i)
            append(value.substr(i, 1));
    } else {
        for (const std::string_view character : text::Cp932Chars(value))
            append(character);
    }
    return escaped;
}

// Appends the fields of a card, each value escaped in `charset`.
struct CardWriter {
    std::string& card;
    text::TextCharset charset;

    void Field(std::string_view key, const std::string& value) const
    {
        card.append(key).append(EscapeMecardValue(value, charset)).push_back(';');
    }
    void FieldIfSet(std::string_view key, const std::string& value) const
    {
        if (!value.empty())
            Field(key, value);
    }
};

// mailto: URI -----------------------------------------------------------------

constexpr bool IsUnreserved(char c) noexcept
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// What an address may hold unencoded besides the unreserved characters.
constexpr bool IsAddressDelimiter(char c) noexcept
{
    return std::string_view("!$'()*+,;=@:").find(c) != std::string_view::npos;
}

// `value` (in `charset`) as UTF-8, every byte for which `keep` is false as %XX.
template <typename Keep>
std::string PercentEncode(std::string_view value, text::TextCharset charset, Keep keep)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    const std::string utf8 = charset == text::TextCharset::Utf8 ? std::string(value) : detail::Cp932ToUtf8(value);
    for (const char c : utf8) {
        if (keep(c)) {
            encoded.push_back(c);
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        encoded.push_back('%');
        encoded.push_back(kHex[byte >> 4]);
        encoded.push_back(kHex[byte & 0x0F]);
    }
    return encoded;
}

std::string EncodeRecipients(std::string_view to, text::TextCharset charset)
{
    return PercentEncode(to, charset, [](char c) { return IsUnreserved(c) || IsAddressDelimiter(c); });
}

std::string EncodeQueryValue(std::string_view value, text::TextCharset charset)
{
    return PercentEncode(value, charset, [](char c) { return IsUnreserved(c); });
}

std::string ValueIn(const std::string& value, text::TextCharset from, text::TextCharset to)
{
    if (from == to)
        return value;
    return to == text::TextCharset::Utf8 ? text::ToUtf8(value, from) : text::ToCp932Lossy(value, from);
}

}  // namespace

text::TextCharset PayloadCharset(PayloadForm form) noexcept
{
    return form == PayloadForm::Standard ? text::TextCharset::Utf8 : text::TextCharset::Cp932;
}

std::string MecardPayload(const AddressBookEntry& entry)
{
    std::string card = "MECARD:";
    const CardWriter writer{card, entry.charset};
    writer.Field("N:", entry.name);
    writer.FieldIfSet("SOUND:", entry.reading);
    writer.FieldIfSet("TEL:", entry.tel1);
    writer.FieldIfSet("TEL:", entry.tel2);
    writer.FieldIfSet("EMAIL:", entry.mail1);
    writer.FieldIfSet("EMAIL:", entry.mail2);
    writer.FieldIfSet("ADR:", entry.address);
    writer.FieldIfSet("NOTE:", entry.memo);
    card.push_back(';');
    return card;
}

std::string MailtoUriPayload(const MailEntry& entry)
{
    std::string uri = "mailto:" + EncodeRecipients(entry.to, entry.charset);
    char separator = '?';
    if (!entry.subject.empty()) {
        uri.append(1, separator).append("subject=").append(EncodeQueryValue(entry.subject, entry.charset));
        separator = '&';
    }
    if (!entry.body.empty())
        uri.append(1, separator).append("body=").append(EncodeQueryValue(entry.body, entry.charset));
    return uri;
}

AddressBookEntry InCharset(const AddressBookEntry& e, text::TextCharset charset)
{
    const auto in = [&e, charset](const std::string& value) { return ValueIn(value, e.charset, charset); };
    return {in(e.name),  in(e.reading), in(e.tel1), in(e.tel2), in(e.mail1),
            in(e.mail2), in(e.address), in(e.memo), charset};
}

MailEntry InCharset(const MailEntry& e, text::TextCharset charset)
{
    const auto in = [&e, charset](const std::string& value) { return ValueIn(value, e.charset, charset); };
    return {in(e.to), in(e.subject), in(e.body), charset};
}

std::string AddressBookCodePayload(const AddressBookEntry& entry, PayloadForm form)
{
    const AddressBookEntry inForm = InCharset(entry, PayloadCharset(form));
    return form == PayloadForm::Standard ? MecardPayload(inForm) : AddressBookPayload(inForm);
}

std::string MailCodePayload(const MailEntry& entry, PayloadForm form)
{
    const MailEntry inForm = InCharset(entry, PayloadCharset(form));
    return form == PayloadForm::Standard ? MailtoUriPayload(inForm) : MailPayload(inForm);
}

std::string FreeTextCodePayload(std::string_view text, text::TextCharset charset, PayloadForm form)
{
    return ValueIn(std::string(text), charset, PayloadCharset(form));
}

}  // namespace nubora
