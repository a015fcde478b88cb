#include "nubora/logic/payload_forms.h"

#include <string_view>

#include "cp932_text.h"
#include "nubora/text/cp932.h"

namespace nubora {
namespace {

// MECARD ----------------------------------------------------------------------

constexpr bool IsMecardSpecial(char c) noexcept { return c == '\\' || c == ';' || c == ',' || c == ':'; }

// `value` with a backslash before every single-byte special character. The
// walk steps over double-byte characters whole, so their second byte (which
// may be 0x5C) is never taken for a backslash.
std::string EscapeMecardValue(std::string_view value)
{
    std::string escaped;
    escaped.reserve(value.size());
    for (const std::string_view character : text::Cp932Chars(value)) {
        if (character.size() == 1 && IsMecardSpecial(character[0]))
            escaped.push_back('\\');
        escaped.append(character);
    }
    return escaped;
}

void AppendMecardField(std::string& card, std::string_view key, const std::string& value)
{
    card.append(key).append(EscapeMecardValue(value)).push_back(';');
}

void AppendMecardFieldIfSet(std::string& card, std::string_view key, const std::string& value)
{
    if (!value.empty())
        AppendMecardField(card, key, value);
}

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

// `cp932` as UTF-8, every byte for which `keep` is false as %XX.
template <typename Keep>
std::string PercentEncode(std::string_view cp932, Keep keep)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : detail::Cp932ToUtf8(cp932)) {
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

std::string EncodeRecipients(std::string_view to)
{
    return PercentEncode(to, [](char c) { return IsUnreserved(c) || IsAddressDelimiter(c); });
}

std::string EncodeQueryValue(std::string_view value)
{
    return PercentEncode(value, [](char c) { return IsUnreserved(c); });
}

}  // namespace

std::string MecardPayload(const AddressBookEntry& entry)
{
    std::string card = "MECARD:";
    AppendMecardField(card, "N:", entry.name);
    AppendMecardFieldIfSet(card, "SOUND:", entry.reading);
    AppendMecardFieldIfSet(card, "TEL:", entry.tel1);
    AppendMecardFieldIfSet(card, "TEL:", entry.tel2);
    AppendMecardFieldIfSet(card, "EMAIL:", entry.mail1);
    AppendMecardFieldIfSet(card, "EMAIL:", entry.mail2);
    AppendMecardFieldIfSet(card, "ADR:", entry.address);
    AppendMecardFieldIfSet(card, "NOTE:", entry.memo);
    card.push_back(';');
    return card;
}

std::string MailtoUriPayload(const MailEntry& entry)
{
    std::string uri = "mailto:" + EncodeRecipients(entry.to);
    char separator = '?';
    if (!entry.subject.empty()) {
        uri.append(1, separator).append("subject=").append(EncodeQueryValue(entry.subject));
        separator = '&';
    }
    if (!entry.body.empty())
        uri.append(1, separator).append("body=").append(EncodeQueryValue(entry.body));
    return uri;
}

}  // namespace nubora
