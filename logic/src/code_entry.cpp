#include "nubora/logic/code_entry.h"

#include "nubora/resources/field_names.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_texts.h"
#include "nubora/text/cp932.h"

#include <algorithm>
#include <string_view>

namespace nubora {
namespace {

// The ECI designator of UTF-8.
constexpr int kUtf8Eci = 26;

// The label of each field as its screen shows it.
const char* FieldLabel(EntryField field)
{
    namespace names = res::fields;
    switch (field) {
    case EntryField::Name: return names::kName;
    case EntryField::Reading: return names::kReading;
    case EntryField::Tel1: return names::kTel1;
    case EntryField::Tel2: return names::kTel2;
    case EntryField::Mail1: return names::kMail1;
    case EntryField::Mail2: return names::kMail2;
    case EntryField::Address: return names::kAddress;
    case EntryField::Memo: return names::kMemo;
    case EntryField::To: return names::kTo;
    case EntryField::Subject: return names::kSubject;
    case EntryField::Body: return names::kBody;
    case EntryField::Text: break;
    }
    return names::kText;
}

// UTF-8 to the screens' bytes in `charset`: CP932, collecting the characters
// that have none, or the UTF-8 as it is. Line breaks are CR LF already, as the
// screens hold them.
class Converter {
public:
    explicit Converter(text::TextCharset charset) : charset_(charset) {}

    std::string Bytes(std::string_view utf8)
    {
        if (charset_ == text::TextCharset::Utf8)
            return std::string(utf8);
        std::string out;
        while (!utf8.empty()) {
            const text::Utf8Char c = text::FirstUtf8Char(utf8);
            const std::size_t length = std::max<std::size_t>(c.length, 1);
            const std::string_view piece = utf8.substr(0, length);
            if (!encoder_.Append(piece, out))
                lacking_ = true;
            utf8.remove_prefix(length);
        }
        return out;
    }
    text::TextCharset Charset() const { return charset_; }
    // Whether a character had no CP932 code.
    bool Lacking() const { return lacking_; }

private:
    text::TextCharset charset_;
    text::Cp932Encoder encoder_;
    bool lacking_ = false;
};

// Appends "<label>:<value>" to `into` on a line of its own.
void AddLine(std::string& into, std::string_view label, std::string_view value)
{
    if (!into.empty())
        into += "\r\n";
    into.append(label).append(":").append(value);
}

// Places `value` in `field` when it fits, else adds it to `overflow` and
// names the field.
using Overflow = std::vector<std::pair<std::string, std::string>>;
void Place(std::string& field, std::string value, EntryField which, Overflow& overflow, CodeEntry& entry)
{
    const int limit = FieldLimitBytes(which);
    if (limit > 0 && text::LimitLength(value, entry.charset) > static_cast<std::size_t>(limit)) {
        entry.tooLong.push_back(which);
        overflow.emplace_back(FieldLabel(which), std::move(value));
        return;
    }
    field = std::move(value);
}

std::string At(const std::vector<std::string>& values, std::size_t index)
{
    return index < values.size() ? values[index] : std::string();
}

bool IsContact(CodeForm form)
{
    return form == CodeForm::Memory || form == CodeForm::Mecard || form == CodeForm::Vcard;
}
bool IsMail(CodeForm form)
{
    return form == CodeForm::MailtoText || form == CodeForm::MailtoUri || form == CodeForm::Matmsg;
}

std::string Joined(const std::vector<std::string>& parts)
{
    std::string out;
    for (const std::string& part : parts)
        out += (out.empty() ? "" : "、") + part;
    return out;
}

}  // namespace

CodeEntrySettings SettingsForCode(const ReadCode& code, CodeForm form)
{
    CodeEntrySettings settings;
    settings.splitCount = std::clamp(code.splitCount, 1, 16);
    static constexpr std::string_view kLevels = "LMQH";
    const std::size_t level = kLevels.find(code.level);
    if (code.version >= 1 && code.version <= 15 && level != std::string_view::npos) {
        settings.manual = true;
        settings.version = code.version;
        settings.level = static_cast<int>(level) + 1;
    }
    // UTF-8 with its ECI is what the standard form makes, whatever the text.
    const bool legacy = code.eci != kUtf8Eci &&
                        (form == CodeForm::Memory || form == CodeForm::MailtoText || form == CodeForm::Text);
    settings.form = legacy ? PayloadForm::Legacy : PayloadForm::Standard;
    return settings;
}

void ApplyCodeSettings(const CodeEntrySettings& settings, CodeSettings& into)
{
    into.splitCount = settings.splitCount;
    into.form = settings.form;
    into.autoAdjust = !settings.manual;
    if (!settings.manual)
        return;
    into.version = settings.version;
    into.shownVersion = settings.version;
    into.level = settings.level;
    into.shownLevel = settings.level;
}

namespace {

// The entry for `parsed` with its fields in `convert`'s charset.
CodeEntry EntryIn(const ParsedCode& parsed, const ReadCode& code, Converter& convert)
{
    CodeEntry entry;
    entry.charset = convert.Charset();
    entry.contact.charset = entry.mail.charset = entry.charset;
    entry.settings = SettingsForCode(code, parsed.form);
    Overflow overflow;
    std::string* spill = nullptr;
    if (IsContact(parsed.form)) {
        entry.screen = ScreenId::AddressBook;
        AddressBookEntry& c = entry.contact;
        Place(c.name, convert.Bytes(parsed.name), EntryField::Name, overflow, entry);
        Place(c.reading, convert.Bytes(parsed.reading), EntryField::Reading, overflow, entry);
        Place(c.tel1, convert.Bytes(At(parsed.tels, 0)), EntryField::Tel1, overflow, entry);
        Place(c.tel2, convert.Bytes(At(parsed.tels, 1)), EntryField::Tel2, overflow, entry);
        Place(c.mail1, convert.Bytes(At(parsed.emails, 0)), EntryField::Mail1, overflow, entry);
        Place(c.mail2, convert.Bytes(At(parsed.emails, 1)), EntryField::Mail2, overflow, entry);
        Place(c.address, convert.Bytes(parsed.address), EntryField::Address, overflow, entry);
        // The memo takes what has no place of its own, however long: the
        // screen's checks name it before a code is made of it.
        c.memo = convert.Bytes(parsed.memo);
        spill = &c.memo;
    } else if (IsMail(parsed.form)) {
        entry.screen = ScreenId::Mail;
        MailEntry& m = entry.mail;
        Place(m.to, convert.Bytes(parsed.to), EntryField::To, overflow, entry);
        Place(m.subject, convert.Bytes(parsed.subject), EntryField::Subject, overflow, entry);
        m.body = convert.Bytes(parsed.body);
        spill = &m.body;
    } else {
        entry.screen = ScreenId::FreeText;
        entry.text = convert.Bytes(parsed.text);
    }
    if (spill) {
        for (const auto& [label, value] : overflow)
            AddLine(*spill, convert.Bytes(label), value);
        for (const LabelledField& extra : parsed.extras)
            AddLine(*spill, convert.Bytes(extra.label), convert.Bytes(extra.value));
        const EntryField spillField = entry.screen == ScreenId::Mail ? EntryField::Body : EntryField::Memo;
        if (text::LimitLength(*spill, entry.charset) > static_cast<std::size_t>(FieldLimitBytes(spillField)))
            entry.tooLong.push_back(spillField);
    }
    return entry;
}

}  // namespace

CodeEntry EntryForCode(const ParsedCode& parsed, const ReadCode& code)
{
    Converter cp932(text::TextCharset::Cp932);
    CodeEntry entry = EntryIn(parsed, code, cp932);
    if (!cp932.Lacking())
        return entry;
    // Characters without a Shift_JIS code: the whole entry in UTF-8, which
    // only the standard form makes.
    Converter utf8(text::TextCharset::Utf8);
    entry = EntryIn(parsed, code, utf8);
    entry.settings.form = PayloadForm::Standard;
    return entry;
}

std::string TooLongMessage(const CodeEntry& entry)
{
    std::vector<std::string> names;
    for (const EntryField field : entry.tooLong)
        names.emplace_back(FieldLabel(field));
    const char* into = FieldLabel(entry.screen == ScreenId::Mail ? EntryField::Body : EntryField::Memo);
    return res::FilledStringText(res::str::kCodeFieldsTooLong, {Joined(names), into});
}

std::string TextStart(const std::string& text, int maxChars)
{
    std::string out;
    std::string_view rest = text;
    int taken = 0;
    while (!rest.empty() && taken < maxChars) {
        const std::size_t length = std::max<std::size_t>(text::FirstUtf8Char(rest).length, 1);
        const char first = rest.front();
        if (first == '\r' || first == '\n') {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out.append(rest.substr(0, length));
        }
        rest.remove_prefix(length);
        ++taken;
    }
    if (!rest.empty())
        out += "…";
    return out;
}

}  // namespace nubora
