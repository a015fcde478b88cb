// The eight data masks, the engine's penalty that chooses among them, and
// the format information (level and mask) in its two copies.
//
// The penalty is the engine's own, not the one of ISO/IEC 18004; it decides
// which mask, and so which picture, the engine draws. A candidate is scored
// as a w × w grid of module-map values (0 / 1 light / dark data, 2 / 3 light
// / dark function); its colour is light for 0 and 2, dark for 1 and 3. The
// score is the sum of four terms:
//   adjacency  for every module, k - 5, where k counts its left, right, upper
//              and lower neighbours inside the symbol whose colour equals the
//              module's own value (so k is 0 for a function module);
//   blocks     3 for every 2 × 2 square of one colour (squares overlap);
//   finder     40 for every run dark, light, dark, dark, dark, light, dark in
//              a row or column starting at 0..w-8 (never at w-7), with
//              nothing required around it;
//   dark       with P = 100 * dark modules / (w * w) truncated,
//              10 * (P - 55) for P >= 50, else 10 * (45 - P).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "context.h"
#include "status.h"

namespace tavoqr {

inline constexpr int32_t kMaskCount = 8;

// True where data mask `mask` (0..7) inverts module (x, y): the data mask
// patterns of ISO/IEC 18004, x the column and y the row.
constexpr bool MaskCondition(int32_t mask, int32_t x, int32_t y) noexcept
{
    switch (mask) {
    case 0: return (y + x) % 2 == 0;
    case 1: return y % 2 == 0;
    case 2: return x % 3 == 0;
    case 3: return (y + x) % 3 == 0;
    case 4: return (y / 2 + x / 3) % 2 == 0;
    case 5: return (y * x) % 2 + (y * x) % 3 == 0;
    case 6: return ((y * x) % 2 + (y * x) % 3) % 2 == 0;
    case 7: return ((y + x) % 2 + (y * x) % 3) % 2 == 0;
    default: return false;
    }
}

// The 15-bit format word of a level (1 = L, 2 = M, 3 = Q, 4 = H) and mask
// (0..7): level indicator and mask, BCH(15,5) parity, XOR 101010000010010;
// bit 14 is the first bit. 0 for a level or mask out of range.
uint32_t FormatWord(int32_t level, int32_t mask) noexcept;

// A module position: x the column, y the row.
struct QrModulePosition {
    int32_t x;
    int32_t y;
};

// Where bit `bit` (0..14, 0 the least significant) of the format word goes
// in copy 0 (around the top-left finder) or copy 1 (split between the
// bottom-left and top-right finders) of a symbol of side w.
constexpr QrModulePosition FormatPosition(int32_t copy, int32_t bit, int32_t w) noexcept
{
    if (copy == 0) {
        if (bit <= 5)
            return {8, bit};
        if (bit == 6)
            return {8, 7};
        if (bit == 7)
            return {8, 8};
        if (bit == 8)
            return {7, 8};
        return {14 - bit, 8};
    }
    if (bit <= 7)
        return {w - 1 - bit, 8};
    return {8, w - 15 + bit};
}

// The four penalty terms of one candidate.
struct QrPenalty {
    int32_t adjacency = 0;
    int32_t blocks = 0;
    int32_t finderLike = 0;
    int32_t darkRatio = 0;
    constexpr int32_t Total() const noexcept { return adjacency + blocks + finderLike + darkRatio; }
};

// Scores a candidate given as w * w module-map values (0..3) at y * w + x,
// w in 21..177. The mask choice computes the same terms on bit rows; this
// form serves the tests and anyone holding a byte grid.
QrPenalty ScoreCandidate(std::span<const uint8_t> candidate, int32_t side);

// Scores masks 0..7 for the symbol in ctx after data placement: each
// candidate is the module map with mask m applied to its data modules, the
// format word of (ctx.symbol.level, m) in both copies and the dark module
// dark; the version information areas count as light. Fills ctx.maskRows.
// Returns Status::kOk, or Status::kBadArgument for a level outside 1..4 or a
// context without a matrix.
Status ScoreMasks(QrEncodeContext& ctx, std::array<int32_t, kMaskCount>& scores);

// Sets ctx.maskChoice to the mask with the lowest score; on equal scores the
// lower mask number wins. Returns Status::kOk or the failure of ScoreMasks.
Status ChooseMask(QrEncodeContext& ctx);

// Inverts, in the raster, every data module of the chosen mask's pattern.
// Needs ChooseMask (or ScoreMasks) on the same symbol first. Returns
// Status::kOk, or Status::kBadArgument for a mask outside 0..7 or when the
// mask rows are missing.
Status ApplyMask(QrEncodeContext& ctx);

// Draws the format word of (ctx.symbol.level, ctx.maskChoice.mask) into both
// of its places in the raster (1 bits dark). Returns Status::kOk, or
// Status::kBadArgument for a level or mask out of range.
Status WriteFormatInformation(QrEncodeContext& ctx);

}  // namespace tavoqr
