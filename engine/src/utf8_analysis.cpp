// The UTF-8 analysis. One search over the characters finds the segments with
// the fewest bits; the same search, stopped when a budget is spent, divides a
// text among structured-append symbols.
#include "utf8_analysis.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "bitstream.h"
#include "tables.h"
#include "utf8.h"

namespace tavoqr {
namespace {

// The states of the search: the mode of the segment that holds the latest
// character and, in numeric and alphanumeric mode, where that character
// stands in its group of three digits or its pair, on which the cost of the
// next one depends. kStart is the state before the first character.
enum State : uint8_t { kInBytes, kDigit1, kDigit2, kDigit3, kAlnum1, kAlnum2, kStart, kStates };
constexpr std::array<int32_t, kStart> kStateMode = {kModeByte,    kModeNumeric,      kModeNumeric,
                                                    kModeNumeric, kModeAlphanumeric, kModeAlphanumeric};

// A back-pointer holds the state a character's state was reached from, with
// this flag when the character opens a segment.
constexpr uint8_t kOpensSegment = 0x80;
// Far above any real cost, and far enough below INT32_MAX that adding a
// character's bits to it cannot overflow.
constexpr int32_t kUnreachable = INT32_MAX / 4;

using Costs = std::array<int32_t, kStates>;  // fewest bits that end in each state
using Steps = std::array<uint8_t, kStart>;   // back-pointers of one character

// The versions whose count indicators have one width per mode, as far as the
// encode calls reach.
struct VersionRange {
    int32_t first, last;
};
constexpr std::array<VersionRange, 2> kVersionRanges = {{{1, 9}, {10, kMaxEncodeVersion}}};

// Bits of the headers every symbol of ctx begins with: structured append
// (N > 1), then ECI when the text needs it.
int32_t HeaderBits(const QrEncodeContext& ctx, int32_t symbolCount)
{
    return (symbolCount > 1 ? kStructuredAppendHeaderBits : 0) + (ctx.eci >= 0 ? kEciHeaderBits : 0);
}

int32_t CapacityBitsOf(int32_t version, int32_t level)
{
    const QrVersionRow* row = FindVersionRow(version, level);
    return row == nullptr ? 0 : row->dataCodewords * 8;
}

// Mode and count indicator bits that open a segment of each mode at a version.
struct SegmentHeaders {
    int32_t numeric, alphanumeric, bytes;
    explicit SegmentHeaders(int32_t version)
        : numeric(SegmentBits(kModeNumeric, 0, version).value),
          alphanumeric(SegmentBits(kModeAlphanumeric, 0, version).value),
          bytes(SegmentBits(kModeByte, 0, version).value)
    {
    }
};

uint8_t Cheapest(const Costs& costs)
{
    uint8_t best = 0;
    for (uint8_t s = 1; s < kStates; ++s)
        if (costs[s] < costs[best])
            best = s;
    return best;
}

Costs Begin(int32_t headerBits)
{
    Costs costs;
    costs.fill(kUnreachable);
    costs[kStart] = headerBits;
    return costs;
}

// The search over the characters of one validated text.
class Segmenter {
public:
    Segmenter(const uint8_t* text, const std::vector<int32_t>& starts)
        : text_(text), starts_(starts), steps_(starts.size() - 1)
    {
    }

    int32_t Characters() const { return static_cast<int32_t>(starts_.size()) - 1; }
    int32_t Offset(int32_t character) const { return starts_[static_cast<size_t>(character)]; }

    // Fewest bits of characters from .. to - 1 as the content of one symbol of
    // `version`, after headerBits of headers. Keeps the segments for Append.
    int32_t Measure(int32_t from, int32_t to, int32_t version, int32_t headerBits)
    {
        const SegmentHeaders headers(version);
        Costs costs = Begin(headerBits);
        for (int32_t i = from; i < to; ++i)
            Advance(i, headers, costs, &steps_[static_cast<size_t>(i)]);
        end_ = Cheapest(costs);
        return costs[end_];
    }

    // End of the longest run of characters from `from` whose content, after
    // headerBits, fits `budget` bits; `from` when not even one character does.
    // The fewest bits never shrink as a run grows, so the first miss ends it.
    int32_t LongestFitting(int32_t from, int32_t version, int32_t headerBits, int32_t budget) const
    {
        const SegmentHeaders headers(version);
        Costs costs = Begin(headerBits);
        for (int32_t i = from; i < Characters(); ++i) {
            Advance(i, headers, costs, nullptr);
            if (costs[Cheapest(costs)] > budget)
                return i;
        }
        return Characters();
    }

    // Appends the segments of the characters from .. to - 1 last measured,
    // with their bit lengths at `version`.
    void Append(int32_t from, int32_t to, int32_t version, std::vector<QrSegment>& out) const
    {
        const size_t first = out.size();
        uint8_t state = end_;
        int32_t end = to;
        for (int32_t i = to - 1; i >= from; --i) {
            const uint8_t step = steps_[static_cast<size_t>(i)][state];
            if ((step & kOpensSegment) != 0) {
                const int32_t mode = kStateMode[state];
                const int32_t bytes = Offset(end) - Offset(i);
                out.push_back({mode, SegmentBits(mode, bytes, version).value, bytes, Offset(i)});
                end = i;
            }
            state = static_cast<uint8_t>(step & ~kOpensSegment);
        }
        std::reverse(out.begin() + static_cast<ptrdiff_t>(first), out.end());
    }

private:
    // Moves the costs on past character i and, when `steps` is not null,
    // records how each state was reached. Every state either goes on with the
    // segment of its mode or opens a segment after the cheapest state so far.
    void Advance(int32_t i, const SegmentHeaders& headers, Costs& costs, Steps* steps) const
    {
        const uint8_t cheapest = Cheapest(costs);
        const int32_t open = costs[cheapest];
        Costs next;
        next.fill(kUnreachable);
        Steps via{};
        const auto reach = [&](State to, State from, int32_t goOn, int32_t opening) {
            if (costs[from] + goOn <= open + opening) {
                next[to] = costs[from] + goOn;
                via[to] = from;
            } else {
                next[to] = open + opening;
                via[to] = static_cast<uint8_t>(cheapest | kOpensSegment);
            }
        };
        const int32_t bytes = Offset(i + 1) - Offset(i);
        reach(kInBytes, kInBytes, 8 * bytes, headers.bytes + 8 * bytes);
        const uint8_t c = text_[Offset(i)];
        if (bytes == 1 && c >= '0' && c <= '9') {
            // 4 + 3 + 3 bits make the 10 of a group of three digits; a last
            // group of one or two digits takes 4 or 7.
            reach(kDigit1, kDigit3, 4, headers.numeric + 4);
            reach(kDigit2, kDigit1, 3, kUnreachable);
            reach(kDigit3, kDigit2, 3, kUnreachable);
        }
        if (bytes == 1 && AlphanumericValue(c) != 255) {
            // 6 + 5 bits make the 11 of a pair; a last single character takes 6.
            reach(kAlnum1, kAlnum2, 6, headers.alphanumeric + 6);
            reach(kAlnum2, kAlnum1, 5, kUnreachable);
        }
        costs = next;
        if (steps != nullptr)
            *steps = via;
    }

    const uint8_t* text_;
    const std::vector<int32_t>& starts_;
    std::vector<Steps> steps_;  // per character
    uint8_t end_ = kStart;      // the state the last measured run ends in
};

// One symbol: the smallest version whose range's fewest bits it holds.
Status ChooseOneSymbol(QrEncodeContext& ctx, Segmenter& segmenter, int32_t level)
{
    const int32_t fixed = ctx.request.version;
    const int32_t characters = segmenter.Characters();
    for (const VersionRange& range : kVersionRanges) {
        if (fixed != 0 && (fixed < range.first || fixed > range.last))
            continue;
        const int32_t bits = segmenter.Measure(0, characters, range.first, HeaderBits(ctx, 1));
        for (int32_t v = fixed != 0 ? fixed : range.first; v <= (fixed != 0 ? fixed : range.last); ++v) {
            if (bits <= CapacityBitsOf(v, level)) {
                segmenter.Append(0, characters, v, ctx.segments);
                ctx.symbol = MakeSymbolSpec(*FindVersionRow(v, level));
                return Status::kOk;
            }
        }
    }
    return Status::kDataTooLong;
}

// Where the parts of a division with at most `budget` bits per symbol end,
// when each part takes as many characters as fit: the fewest parts there can
// be. Stops after more than `most` parts; empty when a character alone is
// over the budget.
std::vector<int32_t> GreedyEnds(const Segmenter& segmenter, int32_t headerBits, int32_t version, int32_t budget,
                                int32_t most)
{
    std::vector<int32_t> ends;
    for (int32_t from = 0; from < segmenter.Characters() && static_cast<int32_t>(ends.size()) <= most;) {
        const int32_t end = segmenter.LongestFitting(from, version, headerBits, budget);
        if (end == from)
            return {};
        ends.push_back(end);
        from = end;
    }
    return ends;
}

bool AtMost(const std::vector<int32_t>& ends, int32_t symbolCount)
{
    return !ends.empty() && static_cast<int32_t>(ends.size()) <= symbolCount;
}

// Halves the part with the most characters until there are symbolCount parts;
// a part of a part fits wherever the part did. Needs as many characters.
void DivideFurther(std::vector<int32_t>& ends, int32_t symbolCount)
{
    while (static_cast<int32_t>(ends.size()) < symbolCount) {
        size_t widest = 0;
        int32_t widestFrom = 0;
        int32_t from = 0;
        for (size_t i = 0; i < ends.size(); ++i) {
            if (ends[i] - from > ends[widest] - widestFrom) {
                widest = i;
                widestFrom = from;
            }
            from = ends[i];
        }
        const int32_t middle = widestFrom + (ends[widest] - widestFrom) / 2;
        ends.insert(ends.begin() + static_cast<ptrdiff_t>(widest), middle);
    }
}

// A structured-append sequence: the smallest version whose symbols hold the
// text in symbolCount parts, then the most even division at that version.
Status DivideAmongSymbols(QrEncodeContext& ctx, Segmenter& segmenter, int32_t level, int32_t symbolCount)
{
    if (segmenter.Characters() < symbolCount)
        return Status::kSplitImpossible;
    const int32_t headerBits = HeaderBits(ctx, symbolCount);
    const int32_t fixed = ctx.request.version;
    int32_t version = 0;
    for (int32_t v = fixed != 0 ? fixed : 1; v <= (fixed != 0 ? fixed : kMaxEncodeVersion) && version == 0; ++v)
        if (AtMost(GreedyEnds(segmenter, headerBits, v, CapacityBitsOf(v, level), symbolCount), symbolCount))
            version = v;
    if (version == 0)
        return Status::kDataTooLong;

    // The smallest budget per symbol that still needs no more parts.
    int32_t low = headerBits;
    int32_t high = CapacityBitsOf(version, level);
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (AtMost(GreedyEnds(segmenter, headerBits, version, middle, symbolCount), symbolCount)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    std::vector<int32_t> ends = GreedyEnds(segmenter, headerBits, version, high, symbolCount);
    DivideFurther(ends, symbolCount);

    ctx.quotas.assign(static_cast<size_t>(symbolCount) + 1, 0);
    int32_t from = 0;
    for (size_t i = 0; i < ends.size(); ++i) {
        segmenter.Measure(from, ends[i], version, headerBits);
        segmenter.Append(from, ends[i], version, ctx.segments);
        ctx.quotas[i] = segmenter.Offset(ends[i]) - segmenter.Offset(from);
        from = ends[i];
    }
    ctx.symbol = MakeSymbolSpec(*FindVersionRow(version, level));
    return Status::kOk;
}

}  // namespace

Status PrepareUtf8Symbols(QrEncodeContext& ctx, int32_t symbolCount)
{
    const int32_t level = NormalizeLevel(ctx.request.level);
    // No byte takes fewer than the 10 / 3 bits of a digit: a text longer than
    // that measure of the largest symbols allowed is only checked, not listed.
    const int32_t largest = ctx.request.version != 0 ? ctx.request.version : kMaxEncodeVersion;
    const bool tooLong = int64_t{ctx.textLength} * 10 > int64_t{3} * symbolCount * CapacityBitsOf(largest, level);
    std::vector<int32_t> starts;
    if (const Status s = ListUtf8Characters(ctx.text, ctx.textLength, tooLong ? nullptr : &starts); s != Status::kOk)
        return s;
    if (tooLong)
        return Status::kDataTooLong;

    // The 45 characters of alphanumeric mode read the same in every reader;
    // only a text with any other character needs the ECI.
    ctx.eci = -1;
    for (int32_t i = 0; i < ctx.textLength && ctx.eci < 0; ++i)
        if (AlphanumericValue(ctx.text[i]) == 255)
            ctx.eci = kEciUtf8;
    ctx.segments.clear();
    ctx.totalCharacters = ctx.textLength;
    Segmenter segmenter(ctx.text, starts);
    if (symbolCount == 1)
        return ChooseOneSymbol(ctx, segmenter, level);
    ctx.parity = 0;
    for (int32_t i = 0; i < ctx.textLength; ++i)
        ctx.parity ^= ctx.text[i];
    return DivideAmongSymbols(ctx, segmenter, level, symbolCount);
}

Result<int32_t> Utf8ByteCapacity(int32_t version, int32_t level, int32_t symbolCount) noexcept
{
    const QrVersionRow* row = FindVersionRow(version, level);
    if (row == nullptr || symbolCount < 1 || symbolCount > kMaxSymbolCount)
        return Status::kBadArgument;
    const int32_t headers = (symbolCount > 1 ? kStructuredAppendHeaderBits : 0) + kEciHeaderBits +
                            SegmentBits(kModeByte, 0, version).value;
    return symbolCount * ((row->dataCodewords * 8 - headers) / 8);
}

}  // namespace tavoqr
