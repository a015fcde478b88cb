// What the text of a code means: a contact, a mail or free text, in the
// forms that this program and other encoders write. The result is neutral
// UTF-8, for the screens to place into their fields and for nubora-qr to
// print; nothing that the code holds is dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/result.h"

namespace nubora {

// The form a code's text was written in.
enum class CodeForm {
    Memory,      // the address-book registration text: "MEMORY:" … "NAME1:" … lines
    Mecard,      // "MECARD:N:…;…;;"
    Vcard,       // "BEGIN:VCARD" … "END:VCARD", versions 2.1, 3.0 and 4.0
    MailtoText,  // the mail text: "MAILTO:" … CR LF "SUBJECT:" … "BODY:" …
    MailtoUri,   // a mailto: URI with percent-encoded UTF-8
    Matmsg,      // "MATMSG:TO:…;SUB:…;BODY:…;;"
    Text,        // anything else
};

// A field that the screens have no place of their own for, with its label
// as the code names it ("TEL", "URL", "ORG", "cc" …).
struct LabelledField {
    std::string label;
    std::string value;
    bool operator==(const LabelledField&) const = default;
};

// The most telephone numbers and e-mail addresses a contact keeps in fields
// of their own; further ones go to `extras` labelled "TEL" and "EMAIL".
inline constexpr std::size_t kPlacedTels = 2;
inline constexpr std::size_t kPlacedEmails = 2;

// A code's text taken apart. Every value is UTF-8; a value of several lines
// separates them with CR LF, whatever the code used.
struct ParsedCode {
    CodeForm form = CodeForm::Text;
    // A contact (Memory, Mecard, Vcard).
    std::string name;
    std::string reading;              // the name's reading (SOUND, X-PHONETIC-…, NAME2)
    std::vector<std::string> tels;    // at most kPlacedTels, in the code's order
    std::vector<std::string> emails;  // at most kPlacedEmails, in the code's order
    std::string address;
    std::string memo;
    // A mail (MailtoText, MailtoUri, Matmsg).
    std::string to;  // recipients, commas between them
    std::string subject;
    std::string body;
    // Text: the whole text as it came.
    std::string text;
    // Everything else the code holds, in the code's order.
    std::vector<LabelledField> extras;
    bool operator==(const ParsedCode&) const = default;
};

// Why a text cannot be taken apart.
struct TextFailure {
    enum class Kind {
        NotUtf8,  // a byte that begins no UTF-8 character
        HasNul,   // a NUL character, which no field can hold
    };
    Kind kind = Kind::NotUtf8;
    std::size_t offset = 0;  // bytes from the start of the text to the first such byte
};

// The form and fields of `text` (UTF-8, as CodeText gives it). The form is
// recognised by the text's start: "MEMORY:", "MECARD:", "BEGIN:VCARD"
// (letters in any case), "MAILTO:" followed by a line break (the mail text),
// "mailto:" in any case otherwise (a URI), "MATMSG:"; anything else is Text.
// Escapes are undone (MECARD and MATMSG backslashes, vCard "\n", "\,", "\;"
// and folded lines, percent-encoding of URIs; percent-encoded bytes that are
// no UTF-8 are read as CP932). Fails, naming the first offending byte, when
// `text` is no UTF-8 or holds a NUL. Time and memory grow in proportion to
// the text's length; never throws but for want of memory.
Result<ParsedCode, TextFailure> ParseCodeText(std::string_view text);

// "memory", "mecard", "vcard", "mailto" (both mail forms), "matmsg" or "text".
const char* CodeFormName(CodeForm form);

}  // namespace nubora
