// The two forms in which the address book and the e-mail can go into a code:
// the texts made for the phones of the past and the forms that today's code
// readers of every phone understand.
#pragma once

#include <string>
#include <string_view>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/mail_text.h"

namespace nubora {

// Which texts the address-book and e-mail screens encode.
//   Legacy    the MEMORY registration text (AddressBookPayload) and the
//             MAILTO text (MailPayload), as the phones of the past read them.
//   Standard  a MECARD for the address book (MecardPayload) and a mailto: URI
//             for the e-mail (MailtoUriPayload), and every code in UTF-8
//             with an ECI, the free text included.
// The free text's words are the same in both forms.
enum class PayloadForm { Legacy, Standard };

// The character set of the codes of `form`: CP932 for Legacy, UTF-8 for
// Standard.
text::TextCharset PayloadCharset(PayloadForm form) noexcept;

// The entry as a MECARD, in the entry's charset:
//   "MECARD:N:<name>;SOUND:<reading>;TEL:<tel1>;TEL:<tel2>;EMAIL:<mail1>;
//    EMAIL:<mail2>;ADR:<address>;NOTE:<memo>;;"
// N is always there, also when the name is empty; every other field only when
// its value is not empty, so TEL and EMAIL appear once per filled value. In
// the values a single-byte '\', ';', ',' or ':' gets a backslash before it; a
// 0x5C that is the second byte of a double-byte character (表 0x95 0x5C, ソ
// 0x83 0x5C) is part of that character and is left alone. (UTF-8 has no such
// bytes inside its characters.)
std::string MecardPayload(const AddressBookEntry& entry);

// The mail as a mailto: URI, ASCII only:
//   "mailto:" <to> ["?subject=" <subject>] ["&body=" <body>]
// (the body's separator is '?' when there is no subject; empty values are
// left out). Every value is converted from CP932 to UTF-8 and percent-encoded
// with upper-case hex digits; a mail in UTF-8 is taken as it is. The recipients keep letters, digits and
// "-._~!$'()*+,;=@:" as they are, so the commas between them stay; subject
// and body keep only letters, digits and "-._~", so their CR LF becomes
// %0D%0A. A byte that begins no valid CP932 character is percent-encoded as it
// is; nothing is dropped.
std::string MailtoUriPayload(const MailEntry& entry);

// The bytes of the code the screens make in `form`, in PayloadCharset(form):
//   Legacy    AddressBookPayload / MailPayload / the text, in CP932; the
//             values of an entry in UTF-8 are made CP932 first, each
//             character without a CP932 code as '?' (the screens stop such
//             an entry before it is encoded).
//   Standard  MecardPayload / MailtoUriPayload / the text, in UTF-8.
std::string AddressBookCodePayload(const AddressBookEntry& entry, PayloadForm form);
std::string MailCodePayload(const MailEntry& entry, PayloadForm form);
std::string FreeTextCodePayload(std::string_view text, text::TextCharset charset, PayloadForm form);

// The entry with every value in `charset`; values going to CP932 take '?'
// for a character without a code.
AddressBookEntry InCharset(const AddressBookEntry& entry, text::TextCharset charset);
MailEntry InCharset(const MailEntry& entry, text::TextCharset charset);

}  // namespace nubora
