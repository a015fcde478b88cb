#include "nubora/logic/code_text_parse.h"

#include "nubora/logic/utf8_input.h"
#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <deque>
#include <optional>

namespace nubora {
namespace {

constexpr std::string_view kCrLf = "\r\n";

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
           });
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsWithNoCase(a, b); }

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The first byte that makes `text` unfit: no UTF-8, or a NUL.
std::optional<TextFailure> FirstUnfitByte(std::string_view text)
{
    for (size_t at = 0; at < text.size();) {
        const text::Utf8Char c = text::FirstUtf8Char(text.substr(at));
        if (c.length == 0)
            return TextFailure{TextFailure::Kind::NotUtf8, at};
        if (c.codePoint == 0)
            return TextFailure{TextFailure::Kind::HasNul, at};
        at += c.length;
    }
    return std::nullopt;
}

// Bytes that came out of an escape as UTF-8: as they are when they are
// UTF-8, else read as CP932 (U+FFFD for what is not).
std::string BytesAsUtf8(const std::string& bytes) { return text::IsUtf8(bytes) ? bytes : text::Cp932ToUtf8(bytes); }

// The lines of `text` without their breaks (CR LF, LF or CR); a break at the
// very end starts no further line.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// Puts the contact's values where they belong; what has no place goes to
// the extras with its label.
class ContactFields {
public:
    explicit ContactFields(ParsedCode& code) : code_(code) {}

    void Tel(std::string_view label, std::string value) { Listed(code_.tels, kPlacedTels, label, std::move(value)); }
    void Email(std::string_view label, std::string value)
    {
        Listed(code_.emails, kPlacedEmails, label, std::move(value));
    }
    // `field` gets `value` when it is still empty; else `value` is an extra.
    void Once(std::string& field, std::string_view label, std::string value)
    {
        if (value.empty())
            return;
        if (field.empty())
            field = std::move(value);
        else
            Extra(label, std::move(value));
    }
    void Extra(std::string_view label, std::string value)
    {
        if (!value.empty())
            code_.extras.push_back({std::string(label), std::move(value)});
    }

private:
    void Listed(std::vector<std::string>& list, size_t placed, std::string_view label, std::string value)
    {
        if (value.empty())
            return;
        if (list.size() < placed)
            list.push_back(std::move(value));
        else
            Extra(label, std::move(value));
    }

    ParsedCode& code_;
};

// ---- The MEMORY and MAILTO texts of this program -------------------------

// The MEMORY text: "MEMORY:" memo, then "NAME1:" … "ADD:" lines. A line that
// begins with none of the keys continues the field before it.
void ParseMemory(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::Memory;
    struct Key {
        std::string_view key;
        std::string ParsedCode::*field;
    };
    // TEL and MAIL lines fill the lists, in their order; the tels' and
    // mails' slots stand for them here.
    static constexpr std::array<std::string_view, 4> kListKeys = {"TEL1:", "TEL2:", "MAIL1:", "MAIL2:"};
    static constexpr std::array<Key, 4> kKeys = {Key{"MEMORY:", &ParsedCode::memo}, Key{"NAME1:", &ParsedCode::name},
                                                 Key{"NAME2:", &ParsedCode::reading},
                                                 Key{"ADD:", &ParsedCode::address}};
    std::string* current = nullptr;
    std::deque<std::pair<std::string_view, std::string>> lists;  // keeps `current` valid as it grows
    for (const std::string_view line : Lines(text)) {
        const auto key = std::ranges::find_if(kKeys, [&](const Key& k) { return line.starts_with(k.key); });
        const auto listKey = std::ranges::find_if(kListKeys, [&](std::string_view k) { return line.starts_with(k); });
        if (key != kKeys.end()) {
            current = &(code.*(key->field));
            if (!current->empty())
                current->append(kCrLf);
            current->append(line.substr(key->key.size()));
        } else if (listKey != kListKeys.end()) {
            lists.emplace_back(listKey->substr(0, listKey->find_first_of("12")), line.substr(listKey->size()));
            current = &lists.back().second;
        } else if (current != nullptr) {
            current->append(kCrLf).append(line);
        }
    }
    ContactFields fields(code);
    for (auto& [label, value] : lists) {
        if (label == "TEL")
            fields.Tel(label, std::move(value));
        else
            fields.Email(label, std::move(value));
    }
}

// The mail text: "MAILTO:" to, then "SUBJECT:" subject and "BODY:" body,
// the body running to the text's end (less its last line break).
void ParseMailtoText(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::MailtoText;
    constexpr std::string_view kBody = "BODY:";
    size_t bodyAt = text.find(kBody);
    while (bodyAt != std::string_view::npos && text[bodyAt - 1] != '\n' && text[bodyAt - 1] != '\r')
        bodyAt = text.find(kBody, bodyAt + 1);
    std::string_view head = text.substr(0, bodyAt);
    if (bodyAt != std::string_view::npos) {
        std::string_view body = text.substr(bodyAt + kBody.size());
        if (body.ends_with(kCrLf))
            body.remove_suffix(kCrLf.size());
        else if (body.ends_with('\n') || body.ends_with('\r'))
            body.remove_suffix(1);
        code.body = CrLfLineBreaks(body);
    }
    std::string* current = &code.to;
    bool first = true;
    for (const std::string_view line : Lines(head.substr(std::string_view("MAILTO:").size()))) {
        if (!first && current != &code.subject && line.starts_with("SUBJECT:")) {
            current = &code.subject;
            current->append(line.substr(std::string_view("SUBJECT:").size()));
        } else {
            current->append(first ? "" : kCrLf).append(line);
        }
        first = false;
    }
}

// ---- MECARD and MATMSG ---------------------------------------------------

// The non-empty components in `order`, then those after them, joined by spaces.
std::string JoinedComponents(const std::vector<std::string>& components, std::initializer_list<size_t> order)
{
    std::string all;
    auto add = [&](const std::string& component) {
        if (!component.empty())
            all += (all.empty() ? "" : " ") + component;
    };
    for (const size_t index : order) {
        if (index < components.size())
            add(components[index]);
    }
    for (size_t index = order.size(); index < components.size(); ++index)
        add(components[index]);
    return all;
}

// The parts of an address (post-office box, extended address, street, town,
// region, post code, country) as an address is written here: post code,
// region, town, street, then the rest.
constexpr std::initializer_list<size_t> kAddressOrder = {5, 4, 3, 2, 1, 0, 6};

// The pieces of `text` between unescaped `separator`s, escapes kept.
std::vector<std::string_view> SplitUnescaped(std::string_view text, char separator)
{
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            ++i;
        else if (text[i] == separator) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    pieces.push_back(text.substr(std::min(start, text.size())));
    return pieces;
}

// `text` with each backslash escape made the character after it.
std::string Unescaped(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        out += text[i] == '\\' && i + 1 < text.size() ? text[++i] : text[i];
    return out;
}

// A field "KEY:value" of a MECARD or MATMSG, the value split at its
// unescaped commas, each part with its backslashes undone.
struct KeyedField {
    std::string key;  // upper case; empty for a field without ':'
    std::vector<std::string> parts;
    std::string Joined(std::string_view separator) const
    {
        std::string all;
        for (const std::string& part : parts) {
            if (!part.empty())
                all += (all.empty() ? "" : std::string(separator)) + part;
        }
        return all;
    }
};

// The fields of a MECARD or MATMSG body (after "MECARD:"), split at
// unescaped semicolons; empty fields (the closing ";;") are left out.
std::vector<KeyedField> KeyedFields(std::string_view body)
{
    std::vector<KeyedField> fields;
    for (const std::string_view raw : SplitUnescaped(body, ';')) {
        if (raw.empty())
            continue;
        const std::vector<std::string_view> keyAndValue = SplitUnescaped(raw, ':');
        KeyedField field;
        std::string_view value = raw;
        if (keyAndValue.size() > 1) {
            field.key = Upper(keyAndValue.front());
            value.remove_prefix(keyAndValue.front().size() + 1);
        }
        for (const std::string_view part : SplitUnescaped(value, ','))
            field.parts.push_back(Unescaped(part));
        fields.push_back(std::move(field));
    }
    return fields;
}

void ParseMecard(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::Mecard;
    ContactFields fields(code);
    for (KeyedField& field : KeyedFields(text.substr(std::string_view("MECARD:").size()))) {
        if (field.key == "N")
            fields.Once(code.name, field.key, field.Joined(" "));
        else if (field.key == "SOUND")
            fields.Once(code.reading, field.key, field.Joined(" "));
        else if (field.key == "TEL")
            fields.Tel(field.key, field.Joined(","));
        else if (field.key == "EMAIL")
            fields.Email(field.key, field.Joined(","));
        else if (field.key == "ADR")
            fields.Once(code.address, field.key, JoinedComponents(field.parts, kAddressOrder));
        else if (field.key == "NOTE" || field.key == "MEMO")
            fields.Once(code.memo, field.key, CrLfLineBreaks(field.Joined(",")));
        else
            fields.Extra(field.key, CrLfLineBreaks(field.Joined(",")));
    }
}

void ParseMatmsg(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::Matmsg;
    ContactFields fields(code);
    for (KeyedField& field : KeyedFields(text.substr(std::string_view("MATMSG:").size()))) {
        const std::string value = CrLfLineBreaks(field.Joined(","));
        if (field.key == "TO")
            code.to += (code.to.empty() || value.empty() ? "" : ",") + value;
        else if (field.key == "SUB")
            fields.Once(code.subject, field.key, value);
        else if (field.key == "BODY")
            fields.Once(code.body, field.key, value);
        else
            fields.Extra(field.key, value);
    }
}

// ---- mailto: URIs --------------------------------------------------------

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// `text` with each "%XX" made the byte it stands for, as UTF-8. A '%'
// without two hex digits, and "%00", stay as they are.
std::string PercentDecoded(std::string_view text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
        if (low >= 0 && (high | low) != 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return BytesAsUtf8(bytes);
}

void ParseMailtoUri(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::MailtoUri;
    ContactFields fields(code);
    std::string_view rest = text.substr(std::string_view("mailto:").size());
    const size_t query = rest.find('?');
    code.to = PercentDecoded(rest.substr(0, query));
    rest = query == std::string_view::npos ? std::string_view() : rest.substr(query + 1);
    while (!rest.empty()) {
        const size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
        const size_t eq = pair.find('=');
        const std::string key = PercentDecoded(pair.substr(0, eq));
        const std::string value = CrLfLineBreaks(
            PercentDecoded(eq == std::string_view::npos ? std::string_view() : pair.substr(eq + 1)));
        if (EqualsNoCase(key, "to"))
            code.to += (code.to.empty() || value.empty() ? "" : ",") + value;
        else if (EqualsNoCase(key, "subject"))
            fields.Once(code.subject, key, value);
        else if (EqualsNoCase(key, "body"))
            fields.Once(code.body, key, value);
        else
            fields.Extra(key, value);
    }
}

// ---- vCard ---------------------------------------------------------------

// One content line: "group.NAME;PARAM=…:value".
struct ContentLine {
    std::string name;    // upper case, without its group
    std::string params;  // upper case, as written between the name and ':'
    std::string_view value;
};

std::optional<ContentLine> ContentLineOf(std::string_view line)
{
    bool quoted = false;
    size_t colon = std::string_view::npos;
    for (size_t i = 0; i < line.size() && colon == std::string_view::npos; ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            colon = i;
    }
    if (colon == std::string_view::npos)
        return std::nullopt;
    const std::string_view head = line.substr(0, colon);
    const size_t semicolon = head.find(';');
    std::string_view name = head.substr(0, semicolon);
    if (const size_t dot = name.find('.'); dot != std::string_view::npos)
        name.remove_prefix(dot + 1);
    return ContentLine{Upper(name), semicolon == std::string_view::npos ? std::string() : Upper(head.substr(semicolon)),
                       line.substr(colon + 1)};
}

// The logical lines of a vCard: folded lines (a break followed by a space or
// a tab) joined, quoted-printable values continued by a final '=', and a
// line without ':' taken as a line break in the value before it, as some
// encoders write a note of several lines.
std::vector<std::string> UnfoldedLines(std::string_view text)
{
    std::vector<std::string> lines;
    bool quotedPrintable = false;  // the last logical line's value is quoted-printable
    bool softBreak = false;
    for (const std::string_view line : Lines(text)) {
        if (!lines.empty() && !line.empty() && (line[0] == ' ' || line[0] == '\t')) {
            lines.back().append(line.substr(1));
        } else if (softBreak) {
            lines.back().append(line);
        } else if (!lines.empty() && line.find(':') == std::string_view::npos) {
            lines.back().append(quotedPrintable ? "=0D=0A" : "\\n").append(line);
        } else {
            lines.emplace_back(line);
            quotedPrintable = Upper(line.substr(0, line.find(':'))).find("QUOTED-PRINTABLE") != std::string::npos;
        }
        softBreak = quotedPrintable && lines.back().ends_with('=');
        if (softBreak)
            lines.back().pop_back();
    }
    return lines;
}

// A quoted-printable value's bytes ("=XX"), as UTF-8; "=00" stays as it is.
std::string QuotedPrintableDecoded(std::string_view value)
{
    std::string bytes;
    for (size_t i = 0; i < value.size(); ++i) {
        const int high = value[i] == '=' && i + 2 < value.size() ? HexValue(value[i + 1]) : -1;
        const int low = high >= 0 ? HexValue(value[i + 2]) : -1;
        if (low >= 0 && (high | low) != 0) {
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            bytes += value[i];
        }
    }
    return BytesAsUtf8(bytes);
}

// A vCard value split at its unescaped semicolons, each component with
// "\n", "\N", "\,", "\;" and "\\" undone.
std::vector<std::string> VcardComponents(std::string_view value)
{
    std::vector<std::string> components(1);
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            components.back() += next == 'n' || next == 'N' ? std::string(kCrLf) : std::string(1, next);
        } else if (value[i] == ';') {
            components.emplace_back();
        } else {
            components.back() += value[i];
        }
    }
    return components;
}

// All components as the value wrote them, semicolons between them.
std::string AllComponents(const std::vector<std::string>& components)
{
    std::string all = components.front();
    for (size_t i = 1; i < components.size(); ++i)
        all += ";" + components[i];
    return all;
}

void ParseVcard(std::string_view text, ParsedCode& code)
{
    code.form = CodeForm::Vcard;
    ContactFields fields(code);
    std::string structuredName;  // from N, when there is no FN
    std::string phoneticLast;
    std::string phoneticFirst;
    for (const std::string& raw : UnfoldedLines(text)) {
        const std::optional<ContentLine> line = ContentLineOf(raw);
        if (!line) {
            fields.Extra("", std::string(raw));
            continue;
        }
        const std::string decoded = line->params.find("QUOTED-PRINTABLE") != std::string::npos
                                        ? QuotedPrintableDecoded(line->value)
                                        : std::string(line->value);
        const std::vector<std::string> parts = VcardComponents(decoded);
        const std::string whole = CrLfLineBreaks(AllComponents(parts));
        const std::string& name = line->name;
        if (name == "BEGIN" || name == "END" || name == "VERSION")
            continue;
        if (name == "FN")
            fields.Once(code.name, name, whole);
        else if (name == "N")
            fields.Once(structuredName, name, JoinedComponents(parts, {0, 1, 2, 3, 4}));
        else if (name == "SOUND" || name == "X-PHONETIC-NAME")
            fields.Once(code.reading, name, JoinedComponents(parts, {0, 1, 2, 3, 4}));
        else if (name == "X-PHONETIC-LAST-NAME")
            fields.Once(phoneticLast, name, whole);
        else if (name == "X-PHONETIC-FIRST-NAME")
            fields.Once(phoneticFirst, name, whole);
        else if (name == "TEL")
            fields.Tel(name, whole);
        else if (name == "EMAIL")
            fields.Email(name, whole);
        else if (name == "ADR")
            fields.Once(code.address, name, JoinedComponents(parts, kAddressOrder));
        else if (name == "NOTE")
            fields.Once(code.memo, name, whole);
        else
            fields.Extra(name, whole);
    }
    fields.Once(code.name, "N", std::move(structuredName));
    std::string phonetic = phoneticLast + (phoneticLast.empty() || phoneticFirst.empty() ? "" : " ") + phoneticFirst;
    fields.Once(code.reading, "X-PHONETIC-NAME", std::move(phonetic));
}

}  // namespace

Result<ParsedCode, TextFailure> ParseCodeText(std::string_view text)
{
    if (const std::optional<TextFailure> unfit = FirstUnfitByte(text))
        return Fail(*unfit);
    ParsedCode code;
    if (text.starts_with("MEMORY:"))
        ParseMemory(text, code);
    else if (StartsWithNoCase(text, "MECARD:"))
        ParseMecard(text, code);
    else if (StartsWithNoCase(text, "BEGIN:VCARD"))
        ParseVcard(text, code);
    else if (text.starts_with("MAILTO:") && text.find_first_of("\r\n") != std::string_view::npos)
        ParseMailtoText(text, code);
    else if (StartsWithNoCase(text, "mailto:"))
        ParseMailtoUri(text, code);
    else if (StartsWithNoCase(text, "MATMSG:"))
        ParseMatmsg(text, code);
    else
        code.text = std::string(text);
    return code;
}

const char* CodeFormName(CodeForm form)
{
    switch (form) {
    case CodeForm::Memory: return "memory";
    case CodeForm::Mecard: return "mecard";
    case CodeForm::Vcard: return "vcard";
    case CodeForm::MailtoText:
    case CodeForm::MailtoUri: return "mailto";
    case CodeForm::Matmsg: return "matmsg";
    case CodeForm::Text: return "text";
    }
    return "text";
}

}  // namespace nubora
