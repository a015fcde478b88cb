#include "nubora/logic/data_file.h"

#include <utility>

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

// Appends `value` without its trailing single-byte backslashes and then the
// separator comma.
void AppendField(std::string& out, std::string_view value)
{
    out += DropTrailingBackslashes(value);
    out += kComma;
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

std::string DropTrailingBackslashes(std::string_view value)
{
    // Where the value would end without its run of single-byte backslashes.
    std::size_t keep = 0;
    const text::Cp932Chars characters = text::Cp932Chars(value);
    for (auto at = characters.begin(); at != characters.end(); ++at) {
        if (!IsSingleByteBackslash(*at))
            keep = at.Offset() + (*at).size();
    }
    return std::string(value.substr(0, keep));
}

bool LosesTrailingBackslash(std::string_view value) { return DropTrailingBackslashes(value).size() != value.size(); }

bool LosesTrailingBackslash(const AddressBookEntry& e)
{
    for (const std::string* value : {&e.name, &e.reading, &e.tel1, &e.tel2, &e.mail1, &e.mail2, &e.address, &e.memo})
        if (LosesTrailingBackslash(*value))
            return true;
    return false;
}

bool LosesTrailingBackslash(const MailEntry& e)
{
    return LosesTrailingBackslash(e.to) || LosesTrailingBackslash(e.subject) || LosesTrailingBackslash(e.body);
}

std::vector<std::string> SplitFields(std::string_view content)
{
    std::vector<std::string> fields;
    std::string field;
    bool afterBackslash = false;  // the last byte of `field` is a single-byte backslash
    for (const std::string_view character : text::Cp932Chars(content)) {
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
    }
    return fields;
}

std::string BuildAddressBookFile(const AddressBookEntry& f)
{
    std::string content;
    AppendField(content, EscapeCommas(f.name));
    AppendField(content, EscapeCommas(f.reading));
    AppendField(content, f.tel1);
    AppendField(content, f.tel2);
    AppendField(content, f.mail1);
    AppendField(content, f.mail2);
    AppendField(content, EscapeCommas(f.address));
    AppendField(content, EscapeCommas(f.memo));
    return ToTextMode(content);
}

std::string BuildMailFile(const MailEntry& f)
{
    std::string content;
    AppendField(content, EscapeCommas(f.to));
    AppendField(content, EscapeCommas(f.subject));
    AppendField(content, EscapeCommas(f.body));
    return ToTextMode(content);
}

std::string BuildFreeTextFile(std::string_view text)
{
    std::string content = CrLfToLf(EscapeCommas(DropTrailingBackslashes(text)));
    content += kComma;
    content += kCr;
    content += kLf;
    return content;
}

AddressBookEntry ParseAddressBookFile(std::string_view content)
{
    std::vector<std::string> fields = SplitFields(FromTextMode(content));
    AddressBookEntry f;
    f.name = Take(fields, 0);
    f.reading = Take(fields, 1);
    f.tel1 = Take(fields, 2);
    f.tel2 = Take(fields, 3);
    f.mail1 = Take(fields, 4);
    f.mail2 = Take(fields, 5);
    f.address = Take(fields, 6);
    f.memo = Take(fields, 7);
    return f;
}

MailEntry ParseMailFile(std::string_view content)
{
    std::vector<std::string> fields = SplitFields(FromTextMode(content));
    MailEntry f;
    f.to = Take(fields, 0);
    f.subject = Take(fields, 1);
    f.body = Take(fields, 2);
    return f;
}

std::string ParseFreeTextFile(std::string_view content)
{
    std::vector<std::string> fields = SplitFields(content);
    return fields.empty() ? std::string() : LfToCrLf(fields.front());
}

Result<void, DataFileStatus> SaveAddressBookFile(const std::string& path, const AddressBookEntry& fields)
{
    return Saved(WriteFileAtomically(path, BuildAddressBookFile(fields)), false);
}

Result<void, DataFileStatus> SaveMailFile(const std::string& path, const MailEntry& fields)
{
    return Saved(WriteFileAtomically(path, BuildMailFile(fields)), false);
}

Result<void, DataFileStatus> SaveFreeTextFile(const std::string& path, std::string_view text)
{
    return Saved(WriteFileAtomically(path, BuildFreeTextFile(text)), true);
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

Result<std::string, DataFileStatus> OpenFreeTextFile(const std::string& path)
{
    const Result<std::string, FileStatus> content = ReadWholeFile(path);
    if (!content)
        return Fail(FromFileStatus(content.Error(), true));
    return ParseFreeTextFile(*content);
}

}  // namespace nubora
