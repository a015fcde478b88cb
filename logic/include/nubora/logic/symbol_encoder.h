// The engine behind the screens: a payload with the shared settings in,
// symbol bitmaps, the print size and the code view's information text out;
// and what automatic mode would use for a payload. No window, no message:
// the caller reports a failure by the message id given back.
#pragma once

#include "nubora/logic/code_settings.h"
#include "nubora/logic/symbol_bitmaps.h"

#include <string>

namespace nubora {

struct EncodeOutcome {
    bool ok = false;
    // On failure: the string id of the message to report (kSplitImpossible,
    // kDataTooLong or kEncodeFailed by the engine's result).
    int failureMessageId = 0;
    // On success: the code view's five-line information text (CP932).
    std::string informationText;
    // On success: the version (1..15) and level (1 L .. 4 H) the engine used.
    int version = 0;
    int level = 0;
};

// Encodes the CP932 `payload` with `settings` (version, level, splitCount)
// into `bitmaps`, releasing any held first. On success also sets
// settings.printSizeMm; on failure leaves `bitmaps` empty and `settings`
// unchanged.
[[nodiscard]] EncodeOutcome EncodeSymbols(const std::string& payload, CodeSettings& settings, SymbolBitmaps& bitmaps);

// Sets settings.shownLevel and shownVersion to what automatic mode would use
// for `payload` split into settings.splitCount symbols.
// False, with `settings` unchanged, when the engine cannot tell (the caller
// reports kDataTooLong).
[[nodiscard]] bool QueryAutomaticCodeInfo(const std::string& payload, CodeSettings& settings);

}  // namespace nubora
