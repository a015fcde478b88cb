// A code read back from a picture, made into what an input screen holds:
// the screen its text belongs to, that screen's fields as CP932 or UTF-8 bytes, and
// the symbol settings the code was made with. No windows.
#pragma once

#include <string>
#include <vector>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/code_reader.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/code_state.h"
#include "nubora/logic/code_text_parse.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/mail_text.h"
#include "nubora/logic/result.h"

namespace nubora {

// The settings that follow a code: its version and level when the screens
// offer them, its split count.
struct CodeEntrySettings {
    bool manual = false;                     // true: version and level below; false: automatic adjustment
    int version = 0;                         // 1..15 when manual, else 0
    int level = 0;                           // 1 L, 2 M, 3 Q, 4 H when manual, else 0
    int splitCount = 1;                      // 1..16
    PayloadForm form = PayloadForm::Legacy;  // Standard for MECARD, vCard, mailto: URIs and MATMSG
    bool operator==(const CodeEntrySettings&) const = default;
};

// An input screen's fields made from a code.
struct CodeEntry {
    ScreenId screen = ScreenId::FreeText;
    AddressBookEntry contact;  // when screen is AddressBook
    MailEntry mail;            // when screen is Mail
    std::string text;          // when screen is FreeText: in `charset`, lines ended by CR LF
    text::TextCharset charset = text::TextCharset::Cp932;  // of every field (contact and mail carry it too)
    // Fields longer than their place on the screen, in screen order: each is
    // left empty there and its whole text added to the memo (contact) or the
    // body (mail) with its label, never cut. Last, the memo or the body
    // itself when it is then longer than its limit (kept whole all the same).
    std::vector<EntryField> tooLong;
    CodeEntrySettings settings;
};

// The screen and fields for `parsed` (ParseCodeText of `code.text`): a
// contact (MEMORY, MECARD, vCard) goes to the address book, a mail (MAILTO
// text, mailto: URI, MATMSG) to the e-mail screen, anything else to the free
// text. Fields the screen has no place for are added to the memo or the body
// as "<label>:<value>" lines after what it holds, separated by CR LF; so are
// the fields listed in `tooLong`. The memo and the body themselves are kept
// whole, also past their limit. The fields are CP932 when every character
// has a CP932 code; else they are all UTF-8 and the form is the standard one,
// the only form that takes such characters. The one place where UTF-8 fields
// become the screens' bytes.
CodeEntry EntryForCode(const ParsedCode& parsed, const ReadCode& code);

// The settings of `code`: manual with its version and level when its version
// is 1..15 (the versions the screens offer), else automatic; its split
// count; the payload form of `form`, and the standard form for UTF-8 with
// its ECI.
CodeEntrySettings SettingsForCode(const ReadCode& code, CodeForm form);

// `settings` made the shared symbol settings: the rest of `into` stays.
void ApplyCodeSettings(const CodeEntrySettings& settings, CodeSettings& into);

// The message naming the fields of `tooLong` (UTF-8, kCodeFieldsTooLong).
std::string TooLongMessage(const CodeEntry& entry);

// The first characters of `text` (UTF-8) on one line, at most `maxChars`
// characters, line breaks shown as spaces and "…" after a cut, for a list
// from which the user picks one code.
std::string TextStart(const std::string& text, int maxChars);

}  // namespace nubora
