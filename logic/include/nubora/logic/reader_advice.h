// Advice for the code view on what may keep a phone's code reader from
// taking the code as it was meant.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nubora/text/charset.h"

namespace nubora {

// The advice lines for a code, Japanese in UTF-8, each a sentence of its own,
// in this order and each only when it applies:
//   1. symbolCount > 1: the code is split, and most phone cameras read each
//      part on its own.
//   2. `payload` (CP932 bytes) holds characters that plain Shift_JIS readers
//      lack: the NEC special characters 0x8740..0x879C, the NEC-selected IBM
//      extensions 0xED40..0xEEFC and the IBM extensions 0xFA40..0xFC4B. The
//      line names the first three distinct ones in order of appearance (and
//      says "など" when there are more) and, for those that have a usual
//      JIS X 0208 form (髙 → 高, 﨑 → 崎 ...), the forms to use instead, and
//      says that in the standard form (UTF-8) every reader reads them. Only
//      whole double-byte characters count, never a second byte; codes in
//      these ranges that are no character at all are passed over.
//   3. addressBookInMemoryForm: the address book is in the legacy MEMORY form,
//      which some readers show as plain text, and the settings offer the
//      standard form.
// Returns no lines when nothing applies.
std::vector<std::string> ReaderAdvice(const std::string& payload, int symbolCount, bool addressBookInMemoryForm);

// The smallest printed module that phone cameras read reliably from a usual
// distance, in millimetres; modules of 0.3 to 0.4 mm are read at once.
inline constexpr double kReliableModuleMm = 0.3;

// The advice for a code printed with modules of `moduleMm` millimetres,
// Japanese in UTF-8, when they are smaller than kReliableModuleMm; nothing
// for larger ones.
std::optional<std::string> SmallModuleAdvice(double moduleMm);
// The same for a payload in `charset`. For a UTF-8 code (the standard form)
// the only line is, for a split, that cameras still read it part by part,
// each part in whole characters; every character reads right, so none is named.
std::vector<std::string> ReaderAdvice(const std::string& payload, int symbolCount, bool addressBookInMemoryForm,
                                      text::TextCharset charset);

}  // namespace nubora
