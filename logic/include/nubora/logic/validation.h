// The character rules of the input fields and the capacity gauge. Values are
// Shift-JIS (CP932) byte strings; characters are whole Shift-JIS characters,
// so the trail byte of a double-byte character is never taken for a
// single-byte one.
#pragma once

#include <cstdint>
#include <string_view>

#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

namespace nubora {

// The lead-byte test of code page 932: 0x81..0x9F and 0xE0..0xFC.
using text::IsDbcsLeadByte;

// A set of allowed characters: single bytes by table, double-byte codes by list.
struct CharSet {
    std::string_view singleBytes;  // every allowed single-byte character
    const uint16_t* doubleBytes;   // allowed double-byte codes (lead << 8 | trail)
    int32_t doubleByteCount;
};

// Telephone numbers: * # - and digits, half- and full-width.
extern const CharSet TelChars;
// E-mail addresses of the address book (single-byte only).
extern const CharSet MailChars;
// The recipient list of a mail: MailChars and the comma.
extern const CharSet MailToChars;
// The one-seg link parameter: printable ASCII but the double quote and grave accent.
extern const CharSet LinkParamChars;

// 0 when every character of value is a member of set (an empty value always
// passes), 1 otherwise.
int CheckChars(std::string_view value, const CharSet& set) noexcept;

// 0 when every double-byte character of the name reading is one the phone's
// reading field takes (full-width katakana, digits, letters and some symbols;
// single-byte characters always pass), 1 otherwise.
int CheckReadingChars(std::string_view value) noexcept;

// The same two checks for a value in `charset`: a UTF-8 value is checked in
// its CP932 form and fails (1) when it has none.
int CheckChars(std::string_view value, text::TextCharset charset, const CharSet& set);
int CheckReadingChars(std::string_view value, text::TextCharset charset);

// Position 0, 10, ... 100 of the capacity gauge for a payload of payloadBytes
// bytes against a capacity of `capacity` bytes; 0 when every field is empty.
int GaugePosition(bool allFieldsEmpty, int64_t payloadBytes, int32_t capacity) noexcept;

}  // namespace nubora
