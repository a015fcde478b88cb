// The last check before a code is shown: every symbol is read back by an
// independent decoder (zxing-cpp) from its very bits, and the symbols must
// give back exactly the payload they were made from.
#pragma once

#include <string>

#include "nubora/logic/result.h"
#include "nubora/logic/symbol_bitmaps.h"
#include "nubora/text/charset.h"
#include "tavoqrenc.h"

namespace nubora {

// Why the symbols did not read back. Every one of them is reported with the
// same message (kReadBackFailed); the names tell a test or a trace which
// check refused them.
enum class ReadBackFailure {
    NoSymbols,      // a count outside 1..16, or a null symbol
    BrokenFrame,    // the quiet zone or a finder pattern is not exactly in place
    Undecodable,    // the decoder found no QR Code symbol
    WrongSequence,  // one symbol with a structured-append header, or a part with the wrong index, count or parity
    WrongBytes,     // the bytes (joined, for a split) differ from the payload
    WrongText,      // a UTF-8 code without its ECI, or a symbol's text is not its bytes
    DecoderError,   // the decoder threw, or memory ran out
};

// Succeeds when the `count` symbols (1..16, none null) read back as `payload`
// (CP932 bytes): one symbol must decode, without a structured-append header,
// to exactly `payload`; a sequence of N >= 2 must have symbol i (0-based)
// decode with the header "index i of N" and the parity (exclusive-or of every
// byte of `payload`), and the parts' bytes joined in order must equal
// `payload`. Fails on any other count, on a null symbol, on a symbol whose
// quiet zone (4 modules) or finder patterns are not exactly in place, on any
// symbol that does not decode, on any mismatch and when memory runs out;
// never throws.
Result<void, ReadBackFailure> ReadsBackAs(const QrBitmap* const* symbols, int count, const std::string& payload);

// The same for the symbols held in `symbols`; fails with NoSymbols when none
// are held.
Result<void, ReadBackFailure> ReadsBackAs(const SymbolBitmaps& symbols, const std::string& payload);

// The same for a payload in `charset`. For UTF-8 the symbols must also carry
// an ECI and be read as text: each symbol's text, alone, must be exactly its
// bytes (whole UTF-8 characters), and the texts joined must be `payload`.
Result<void, ReadBackFailure> ReadsBackAs(const SymbolBitmaps& symbols, const std::string& payload,
                                          text::TextCharset charset);

}  // namespace nubora
