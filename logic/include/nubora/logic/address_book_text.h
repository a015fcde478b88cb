// The texts the address-book screen makes from its entry, without a window:
// the phone's address-book registration text (the MEMORY payload) and the
// summary of the entered data that the code view shows. All CP932 bytes, or
// UTF-8 for an entry in UTF-8.
#pragma once

#include "nubora/text/charset.h"

#include <string>

namespace nubora {

// One address-book entry as the screen holds it: CP932 bytes, or UTF-8 bytes
// when a value holds a character without a CP932 code. The limits are
// counted by text::LimitLength.
struct AddressBookEntry {
    std::string name;                                      // NAME1, at most 24 bytes
    std::string reading;                                   // NAME2, at most 24 bytes
    std::string tel1;                                      // TEL1, at most 36 bytes
    std::string tel2;                                      // TEL2, at most 36 bytes
    std::string mail1;                                     // MAIL1, at most 64 bytes
    std::string mail2;                                     // MAIL2, at most 64 bytes
    std::string address;                                   // ADD, at most 80 bytes
    std::string memo;                                      // MEMORY, at most 80 bytes
    text::TextCharset charset = text::TextCharset::Cp932;  // of every value
    bool operator==(const AddressBookEntry&) const = default;
};

// The registration text: "MEMORY:" + memo (always), then "NAME1:", "NAME2:",
// "TEL1:", "TEL2:", "MAIL1:", "MAIL2:", "ADD:" lines for the fields that are
// not empty, in that order; every line ends in CR LF, the values unchanged.
std::string AddressBookPayload(const AddressBookEntry& entry);

// The code view's summary: the name, reading and memo lines always, the
// other fields when not empty; each line a label such as "【名前<TAB>】 "
// (TAB 0x09, then one space), the value and CR LF; in the entry's charset.
std::string AddressBookSummary(const AddressBookEntry& entry);

}  // namespace nubora
