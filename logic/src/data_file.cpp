#include "nubora/logic/data_file.h"

#include <initializer_list>
#include <utility>

#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

namespace nubora {
namespace {

constexpr char kComma = ',';
constexpr char kBackslash = '\\';
constexpr char kCr = '\r';
constexpr char kLf = '\n';

// Values and files are walked by CP932 character (text::Cp932Chars), which
// tells a single-byte backslash from the trail byte 0x5C of "表" or "ソ". A
// comma is no trail byte, so a lead byte directly before a comma stands alone
// and the comma stays a comma.
//
// Broken pairs (a lead byte at the end, or before a byte that is no trail
// byte) are walked, never mended: each byte of them is copied as it is.
// Files written by older versions, or by hand, hold such bytes, and they must
// load and save byte for byte. A byte after a lead byte that is no trail byte
// is never a backslash or a lead byte itself, so taking it alone splits and
// trims the fields exactly as those versions did.

bool IsSingleByteBackslash(std::string_view character) { return character.size() == 1 && character[0] == kBackslash; }

// Calls `visit(character, offset)` for each character of `value` in
// `charset`: CP932 characters, or in UTF-8 single bytes (no byte below 0x80
// is ever part of a longer UTF-8 character).
template <typename Visit>
void ForEachCharacter(std::string_view value, text::TextCharset charset, Visit visit)
{
    if (charset == text::TextCharset::Utf8) {
        for (std::size_t i = 0; i < value.size(); ++i)
            visit(value.substr(i, 1), i);
        return;
    }
    const text::Cp932Chars characters(value);
    for (auto at = characters.begin(); at != characters.end(); ++at)
        visit(*at, at.Offset());
}

// Appends `value` without its trailing single-byte backslashes and then the
// separator comma.
void AppendField(std::string& out, std::string_view value, text::TextCharset charset)
{
    out += DropTrailingBackslashes(value, charset);
    out += kComma;
}

// The content of a file in `charset`: UTF-8 after the byte-order mark.
std::string WithMark(std::string content, text::TextCharset charset)
{
    if (charset == text::TextCharset::Utf8)
        content.insert(0, text::kUtf8ByteOrderMark);
    return content;
}

// The bytes after a byte-order mark, or all of them, with the charset they are in.
struct MarkedContent {
    std::string_view bytes;
    text::TextCharset charset;
};
MarkedContent ReadMark(std::string_view content)
{
    if (content.starts_with(text::kUtf8ByteOrderMark))
        return {content.substr(text::kUtf8ByteOrderMark.size()), text::TextCharset::Utf8};
    return {content, text::TextCharset::Cp932};
}

// Values read from a UTF-8 file made well-formed; then, when every one has a
// CP932 form, turned into it. Returns the charset they end in.
text::TextCharset SettleValues(std::initializer_list<std::string*> values, text::TextCharset charset)
{
    if (charset == text::TextCharset::Cp932)
        return charset;
    std::vector<std::string> cp932;
    for (std::string* value : values) {
        *value = text::MendUtf8(*value);
        if (std::optional<std::string> converted = text::Utf8ToCp932(*value))
            cp932.push_back(std::move(*converted));
    }
    if (cp932.size() != values.size())
        return text::TextCharset::Utf8;
    auto converted = cp932.begin();
    for (std::string* value : values)
        *value = std::move(*converted++);
    return text::TextCharset::Cp932;
}

// The text-mode stream of the address-book and e-mail files: LF stored as CR LF.
std::string ToTextMode(std::string_view content) { return LfToCrLf(content); }
std::string FromTextMode(std::string_view content) { return CrLfToLf(content); }

// Field i of `fields`, or empty.
std::string Take(std::vector<std::string>& fields, std::size_t i)
{
    return i < fields.size() ? std::move(fields[i]) : std::string();
}

// The data file's failure for a failure of the file access; a lock counts as
// a plain failure to open unless `inUseKnown`.
DataFileStatus FromFileStatus(FileStatus status, bool inUseKnown)
{
    switch (status) {
    case FileStatus::Unreadable: return DataFileStatus::Unreadable;
    case FileStatus::InUse: return inUseKnown ? DataFileStatus::InUse : DataFileStatus::CannotOpen;
    case FileStatus::CannotOpen: break;
    }
    return DataFileStatus::CannotOpen;
}

Result<void, DataFileStatus> Saved(const Result<void, FileStatus>& written, bool inUseKnown)
{
    if (!written)
        return Fail(FromFileStatus(written.Error(), inUseKnown));
    return {};
}

// Reads an address-book or e-mail file as it is stored: an empty file counts
// as unreadable, and a lock as a plain failure to open.
Result<std::string, DataFileStatus> ReadTextModeFile(const std::string& path)
{
    Result<std::string, FileStatus> bytes = ReadWholeFile(path);
    if (!bytes)
        return Fail(FromFileStatus(bytes.Error(), false));
    if (bytes->empty())
        return Fail(DataFileStatus::Unreadable);
    return std::move(bytes).Value();
}

}  // namespace

std::optional<ScreenId> ScreenForDataFile(std::string_view path)
{
    const std::string_view name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string_view extension = name.substr(dot + 1);
    if (extension == "aqr")
        return ScreenId::AddressBook;
    if (extension == "eqr")
        return ScreenId::Mail;
    if (extension == "fqr")
        return ScreenId::FreeText;
    return std::nullopt;
}

std::string EscapeCommas(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == kComma)
            out += kBackslash;
        out += c;
    }
    return out;
}

std::string CrLfToLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kCr && i + 1 < text.size() && text[i + 1] == kLf)
            continue;
        out += text[i];
    }
    return out;
}

std::string LfToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == kLf)
            out += kCr;
        out += c;
    }
    return out;
}

std::string DropTrailingBackslashes(std::string_view value, text::TextCharset charset)
{
    // Where the value would end without its run of single-byte backslashes.
    std::size_t keep = 0;
    ForEachCharacter(value, charset, [&keep](std::string_view character, std::size_t offset) {
        if (!IsSingleByteBackslash(character))
            keep = offset + character.size();
    });
    return std::string(value.substr(0, keep));
}

bool LosesTrailingBackslash(std::string_view value, text::TextCharset charset)
{
    return DropTrailingBackslashes(value, charset).size() != value.size();
}

bool LosesTrailingBackslash(const AddressBookEntry& e)
{
    for (const std::string* value : {&e.name, &e.reading, &e.tel1, &e.tel2, &e.mail1, &e.mail2, &e.address, &e.memo})
        if (LosesTrailingBackslash(*value, e.charset))
            return true;
    return false;
}

bool LosesTrailingBackslash(const MailEntry& e)
{
    return LosesTrailingBackslash(e.to, e.charset) || LosesTrailingBackslash(e.subject, e.charset) ||
           LosesTrailingBackslash(e.body, e.charset);
}

std::vector<std::string> SplitFields(std::string_view content, text::TextCharset charset)
{
    std::vector<std::string> fields;
    std::string field;
    bool afterBackslash = false;  // the last byte of `field` is a single-byte backslash
    ForEachCharacter(content, charset, [&](std::string_view character, std::size_t) {
        if (character.size() == 1 && character[0] == kComma) {
            if (afterBackslash) {
                field.back() = kComma;
                afterBackslash = false;
            } else {
                fields.push_back(std::move(field));
                field.clear();
            }
        } else {
            field += character;
            afterBackslash = IsSingleByteBackslash(character);
        }
    });
    return fields;
}

std::string BuildAddressBookFile(const AddressBookEntry& f)
{
    const text::TextCharset c = f.charset;
    std::string content;
    AppendField(content, EscapeCommas(f.name), c);
    AppendField(content, EscapeCommas(f.reading), c);
    AppendField(content, f.tel1, c);
    AppendField(content, f.tel2, c);
    AppendField(content, f.mail1, c);
    AppendField(content, f.mail2, c);
    AppendField(content, EscapeCommas(f.address), c);
    AppendField(content, EscapeCommas(f.memo), c);
    return WithMark(ToTextMode(content), c);
}

std::string BuildMailFile(const MailEntry& f)
{
    std::string content;
    AppendField(content, EscapeCommas(f.to), f.charset);
    AppendField(content, EscapeCommas(f.subject), f.charset);
    AppendField(content, EscapeCommas(f.body), f.charset);
    return WithMark(ToTextMode(content), f.charset);
}

std::string BuildFreeTextFile(std::string_view text, text::TextCharset charset)
{
    std::string content = CrLfToLf(EscapeCommas(DropTrailingBackslashes(text, charset)));
    content += kComma;
    content += kCr;
    content += kLf;
    return WithMark(std::move(content), charset);
}

AddressBookEntry ParseAddressBookFile(std::string_view content)
{
    const MarkedContent marked = ReadMark(content);
    std::vector<std::string> fields = SplitFields(FromTextMode(marked.bytes), marked.charset);
    AddressBookEntry f;
    f.name = Take(fields, 0);
    f.reading = Take(fields, 1);
    f.tel1 = Take(fields, 2);
    f.tel2 = Take(fields, 3);
    f.mail1 = Take(fields, 4);
    f.mail2 = Take(fields, 5);
    f.address = Take(fields, 6);
    f.memo = Take(fields, 7);
    f.charset = SettleValues({&f.name, &f.reading, &f.tel1, &f.tel2, &f.mail1, &f.mail2, &f.address, &f.memo},
                             marked.charset);
    return f;
}

MailEntry ParseMailFile(std::string_view content)
{
    const MarkedContent marked = ReadMark(content);
    std::vector<std::string> fields = SplitFields(FromTextMode(marked.bytes), marked.charset);
    MailEntry f;
    f.to = Take(fields, 0);
    f.subject = Take(fields, 1);
    f.body = Take(fields, 2);
    f.charset = SettleValues({&f.to, &f.subject, &f.body}, marked.charset);
    return f;
}

FreeTextEntry ParseFreeTextEntry(std::string_view content)
{
    const MarkedContent marked = ReadMark(content);
    std::vector<std::string> fields = SplitFields(marked.bytes, marked.charset);
    FreeTextEntry entry;
    entry.text = fields.empty() ? std::string() : LfToCrLf(fields.front());
    entry.charset = SettleValues({&entry.text}, marked.charset);
    return entry;
}

std::string ParseFreeTextFile(std::string_view content) { return ParseFreeTextEntry(content).text; }

Result<void, DataFileStatus> SaveAddressBookFile(const std::string& path, const AddressBookEntry& fields)
{
    return Saved(WriteFileAtomically(path, BuildAddressBookFile(fields)), false);
}

Result<void, DataFileStatus> SaveMailFile(const std::string& path, const MailEntry& fields)
{
    return Saved(WriteFileAtomically(path, BuildMailFile(fields)), false);
}

Result<void, DataFileStatus> SaveFreeTextFile(const std::string& path, std::string_view text, text::TextCharset charset)
{
    return Saved(WriteFileAtomically(path, BuildFreeTextFile(text, charset)), true);
}

Result<AddressBookEntry, DataFileStatus> OpenAddressBookFile(const std::string& path)
{
    const Result<std::string, DataFileStatus> content = ReadTextModeFile(path);
    if (!content)
        return Fail(content.Error());
    return ParseAddressBookFile(*content);
}

Result<MailEntry, DataFileStatus> OpenMailFile(const std::string& path)
{
    const Result<std::string, DataFileStatus> content = ReadTextModeFile(path);
    if (!content)
        return Fail(content.Error());
    return ParseMailFile(*content);
}

Result<FreeTextEntry, DataFileStatus> OpenFreeTextEntry(const std::string& path)
{
    const Result<std::string, FileStatus> content = ReadWholeFile(path);
    if (!content)
        return Fail(FromFileStatus(content.Error(), true));
    return ParseFreeTextEntry(*content);
}

Result<std::string, DataFileStatus> OpenFreeTextFile(const std::string& path)
{
    Result<FreeTextEntry, DataFileStatus> entry = OpenFreeTextEntry(path);
    if (!entry)
        return Fail(entry.Error());
    return std::move(entry).Value().text;
}

}  // namespace nubora
