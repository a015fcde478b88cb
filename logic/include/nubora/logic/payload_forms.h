// The two forms in which the address book and the e-mail can go into a code:
// the texts made for the phones of the past and the forms that today's code
// readers of every phone understand.
#pragma once

#include <string>

#include "nubora/logic/address_book_text.h"
#include "nubora/logic/mail_text.h"

namespace nubora {

// Which texts the address-book and e-mail screens encode.
//   Legacy    the MEMORY registration text (AddressBookPayload) and the
//             MAILTO text (MailPayload), as the phones of the past read them.
//   Standard  a MECARD for the address book (MecardPayload) and a mailto: URI
//             for the e-mail (MailtoUriPayload).
// Free text is the same in both forms.
enum class PayloadForm { Legacy, Standard };

// The entry as a MECARD, CP932 bytes:
//   "MECARD:N:<name>;SOUND:<reading>;TEL:<tel1>;TEL:<tel2>;EMAIL:<mail1>;
//    EMAIL:<mail2>;ADR:<address>;NOTE:<memo>;;"
// N is always there, also when the name is empty; every other field only when
// its value is not empty, so TEL and EMAIL appear once per filled value. In
// the values a single-byte '\', ';', ',' or ':' gets a backslash before it; a
// 0x5C that is the second byte of a double-byte character (表 0x95 0x5C, ソ
// 0x83 0x5C) is part of that character and is left alone.
std::string MecardPayload(const AddressBookEntry& entry);

// The mail as a mailto: URI, ASCII only:
//   "mailto:" <to> ["?subject=" <subject>] ["&body=" <body>]
// (the body's separator is '?' when there is no subject; empty values are
// left out). Every value is converted from CP932 to UTF-8 and percent-encoded
// with upper-case hex digits. The recipients keep letters, digits and
// "-._~!$'()*+,;=@:" as they are, so the commas between them stay; subject
// and body keep only letters, digits and "-._~", so their CR LF becomes
// %0D%0A. A byte that begins no valid CP932 character is percent-encoded as it
// is; nothing is dropped.
std::string MailtoUriPayload(const MailEntry& entry);

}  // namespace nubora
