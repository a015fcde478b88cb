// Data analysis: classify the bytes, group them into runs, merge short runs into
// their neighbours' mode, join segments and measure the bit stream.
#include <algorithm>
#include <array>

#include "bitstream.h"
#include "capacity.h"

namespace tavoqr {
namespace {

constexpr std::array<uint8_t, 256> MakeAlphanumericTable()
{
    std::array<uint8_t, 256> table{};
    table.fill(255);
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<size_t>(c)] = static_cast<uint8_t>(c - '0');
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<size_t>(c)] = static_cast<uint8_t>(c - 'A' + 10);
    const char symbols[] = " $%*+-./:";
    for (int i = 0; i < 9; ++i)
        table[static_cast<uint8_t>(symbols[i])] = static_cast<uint8_t>(36 + i);
    return table;
}
constexpr std::array<uint8_t, 256> kAlphanumeric = MakeAlphanumericTable();

constexpr bool IsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
constexpr bool IsTrailByte(uint8_t b) { return b >= 0x40 && b <= 0xFC; }

// Class (mode) of the character at pos and its length in bytes.
struct Character {
    int32_t mode;
    int32_t bytes;
};

Character Classify(const uint8_t* text, int32_t pos, int32_t length, bool byteOnly)
{
    if (byteOnly)
        return {kModeByte, 1};
    const uint8_t b = text[pos];
    if (IsLeadByte(b) && pos + 1 < length && IsTrailByte(text[pos + 1])) {
        // 0xEBC0..0xEBFC lie past the Kanji range: their compacted value
        // needs 14 bits, so they go as bytes like the rest above 0xEB.
        const bool kanji = b <= 0x9F || b < 0xEB || (b == 0xEB && text[pos + 1] < 0xC0);
        return kanji ? Character{kModeKanji, 2} : Character{kModeByte, 1};
    }
    if (b >= '0' && b <= '9')
        return {kModeNumeric, 1};
    if (kAlphanumeric[b] != 255)
        return {kModeAlphanumeric, 1};
    return {kModeByte, 1};
}

// Thresholds of the mode merging, by version range 1-9, 10-26, 27-40: a run
// shorter than the threshold takes the neighbouring mode.
struct MergeThresholds {
    int32_t firstNumericBeforeByte;
    int32_t firstNumericBeforeAlnum;
    int32_t firstAlnumBeforeByte;
    int32_t numericAfterByte;
    int32_t numericAfterAlnum;
    int32_t alnumAfterByte;
};
constexpr std::array<MergeThresholds, 3> kMergeThresholds = {{
    {4, 7, 6, 6, 13, 11},
    {4, 8, 7, 8, 15, 15},
    {5, 9, 8, 9, 17, 16},
}};

constexpr int RangeOf(int32_t version) { return version <= 9 ? 0 : version <= 26 ? 1 : 2; }

// The mode run i takes, given the effective mode of the run before it.
int32_t MergedMode(const std::vector<QrSegment>& runs, size_t i, int32_t previous, const MergeThresholds& t)
{
    const QrSegment& run = runs[i];
    const int32_t length = CharacterCount(run);
    if (i == 0) {
        const int32_t next = runs.size() > 1 ? runs[1].mode : 0;
        if (run.mode == kModeNumeric) {
            if (next == kModeByte && length < t.firstNumericBeforeByte)
                return kModeByte;
            if (next == kModeAlphanumeric && length < t.firstNumericBeforeAlnum)
                return kModeAlphanumeric;
        } else if (run.mode == kModeAlphanumeric) {
            if (next == kModeByte && length < t.firstAlnumBeforeByte)
                return kModeByte;
        }
        return run.mode;
    }
    if (run.mode == kModeNumeric) {
        if (previous == kModeByte && length < t.numericAfterByte)
            return kModeByte;
        if (previous == kModeAlphanumeric && length < t.numericAfterAlnum)
            return kModeAlphanumeric;
    } else if (run.mode == kModeAlphanumeric) {
        if (previous == kModeByte && length < t.alnumAfterByte)
            return kModeByte;
    }
    return run.mode;
}

void BuildRuns(const QrEncodeContext& ctx, std::vector<QrSegment>& runs)
{
    runs.clear();
    for (int32_t pos = 0; pos < ctx.textLength;) {
        const Character c = Classify(ctx.text, pos, ctx.textLength, ctx.byteOnly);
        if (runs.empty() || runs.back().mode != c.mode)
            runs.push_back({c.mode, 0, 0, pos});
        runs.back().count += c.bytes;
        pos += c.bytes;
    }
}

// The per-symbol bits the analysis sizes by: for N > 1 the whole text's bits
// shared among the symbols.
int32_t PerSymbol(int32_t bits, int32_t symbolCount) { return symbolCount > 1 ? bits / symbolCount : bits; }

}  // namespace

uint8_t AlphanumericValue(uint8_t byte) noexcept { return kAlphanumeric[byte]; }

int32_t DataBits(int32_t mode, int32_t n) noexcept
{
    switch (mode) {
    case kModeNumeric: return 10 * (n / 3) + (n % 3 == 1 ? 4 : n % 3 == 2 ? 7 : 0);
    case kModeAlphanumeric: return 11 * (n / 2) + (n % 2 == 1 ? 6 : 0);
    case kModeByte: return 8 * n;
    case kModeKanji: return 13 * n;
    default: return 0;
    }
}

int32_t CharactersThatFit(int32_t mode, int32_t room, int32_t limit) noexcept
{
    if (room <= 0)
        return 0;
    int32_t r = 0;
    switch (mode) {
    case kModeNumeric: r = 3 * (room / 10) + (room % 10 >= 7 ? 2 : room % 10 >= 4 ? 1 : 0); break;
    case kModeAlphanumeric: r = 2 * (room / 11) + (room % 11 >= 6 ? 1 : 0); break;
    case kModeByte: r = room / 8; break;
    case kModeKanji: r = room / 13; break;
    default: r = 0;
    }
    return std::min(r, limit);
}

Result<int32_t> SegmentBits(int32_t mode, int32_t characters, int32_t version) noexcept
{
    const Result<int32_t> width = CountIndicatorWidth(mode, version);
    if (!width.Ok())
        return width.status;
    return 4 + width.value + DataBits(mode, characters);
}

Result<int32_t> BitLengthFor(QrEncodeContext& ctx, int32_t version)
{
    if (version < kMinVersion || version > kMaxVersion)
        return Status::kBadArgument;
    int32_t sum = 0;
    for (QrSegment& s : ctx.segments) {
        // Analysed segments have a valid mode, and the version is checked.
        s.bitLength = SegmentBits(s.mode, CharacterCount(s), version).value;
        sum += s.bitLength;
    }
    return sum;
}

Result<int32_t> Analyse(QrEncodeContext& ctx, int32_t symbolCount)
{
    if (ctx.text == nullptr || ctx.textLength <= 0)
        return Status::kBadArgument;
    ctx.segments.clear();

    std::vector<QrSegment> runs;
    runs.reserve(static_cast<size_t>(std::min(ctx.textLength, 1024)));
    BuildRuns(ctx, runs);

    // First estimate, with the widest count indicators.
    int64_t sum = 0;
    int32_t characters = 0;
    for (const QrSegment& run : runs) {
        sum += SegmentBits(run.mode, CharacterCount(run), kMaxVersion).value;
        characters += CharacterCount(run);
    }
    ctx.totalCharacters = characters;
    if (symbolCount > 1 && characters < symbolCount)
        return Status::kSplitImpossible;
    if (symbolCount > 1)
        sum = (sum + 44 * symbolCount) / symbolCount;
    // A text beyond 40-L's capacity fits nothing; keeps the sums in range.
    if (sum > static_cast<int64_t>(FindVersionRow(kMaxVersion, kLevelL)->dataCodewords) * 8)
        return Status::kDataTooLong;

    if (Estimate(ctx, ctx.request, static_cast<int32_t>(sum)) != Status::kOk)
        return Status::kDataTooLong;
    const int32_t u = ctx.symbol.version;
    const MergeThresholds& thresholds = kMergeThresholds[static_cast<size_t>(RangeOf(u))];

    // Mode merging, then segments of equal mode.
    int32_t previous = runs.empty() ? 0 : runs[0].mode;
    for (size_t i = 0; i < runs.size(); ++i) {
        const int32_t mode = MergedMode(runs, i, previous, thresholds);
        previous = mode;
        if (!ctx.segments.empty() && ctx.segments.back().mode == mode) {
            ctx.segments.back().count += runs[i].count;
        } else {
            ctx.segments.push_back({mode, 0, runs[i].count, runs[i].offset});
        }
    }
    const int32_t bits = BitLengthFor(ctx, u).value;
    if (u <= 9)
        return bits;

    // Refinement: the widths of u's range may be too wide for the symbol the
    // bits really need; recount with the range of that symbol.
    if (Estimate(ctx, ctx.request, PerSymbol(bits, symbolCount)) != Status::kOk)
        return Status::kDataTooLong;
    const int32_t v = ctx.symbol.version;
    if (v != u)
        return BitLengthFor(ctx, v);
    const int32_t smaller = BitLengthFor(ctx, u - 1).value;
    if (Estimate(ctx, ctx.request, PerSymbol(smaller, symbolCount)) != Status::kOk)
        return Status::kDataTooLong;
    const int32_t w = ctx.symbol.version;
    if (w != u)
        return BitLengthFor(ctx, w);
    const int32_t again = BitLengthFor(ctx, w).value;
    if (Estimate(ctx, ctx.request, PerSymbol(again, symbolCount)) != Status::kOk)
        return Status::kDataTooLong;
    return again;
}

}  // namespace tavoqr
