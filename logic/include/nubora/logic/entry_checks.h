// The checks an entry must pass before it becomes a code, shared by the
// input screens and the command-line program: the byte limit of every field
// and the character and required-field rules, each kind of entry checked in
// the order its screen reports them.
#pragma once

#include <string>
#include <string_view>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/mail_text.h"
#include "nubora/logic/result.h"

namespace nubora {

// The fields of the three kinds of entry.
enum class EntryField {
    // address book
    Name,
    Reading,
    Tel1,
    Tel2,
    Mail1,
    Mail2,
    Address,
    Memo,
    // mail
    To,
    Subject,
    Body,
    // free text
    Text,
};

// The first rule an entry breaks.
struct CheckFailure {
    EntryField field;
    // The string id of the field's message (kBadReadingChars, kBadTelChars,
    // kBadMailChars, kEmptyMailTo, kBadMailToChars, kEmptyText,
    // kUnencodableChar); 0 when the value is longer than its limit.
    int messageId = 0;
    // For a value longer than its limit: that limit in bytes, which the
    // framework's message "%1 文字以内で入力してください。" names; else 0.
    int limitBytes = 0;
    // For kUnencodableChar: the position of that character in the field,
    // from 1, counted in characters (a double-byte character is one); else 0.
    int position = 0;
    bool operator==(const CheckFailure&) const = default;
};

// Whether the byte limits are checked. The screens' edit controls already
// refuse longer input and test the limits on every transfer, so the screens
// leave them out here; everything else that takes an entry checks them.
enum class FieldLimits { Checked, LeftToControls };

// The limit of `field` in CP932 bytes (a double-byte character counts 2; in
// an entry in UTF-8 a character without a CP932 code counts 2 as well):
// name and reading 24, telephone numbers 36, e-mail addresses 64, address
// and memo 80, recipients 640, subject 100, body 10,000; 0 for the free text,
// which has none of its own (the symbol's capacity bounds it).
int FieldLimitBytes(EntryField field) noexcept;

// Every rule ends with the characters that cannot go into a code at all: a
// field holding a NUL byte, which would end the payload, fails with
// kUnencodableChar at the first field (in screen order) that holds one.

// Fails with the first rule an address-book entry breaks:
// with `limits` Checked, the fields' lengths in screen order (name, reading,
// tel1, tel2, mail1, mail2, address, memo); then the reading
// (CheckReadingChars), tel1 and tel2 (TelChars), mail1 and mail2
// (MailChars); then kUnencodableChar. Empty fields pass every character
// rule; an empty entry passes.
Result<void, CheckFailure> CheckAddressBookEntry(const AddressBookEntry& entry,
                                                 FieldLimits limits = FieldLimits::Checked);

// Fails with the first rule a mail breaks: with `limits` Checked, the lengths of to,
// subject and body; then, when `recipientRequired`, an empty recipient
// (kEmptyMailTo); then the recipient's characters (MailToChars); then
// kUnencodableChar. Subject and body take any other characters.
Result<void, CheckFailure> CheckMailEntry(const MailEntry& entry, bool recipientRequired,
                                          FieldLimits limits = FieldLimits::Checked);

// Fails with the rule a free text breaks: an empty text (kEmptyText), then
// kUnencodableChar. Any other character is allowed and there is no limit of
// its own. `text` is in `charset`.
Result<void, CheckFailure> CheckFreeText(std::string_view text, text::TextCharset charset = text::TextCharset::Cp932);

// The message of `failure` as UTF-8, as the screens show it and nubora-qr
// writes it: the field's message of the string table, with the position in
// place of the "%d" of kUnencodableChar, or for a value over its limit
// "<limit> 文字以内で入力してください。".
std::string CheckFailureMessage(const CheckFailure& failure);

}  // namespace nubora
