// The saved input data files of the three input screens: address book
// (".aqr"), e-mail (".eqr") and free text (".fqr"). Values are Shift-JIS
// (CP932) byte strings exactly as the screens hold them; the files carry no
// header, and their kind is known from the extension alone.
//
// An entry in UTF-8 (one with a character that has no CP932 code) is written
// in the same layout in UTF-8, after the byte-order mark EF BB BF; there every
// byte below 0x80 is a character of its own. A file that begins with the mark
// is read so: bytes that begin no UTF-8 character become U+FFFD, and when
// every value then has a CP932 form the entry comes back in CP932, as the
// screens hold such text. A file without the mark is CP932 as below.
//
// Layout. A file is a row of fields, each followed by one comma (0x2C), the
// last one too. A comma inside a value written through EscapeCommas is stored
// as backslash comma (0x5C 0x2C); backslashes themselves are not escaped.
//   aqr  name, reading, tel1, tel2, mail1, mail2, address, memo; name,
//        reading, address and memo escaped, the rest (which cannot hold a
//        comma once checked) as they are. Written with LF stored as CR LF.
//   eqr  to, subject, body, all escaped. Written with LF stored as CR LF, so
//        a CR LF line break of the body is stored as CR CR LF.
//   fqr  text, escaped, then every CR LF of it turned into a bare LF; then a
//        comma and a final CR LF. No other translation.
//
// Reading splits at every comma that is not escaped. A comma is escaped when
// the byte just before it is a single-byte backslash: Shift-JIS characters are
// taken from the start of each field (a byte 0x81..0x9F or 0xE0..0xFC and a
// byte 0x40..0x7E or 0x80..0xFC after it are one character), so the trail byte 0x5C of "表" (0x95 0x5C) or "ソ"
// (0x83 0x5C) is no escape. A lead byte directly before a comma stands alone:
// a comma is always a comma. The escaping backslash is dropped and the comma
// kept in the field. Only text ended by a comma forms a field; what follows
// the last comma is ignored. Fields past those of the kind are ignored and
// missing ones come back empty. aqr and eqr files are read with CR LF taken
// as LF first.
//
// The readers take the whole file, whatever its length and however many line
// breaks the values hold, so every value saved here comes back byte for byte:
// an e-mail body with line breaks, and lines longer than 511 (aqr) or 1,279
// (eqr, fqr) bytes, included. Every field that the older one-line readers got
// (those ended by a comma on the file's first line, within those lengths)
// still reads the same.
//
// A value cannot end in a single-byte backslash: its separator comma would
// read as an escaped comma and the field would swallow the next one. The
// writers therefore drop single-byte backslashes at the end of every value
// ("C:\" is saved as "C:", "表\" as "表"; "表" itself keeps its trail byte), so
// every field keeps its place. The readers stay with the format: "\," at the
// end of a field in a file from elsewhere is an escaped comma.
//
// Round trip. Saved and read back, every value comes back exactly when it is
// CP932 text (no lead byte directly before a comma) less any trailing
// single-byte backslashes; for the free text, line breaks must be CR LF (a
// bare LF comes back as CR LF), as they always are in the screens.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/code_state.h"
#include "nubora/logic/file_io.h"
#include "nubora/logic/mail_text.h"
#include "nubora/logic/result.h"

namespace nubora {

// Why saving or opening a data file failed, one per message of the
// screens. Each function below says which it can fail with.
enum class DataFileStatus {
    CannotOpen,  // kFileOpenFailed: the file cannot be opened (or written)
    Unreadable,  // kFileReadFailed: an address-book or e-mail file is empty or cannot be read
    InUse,       // kFileInUse: the free-text file is held by another program
};

// The input screen whose data files `path` names by its extension, compared
// exactly: "aqr" the address book, "eqr" the e-mail, "fqr" the free text;
// nothing for any other name (also "x.AQR", "x.aqr.txt" or no extension).
std::optional<ScreenId> ScreenForDataFile(std::string_view path);

// Each comma byte of `value` preceded by a backslash; every other byte as it is.
std::string EscapeCommas(std::string_view value);
// Each CR LF pair as one LF; a CR not followed by LF stays.
std::string CrLfToLf(std::string_view text);
// Each LF as CR LF (also one that already follows a CR).
std::string LfToCrLf(std::string_view text);

// `value` without the single-byte backslashes at its end (Shift-JIS aware:
// the trail byte of a double-byte character is kept; in UTF-8 every 0x5C is
// a backslash).
std::string DropTrailingBackslashes(std::string_view value, text::TextCharset charset = text::TextCharset::Cp932);

// True when saving would drop a trailing single-byte backslash of a value
// (the screens ask before saving such a value).
bool LosesTrailingBackslash(std::string_view value, text::TextCharset charset = text::TextCharset::Cp932);
bool LosesTrailingBackslash(const AddressBookEntry& entry);
bool LosesTrailingBackslash(const MailEntry& entry);

// The fields of `content` (in `charset`) in order, unescaped (see the top of
// this file). Text after the last unescaped comma is not a field.
std::vector<std::string> SplitFields(std::string_view content, text::TextCharset charset = text::TextCharset::Cp932);

// The free text with the character set of its bytes.
struct FreeTextEntry {
    std::string text;  // lines ending in CR LF
    text::TextCharset charset = text::TextCharset::Cp932;
    bool operator==(const FreeTextEntry&) const = default;
};

// The exact bytes of each kind of file, in the entry's charset.
std::string BuildAddressBookFile(const AddressBookEntry& fields);
std::string BuildMailFile(const MailEntry& fields);
std::string BuildFreeTextFile(std::string_view text, text::TextCharset charset = text::TextCharset::Cp932);

// The fields held by the bytes of a file of each kind. They take any bytes;
// an empty `content` gives empty fields (the Open functions report an empty
// address-book or e-mail file before parsing).
AddressBookEntry ParseAddressBookFile(std::string_view content);
MailEntry ParseMailFile(std::string_view content);
// The free text: the first field with each LF as CR LF; empty when the file
// holds no field. ParseFreeTextFile gives the text alone (UTF-8 for a file
// with the mark that holds a character without a CP932 code).
FreeTextEntry ParseFreeTextEntry(std::string_view content);
std::string ParseFreeTextFile(std::string_view content);

// Saving: the file at `path` (any length) is replaced only once the new bytes
// are completely written (see WriteFileAtomically); on failure an existing
// file stays as it was.
// Address book, e-mail: fails with CannotOpen.
Result<void, DataFileStatus> SaveAddressBookFile(const std::string& path, const AddressBookEntry& fields);
Result<void, DataFileStatus> SaveMailFile(const std::string& path, const MailEntry& fields);
// Free text: fails with InUse (the existing file is locked or busy) or
// CannotOpen.
Result<void, DataFileStatus> SaveFreeTextFile(const std::string& path, std::string_view text,
                                              text::TextCharset charset = text::TextCharset::Cp932);

// Opening: the fields or the text the file holds.
// Address book, e-mail: fails with CannotOpen, or Unreadable (empty file,
// read error).
Result<AddressBookEntry, DataFileStatus> OpenAddressBookFile(const std::string& path);
Result<MailEntry, DataFileStatus> OpenMailFile(const std::string& path);
// Free text (an empty file gives an empty text): fails with InUse (locked or
// busy), CannotOpen, or Unreadable (a read error).
Result<std::string, DataFileStatus> OpenFreeTextFile(const std::string& path);
Result<FreeTextEntry, DataFileStatus> OpenFreeTextEntry(const std::string& path);

}  // namespace nubora
