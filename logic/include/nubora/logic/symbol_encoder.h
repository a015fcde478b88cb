// The engine behind the screens: a payload with the shared settings in,
// symbol bitmaps, the print size and the code view's information text out;
// what automatic mode would use for a payload and what a symbol holds. No
// window, no message: the caller reports a failure by what it gives back.
#pragma once

#include "nubora/logic/code_settings.h"
#include "nubora/logic/result.h"
#include "nubora/logic/symbol_bitmaps.h"

#include "nubora/text/charset.h"

#include <functional>
#include <string>

namespace nubora {

// What an encoding made, beside the bitmaps.
struct EncodeSuccess {
    // The code view's five-line information text (CP932).
    std::string informationText;
    // The version (1..15) and level (1 L .. 4 H) the engine used.
    int version = 0;
    int level = 0;
};

// Why the engine made no code.
struct EncodeFailure {
    // The string id of the message to report: kSplitImpossible, kDataTooLong
    // or kEncodeFailed by the engine's result; kReadBackFailed from
    // EncodeReadBack.
    int messageId = 0;
};

// Encodes `payload` with `settings` (version, level, splitCount) into
// `bitmaps`, releasing any held first. The payload is in the charset of
// settings.form (PayloadCharset): CP932 through the engine's Shift-JIS entry
// point, UTF-8 through its UTF-8 one, which marks the symbols with an ECI
// (malformed UTF-8 fails with kEncodeFailed). On success also sets
// settings.printSizeMm; on failure leaves `bitmaps` empty and `settings`
// unchanged.
Result<EncodeSuccess, EncodeFailure> EncodeSymbols(const std::string& payload, CodeSettings& settings,
                                                   SymbolBitmaps& bitmaps);

// What may change the symbols between their encoding and their read-back:
// nothing in the program; a test spoils a module to see the code refused.
using BeforeReadBack = std::function<void(SymbolBitmaps&)>;

// EncodeSymbols, then every symbol read back as `payload` in `charset`
// (ReadsBackAs): a code that does not read back is released and fails with
// kReadBackFailed, so that no code leaves the program that does not give its
// payload back. The screens, the sheets and nubora-qr all encode through this.
Result<EncodeSuccess, EncodeFailure> EncodeReadBack(const std::string& payload, CodeSettings& settings,
                                                    SymbolBitmaps& bitmaps, text::TextCharset charset,
                                                    const BeforeReadBack& beforeReadBack = {});

// Why the engine could not tell a capacity: its negative status, which the
// settings keep as their capacity (reported with kCapacityQueryFailed).
struct CapacityFailure {
    int engineStatus = 0;
};

// Sets settings.shownLevel and shownVersion to what automatic mode would use
// for `payload` (in the charset of settings.form) split into
// settings.splitCount symbols.
// Fails with kDataTooLong, `settings` unchanged, when the engine cannot tell.
Result<void, EncodeFailure> QueryAutomaticCodeInfo(const std::string& payload, CodeSettings& settings);

// The bytes of payload in `form` that `symbolCount` (1..16) symbols of
// `version` (1..15) and `level` (1..4) hold together: for the legacy form
// the engine's Shift-JIS figure for one symbol times symbolCount, for the
// standard form its UTF-8 figure for the whole split. Fails with the
// engine's status when it cannot tell.
Result<int, CapacityFailure> AvailableBytes(PayloadForm form, int version, int level, int symbolCount);

}  // namespace nubora
