// Data analysis (classes, runs, mode merging, segments, bit length) and the
// writer of a symbol's data codewords.
#pragma once

#include <cstdint>

#include "context.h"
#include "status.h"

namespace tavoqr {

// Value 0..44 of an alphanumeric-mode character, 255 for any other byte.
uint8_t AlphanumericValue(uint8_t byte) noexcept;

// Data bits of n characters of `mode` (without mode and count indicators).
int32_t DataBits(int32_t mode, int32_t characters) noexcept;

// Characters of `mode` whose data fit in `room` bits, at most `limit`; 0 when
// room is 0 or negative.
int32_t CharactersThatFit(int32_t mode, int32_t room, int32_t limit) noexcept;

// Mode and count indicators plus data bits of n characters of `mode` at
// `version`; Status::kBadArgument for a bad mode or version.
Result<int32_t> SegmentBits(int32_t mode, int32_t characters, int32_t version) noexcept;

// Analyses ctx.text (ctx.textLength bytes) for N = symbolCount symbols with the
// request in ctx.request, honouring ctx.byteOnly. Returns the data bits of the
// whole text (> 0); Status::kDataTooLong when no version of the table holds
// them; Status::kSplitImpossible when N > 1 and the text has fewer characters
// than N; Status::kBadArgument for no text.
// On success ctx.segments, ctx.totalCharacters and ctx.symbol (the version whose
// count widths the segments' bit lengths use) are set.
Result<int32_t> Analyse(QrEncodeContext& ctx, int32_t symbolCount);

// Recomputes every segment's bit length with the count widths of `version`
// and returns their sum; Status::kBadArgument for a version outside 1..40
// (nothing changed).
Result<int32_t> BitLengthFor(QrEncodeContext& ctx, int32_t version);

// Bits that the fullest of the N symbols needs at `version`: headers
// (structured append when N > 1, ECI when ctx.eci is set), and for each
// segment part its mode and count indicators and data, with the characters
// divided by ctx.quotas (N > 1) or all in one symbol (N = 1).
// Status::kBadArgument for a bad version.
Result<int32_t> LargestSymbolBits(const QrEncodeContext& ctx, int32_t symbolCount, int32_t version);

// Writes the data codewords of symbol `index` of `symbolCount` into the block
// buffers of the chosen symbol ctx.symbol (ctx.blocks, ctx.blockStorage): the
// structured-append header (N > 1), the ECI header (when ctx.eci is set), then
// the symbol's characters, continuing from ctx's cursor, which it advances
// past them. Symbols must be written in order 0, 1, ... Returns Status::kOk; Status::kBadArgument for
// a bad segment mode or version; Status::kLookupFailed for a byte without an
// alphanumeric value in an alphanumeric segment; Status::kDataTooLong if the
// content would not fit (never for a symbol chosen by the version choice).
Status WriteSymbolData(QrEncodeContext& ctx, int32_t index, int32_t symbolCount);

}  // namespace tavoqr
