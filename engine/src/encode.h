// The engine's operations behind the exported C functions; same contracts as
// tavoqrenc.h, but they report a Status (or a Result for the capacity queries)
// and may throw std::bad_alloc, which the C boundary reports as
// Status::kOutOfMemory.
#pragma once

#include <cstdint>

#include "context.h"
#include "status.h"
#include "tavoqrenc.h"

namespace tavoqr {

// Steps from the text to the chosen symbol: analysis (with the byte-only retry
// when the text has fewer characters than symbols), the structured-append
// division for N > 1, the version choice (with the byte-only retry when it
// fails or exceeds version 15), and the check that the fullest symbol fits.
// ctx.text, ctx.textLength and ctx.request must be set. Returns Status::kOk with
// ctx.symbol (version 1..15) and, for N > 1, ctx.quotas set; else
// Status::kDataTooLong (an empty text included) or Status::kSplitImpossible.
Status PrepareSymbols(QrEncodeContext& ctx, int32_t symbolCount);

Status QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps, QrEncodeParams* params);
Status QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps, QrEncodeParams* params,
                 int32_t* failedIndex);
// The Kanji capacity in characters, or Status::kBadArgument.
Result<int32_t> GetAvailableLength(const int32_t* versionLevel);
// The Kanji capacity in characters of the version chosen, or Status::kBadArgument.
Result<int32_t> GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion);
Status GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params);

// The UTF-8 operations: same contracts as tavoqrenc.h.
Status QrEncodeUtf8(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                    QrEncodeParams* params);
// The fill of the fullest symbol in percent, or the failure.
Result<int32_t> GetCodeInfoUtf8(const char* text, int32_t length, int32_t symbolCount, QrEncodeParams* params);
// Bytes of UTF-8 text the symbols hold in byte mode, or Status::kBadArgument.
Result<int32_t> GetAvailableBytesUtf8(const int32_t* versionLevel, int32_t symbolCount);

}  // namespace tavoqr
