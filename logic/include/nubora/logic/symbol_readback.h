// The last check before a code is shown: every symbol is read back by an
// independent decoder (zxing-cpp) from its very bits, and the symbols must
// give back exactly the payload they were made from.
#pragma once

#include <string>

#include "nubora/logic/symbol_bitmaps.h"
#include "tavoqrenc.h"

namespace nubora {

// True when the `count` symbols (1..16, none null) read back as `payload`
// (CP932 bytes): one symbol must decode, without a structured-append header,
// to exactly `payload`; a sequence of N >= 2 must have symbol i (0-based)
// decode with the header "index i of N" and the parity (exclusive-or of every
// byte of `payload`), and the parts' bytes joined in order must equal
// `payload`. False on any other count, on a null symbol, on a symbol whose
// quiet zone (4 modules) or finder patterns are not exactly in place, on any
// symbol that does not decode, on any mismatch and when memory runs out;
// never throws.
[[nodiscard]] bool ReadsBackAs(const QrBitmap* const* symbols, int count, const std::string& payload);

// The same for the symbols held in `symbols`; false when none are held.
[[nodiscard]] bool ReadsBackAs(const SymbolBitmaps& symbols, const std::string& payload);

}  // namespace nubora
