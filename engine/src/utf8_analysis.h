// Analysis of a UTF-8 text for symbols that carry it behind ECI 26: the
// segments with the fewest bits over numeric, alphanumeric and byte modes,
// the version choice and, for a structured-append sequence, the division of
// the text between characters.
#pragma once

#include <cstdint>

#include "context.h"
#include "status.h"

namespace tavoqr {

// Prepares the symbols of ctx.text (ctx.textLength > 0 bytes, meant as UTF-8)
// for symbolCount (1..16) symbols at ctx.request (version 0..15, level 0..4):
// sets ctx.eci to 26 when the text holds a character outside the 45 of
// alphanumeric mode, else to -1 (no ECI); ctx.segments, each symbol's own in text order, none
// crossing a symbol boundary, every count in bytes; ctx.totalCharacters (the
// bytes); for N > 1 ctx.quotas (bytes per symbol, each symbol's text whole
// characters) and ctx.parity (of all bytes); and ctx.symbol, the smallest
// version at the level (or the requested one) that holds every symbol.
// Returns Status::kOk; Status::kBadText when the text is not well-formed UTF-8
// or holds a zero byte (whatever its length); Status::kSplitImpossible when it
// has fewer characters than symbols; Status::kDataTooLong when no version up
// to 15 (or not the requested one) holds it in symbolCount symbols.
Status PrepareUtf8Symbols(QrEncodeContext& ctx, int32_t symbolCount);

// Bytes of text that symbolCount (1..16) symbols of `version` (1..40) at
// `level` (1..4) hold together in byte mode: per symbol, its data bits less
// the structured-append header (N > 1), the ECI header and one byte segment's
// mode and count indicators, in whole bytes. Status::kBadArgument for values
// outside those ranges.
Result<int32_t> Utf8ByteCapacity(int32_t version, int32_t level, int32_t symbolCount) noexcept;

}  // namespace tavoqr
