// The engine's operations behind the exported C functions; same contracts as
// tavoqrenc.h, but they may throw std::bad_alloc, which the C boundary turns
// into -303.
#pragma once

#include <cstdint>

#include "context.h"
#include "tavoqrenc.h"

namespace tavoqr {

// Steps from the text to the chosen symbol: analysis (with the byte-only retry
// when the text has fewer characters than symbols), the structured-append
// division for N > 1, the version choice (with the byte-only retry when it
// fails or exceeds version 15), and the check that the fullest symbol fits.
// ctx.text, ctx.textLength and ctx.request must be set. Returns 0 with ctx.symbol
// (version 1..15) and, for N > 1, ctx.quotas set; else -301, -303 or -306.
int32_t PrepareSymbols(QrEncodeContext& ctx, int32_t symbolCount);

int32_t QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                 QrEncodeParams* params);
int32_t QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps, QrEncodeParams* params,
                  int32_t* failedIndex);
int32_t GetAvailableLength(const int32_t* versionLevel);
int32_t GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion);
int32_t GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params);

}  // namespace tavoqr
