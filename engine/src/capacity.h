// Version choice, capacity queries and the structured-append division.
#pragma once

#include <cstdint>

#include "context.h"
#include "status.h"

namespace tavoqr {

// Chooses the symbol for `bits` data bits at the request's level (0 = M): the
// smallest version of the table whose data bits reach `bits`, or the request's
// fixed version when that is at least as large. Fills ctx.symbol and returns
// Status::kOk, or Status::kDataTooLong when nothing fits.
Status Choose(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t bits);

// Choose as the analysis uses it: a fixed version is taken as it is, even if
// smaller than needed. Returns Status::kOk, or Status::kDataTooLong when no
// version of the table reaches bits.
Status Estimate(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t bits);

// Data bits of the request's fixed version at its level (0 = M);
// Status::kBadArgument for version 0 or a version or level outside the table.
Result<int32_t> CapacityBits(const QrSymbolSpec& request) noexcept;

// Divides ctx's characters among N symbols for a budget of budgetBits in all:
// fills ctx.quotas (N + 1 entries, the last 0) and ctx.overflowBits. Returns
// Status::kOk, or Status::kSplitImpossible when the text cannot be divided.
// The quotas always add up to the text's characters on success.
Status Divide(QrEncodeContext& ctx, int32_t budgetBits, int32_t symbolCount);

// Exclusive-or of the bytes of a zero-terminated text; 0 for an empty one.
uint8_t Parity(const char* text) noexcept;

// After a choice: makes sure the fullest symbol's exact content fits ctx.symbol,
// moving an automatically chosen version up as far as needed. Returns
// Status::kOk, or Status::kDataTooLong when a fixed version is too small or no
// version up to 40 suffices.
Status FitLargestSymbol(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t symbolCount);

}  // namespace tavoqr
