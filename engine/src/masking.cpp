#include "masking.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "matrix.h"

namespace tavoqr {
namespace {

// Scoring works on bit rows: one bit per module, column x at bit 63 - x % 64
// of word x / 64 of its row, so that a row reads left to right from the most
// significant bit and its bytes, high byte first, are the raster's bytes.
// Bits past column w - 1 are 0. Three words hold the widest symbol (177).
constexpr int32_t kMaxRowWords = 3;
using RowWords = std::array<uint64_t, kMaxRowWords>;

constexpr int32_t RowWordCount(int32_t side) { return (side + 63) / 64; }
constexpr uint64_t ColumnBit(int32_t x) { return uint64_t{1} << (63 - x % 64); }

// The pattern rows of each mask. Every condition repeats in y with a period
// dividing 12 (2, 3, 4 for y div 2, 6 for the products), so row y uses entry
// y % 12.
constexpr int32_t kMaskRowPeriod = 12;
constexpr auto kMaskPatterns = [] {
    std::array<std::array<RowWords, kMaskRowPeriod>, kMaskCount> patterns{};
    for (int32_t m = 0; m < kMaskCount; ++m) {
        for (int32_t y = 0; y < kMaskRowPeriod; ++y) {
            for (int32_t x = 0; x < 64 * kMaxRowWords; ++x) {
                if (MaskCondition(m, x, y))
                    patterns[m][y][x / 64] |= ColumnBit(x);
            }
        }
    }
    return patterns;
}();

// ISO/IEC 18004 Annex C, Table C.1: format words after the XOR mask, by
// level (L, M, Q, H in the engine's order) and mask 0..7.
constexpr std::array<std::array<uint16_t, kMaskCount>, 4> kFormatWords = {{
    {0x77C4, 0x72F3, 0x7DAA, 0x789D, 0x662F, 0x6318, 0x6C41, 0x6976},  // L, indicator 01
    {0x5412, 0x5125, 0x5E7C, 0x5B4B, 0x45F9, 0x40CE, 0x4F97, 0x4AA0},  // M, indicator 00
    {0x355F, 0x3068, 0x3F31, 0x3A06, 0x24B4, 0x2183, 0x2EDA, 0x2BED},  // Q, indicator 11
    {0x1689, 0x13BE, 0x1CE7, 0x19D0, 0x0762, 0x0255, 0x0D0C, 0x083B},  // H, indicator 10
}};

// The same words by the BCH(15,5) rule: generator x^10 + x^8 + x^5 + x^4 +
// x^2 + x + 1, then XOR 101010000010010.
constexpr bool FormatTableFollowsRule()
{
    constexpr std::array<uint32_t, 4> indicator = {0b01, 0b00, 0b11, 0b10};
    for (uint32_t level = 0; level < 4; ++level) {
        for (uint32_t mask = 0; mask < kMaskCount; ++mask) {
            const uint32_t data = (indicator[level] << 3) | mask;
            uint32_t r = data << 10;
            for (int bit = 14; bit >= 10; --bit) {
                if (r & (1U << bit))
                    r ^= 0x537U << (bit - 10);
            }
            if (kFormatWords[level][mask] != (((data << 10) | r) ^ 0x5412U))
                return false;
        }
    }
    return true;
}
static_assert(FormatTableFollowsRule());

// Row masks: columns 0 .. n - 1 set.
template <int N>
void SetLeading(uint64_t (&row)[N], int32_t n)
{
    for (int i = 0; i < N; ++i) {
        const int32_t inWord = n - 64 * i;
        row[i] = inWord >= 64 ? ~uint64_t{0} : inWord <= 0 ? 0 : ~uint64_t{0} << (64 - inWord);
    }
}

// Word i of row `a` shifted so that column x + k lands on column x (k 1..6).
template <int N>
inline uint64_t Ahead(const uint64_t* a, int i, int k)
{
    return (a[i] << k) | (i + 1 < N ? a[i + 1] >> (64 - k) : 0);
}

// Set bits of v. Without a population count instruction in the target the
// library call would cost more than these few operations.
inline int32_t Count(uint64_t v)
{
#if defined(__POPCNT__)
    return std::popcount(v);
#else
    v -= (v >> 1) & 0x5555555555555555U;
    v = (v & 0x3333333333333333U) + ((v >> 2) & 0x3333333333333333U);
    v = (v + (v >> 4)) & 0x0F0F0F0F0F0F0F0FU;
    return static_cast<int32_t>((v * 0x0101010101010101U) >> 56);
#endif
}

// The four terms over colour rows `c` (1 = dark) and data rows `d` (1 = data
// or remainder module), w rows of N words each.
template <int N>
QrPenalty ScoreRows(const uint64_t* c, const uint64_t* d, int32_t w)
{
    uint64_t pairs[N];   // columns with a right neighbour: 0 .. w - 2
    uint64_t starts[N];  // finder-like starts: 0 .. w - 8
    SetLeading(pairs, w - 1);
    SetLeading(starts, w - 7);
    int32_t same = 0, blocks = 0, finders = 0, dark = 0;
    for (int32_t y = 0; y < w; ++y) {
        const uint64_t* row = c + y * N;
        const uint64_t* data = d + y * N;
        const bool hasBelow = y + 1 < w;
        const bool verticalStart = y <= w - 8;
        for (int i = 0; i < N; ++i) {
            const uint64_t r = row[i];
            const uint64_t r1 = Ahead<N>(row, i, 1);
            dark += Count(r);
            // Equal horizontal neighbours count once for each data module of the pair.
            const uint64_t equalRight = ~(r ^ r1) & pairs[i];
            same += Count(equalRight & data[i]) + Count(equalRight & Ahead<N>(data, i, 1));
            // Finder-like runs are rare: count only when there is one.
            if (const uint64_t run = r & ~r1 & Ahead<N>(row, i, 2) & Ahead<N>(row, i, 3) & Ahead<N>(row, i, 4) &
                                     ~Ahead<N>(row, i, 5) & Ahead<N>(row, i, 6) & starts[i]) {
                finders += Count(run);
            }
            if (hasBelow) {
                const uint64_t* below = row + N;
                const uint64_t equalBelow = ~(r ^ below[i]);
                same += Count(equalBelow & data[i]) + Count(equalBelow & data[N + i]);
                const uint64_t equalBelowRight = ~(r1 ^ Ahead<N>(below, i, 1));
                blocks += Count(equalRight & equalBelow & equalBelowRight);
            }
            if (verticalStart) {
                if (const uint64_t run = r & ~row[N + i] & row[2 * N + i] & row[3 * N + i] & row[4 * N + i] &
                                         ~row[5 * N + i] & row[6 * N + i]) {
                    finders += Count(run);
                }
            }
        }
    }
    QrPenalty p;
    p.adjacency = same - 5 * w * w;
    p.blocks = 3 * blocks;
    p.finderLike = 40 * finders;
    const int32_t percent = 100 * dark / (w * w);
    p.darkRatio = percent >= 50 ? 10 * (percent - 55) : 10 * (45 - percent);
    return p;
}

QrPenalty ScoreRowsAnyWidth(const uint64_t* c, const uint64_t* d, int32_t w)
{
    switch (RowWordCount(w)) {
    case 1: return ScoreRows<1>(c, d, w);
    case 2: return ScoreRows<2>(c, d, w);
    default: return ScoreRows<3>(c, d, w);
    }
}

// Bit 0 of each of the 8 bytes of u (byte 0 the lowest) gathered into one
// byte, byte 0's bit the most significant.
inline uint64_t GatherLowBits(uint64_t u) { return ((u & 0x0101010101010101U) * 0x8040201008040201U) >> 56; }

// Eight module-map values from `p` (fewer at the end of a row, the rest 0)
// as one integer, the first value in the lowest byte.
inline uint64_t LoadValues(const uint8_t* p, int32_t count)
{
    uint64_t u = 0;
    if (count == 8 && std::endian::native == std::endian::little) {
        std::memcpy(&u, p, 8);
        return u;
    }
    for (int32_t k = 0; k < count; ++k)
        u |= static_cast<uint64_t>(p[k]) << (8 * k);
    return u;
}

// Colour and data rows of a grid of module-map values, eight modules at a
// time: the colour is bit 0 of a value, a data module has bit 1 clear.
void ToRows(const uint8_t* values, int32_t w, uint64_t* colour, uint64_t* data)
{
    const int32_t n = RowWordCount(w);
    for (int32_t y = 0; y < w; ++y) {
        const uint8_t* row = values + static_cast<size_t>(y) * static_cast<size_t>(w);
        for (int32_t x = 0; x < w; x += 8) {
            const int32_t count = std::min(8, w - x);
            const uint64_t u = LoadValues(row + x, count);
            const uint64_t columns = (0xFF00U >> count) & 0xFFU;  // the first `count` of 8
            const int32_t shift = 56 - x % 64;
            const size_t word = static_cast<size_t>(y * n + x / 64);
            colour[word] |= GatherLowBits(u) << shift;
            data[word] |= (GatherLowBits(~u >> 1) & columns) << shift;
        }
    }
}

void SetColumn(uint64_t* rows, int32_t n, QrModulePosition p) { rows[p.y * n + p.x / 64] |= ColumnBit(p.x); }

bool ValidLevel(int32_t level) { return level >= kLevelL && level <= kLevelH; }
bool ValidMask(int32_t mask) { return mask >= 0 && mask < kMaskCount; }

}  // namespace

uint32_t FormatWord(int32_t level, int32_t mask) noexcept
{
    if (!ValidLevel(level) || !ValidMask(mask))
        return 0;
    return kFormatWords[static_cast<size_t>(level - 1)][static_cast<size_t>(mask)];
}

QrPenalty ScoreCandidate(std::span<const uint8_t> candidate, int32_t side)
{
    const size_t words = static_cast<size_t>(side * RowWordCount(side));
    std::vector<uint64_t> rows(2 * words, 0);
    ToRows(candidate.data(), side, rows.data(), rows.data() + words);
    return ScoreRowsAnyWidth(rows.data(), rows.data() + words, side);
}

Status ScoreMasks(QrEncodeContext& ctx, std::array<int32_t, kMaskCount>& scores)
{
    const int32_t w = ctx.side;
    const int32_t level = ctx.symbol.level;
    if (!ValidLevel(level) || w < SymbolSide(kMinVersion) || ctx.moduleMap.size() != static_cast<size_t>(w * w))
        return Status::kBadArgument;
    const int32_t n = RowWordCount(w);
    const size_t words = static_cast<size_t>(w * n);
    // maskRows: the unmasked colours (function modules and the dark module as
    // drawn, format areas light), the data modules, and the candidate.
    ctx.maskRows.assign(3 * words, 0);
    uint64_t* const base = ctx.maskRows.data();
    uint64_t* const data = base + words;
    uint64_t* const candidate = data + words;
    ToRows(ctx.moduleMap.data(), w, base, data);
    SetColumn(base, n, {8, w - 8});

    for (int32_t m = 0; m < kMaskCount; ++m) {
        const auto& pattern = kMaskPatterns[static_cast<size_t>(m)];
        for (int32_t y = 0; y < w; ++y) {
            const RowWords& p = pattern[static_cast<size_t>(y % kMaskRowPeriod)];
            for (int32_t i = 0; i < n; ++i) {
                const size_t at = static_cast<size_t>(y * n + i);
                candidate[at] = base[at] ^ (p[static_cast<size_t>(i)] & data[at]);
            }
        }
        const uint32_t format = FormatWord(level, m);
        for (int32_t bit = 0; bit < 15; ++bit) {
            if (((format >> bit) & 1U) == 0)
                continue;
            SetColumn(candidate, n, FormatPosition(0, bit, w));
            SetColumn(candidate, n, FormatPosition(1, bit, w));
        }
        scores[static_cast<size_t>(m)] = ScoreRowsAnyWidth(candidate, data, w).Total();
    }
    return Status::kOk;
}

Status ChooseMask(QrEncodeContext& ctx)
{
    std::array<int32_t, kMaskCount> scores{};
    if (const Status s = ScoreMasks(ctx, scores); s != Status::kOk)
        return s;
    int32_t best = 0;
    for (int32_t m = 1; m < kMaskCount; ++m) {
        if (scores[static_cast<size_t>(m)] < scores[static_cast<size_t>(best)])
            best = m;
    }
    ctx.maskChoice = QrMaskChoice{best, scores[static_cast<size_t>(best)]};
    return Status::kOk;
}

Status ApplyMask(QrEncodeContext& ctx)
{
    const int32_t mask = ctx.maskChoice.mask;
    const int32_t w = ctx.side;
    const int32_t n = RowWordCount(w);
    const size_t words = static_cast<size_t>(w * n);
    if (!ValidMask(mask) || ctx.maskRows.size() != 3 * words)
        return Status::kBadArgument;
    const uint64_t* const data = ctx.maskRows.data() + words;
    const auto& pattern = kMaskPatterns[static_cast<size_t>(mask)];
    for (int32_t y = 0; y < w; ++y) {
        const RowWords& p = pattern[static_cast<size_t>(y % kMaskRowPeriod)];
        uint8_t* const out = ctx.raster.data() + y * ctx.rasterStride;
        for (int32_t j = 0; j < ctx.rasterStride; ++j) {
            const int32_t i = j / 8;
            const uint64_t toggles = p[static_cast<size_t>(i)] & data[y * n + i];
            out[j] ^= static_cast<uint8_t>(toggles >> (56 - 8 * (j % 8)));
        }
    }
    return Status::kOk;
}

Status WriteFormatInformation(QrEncodeContext& ctx)
{
    const uint32_t format = FormatWord(ctx.symbol.level, ctx.maskChoice.mask);
    if (format == 0)
        return Status::kBadArgument;
    for (int32_t bit = 0; bit < 15; ++bit) {
        const int32_t value = static_cast<int32_t>((format >> bit) & 1U);
        for (int32_t copy = 0; copy < 2; ++copy) {
            const QrModulePosition p = FormatPosition(copy, bit, ctx.side);
            if (const Status s = ToggleModule(ctx, p.x, p.y, value); s != Status::kOk)
                return s;
        }
    }
    return Status::kOk;
}

}  // namespace tavoqr
