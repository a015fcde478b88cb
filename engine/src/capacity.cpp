// Version choice, the fixed-version capacity and the structured-append division.
#include "capacity.h"

#include <algorithm>

#include "bitstream.h"

namespace tavoqr {
namespace {

// Smallest version at `level` whose data bits reach `bits`, or 0.
int32_t SmallestVersionFor(int32_t level, int32_t bits)
{
    for (int32_t v = kMinVersion; v <= kMaxVersion; ++v) {
        const QrVersionRow* row = FindVersionRow(v, level);
        if (row == nullptr)
            return 0;
        if (row->dataCodewords * 8 >= bits)
            return v;
    }
    return 0;
}

Status Select(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t bits, bool fixedMustFit)
{
    const int32_t level = NormalizeLevel(request.level);
    const int32_t smallest = SmallestVersionFor(level, bits);
    if (smallest == 0)
        return Status::kDataTooLong;
    int32_t version = smallest;
    if (request.version != 0) {
        if (fixedMustFit && request.version < smallest)
            return Status::kDataTooLong;
        version = request.version;
    }
    const QrVersionRow* row = FindVersionRow(version, level);
    if (row == nullptr)
        return Status::kDataTooLong;
    ctx.symbol = MakeSymbolSpec(*row);
    return Status::kOk;
}

}  // namespace

Status Choose(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t bits)
{
    return Select(ctx, request, bits, true);
}

Status Estimate(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t bits)
{
    return Select(ctx, request, bits, false);
}

Result<int32_t> CapacityBits(const QrSymbolSpec& request) noexcept
{
    const QrVersionRow* row = FindVersionRow(request.version, NormalizeLevel(request.level));
    if (row == nullptr)
        return Status::kBadArgument;
    return row->dataCodewords * 8;
}

uint8_t Parity(const char* text) noexcept
{
    uint8_t parity = 0;
    for (const char* p = text; *p != '\0'; ++p)
        parity ^= static_cast<uint8_t>(*p);
    return parity;
}

namespace {

// The state of the division walk: symbol f takes whole segments until the
// budget a is reached, then a segment is split across the boundary.
struct Division {
    QrEncodeContext& ctx;
    int32_t symbolCount;
    int32_t a = 0;      // per-symbol budget in bits
    int32_t f = 0;      // current symbol
    int32_t sum = 0;    // characters of whole segments already in symbol f
    int32_t used = 24;  // bits used in symbol f
    int32_t n = 0;      // characters not yet in a closed symbol

    int32_t Last() const { return symbolCount - 1; }
    int32_t Later() const { return symbolCount - f - 1; }

    // The current symbol takes everything but one character for each later one.
    Status FinalRule()
    {
        const int32_t later = Later();
        ctx.quotas[static_cast<size_t>(f)] = n - later;
        for (int32_t i = f + 1; i < symbolCount; ++i)
            ctx.quotas[static_cast<size_t>(i)] = 1;
        return Status::kOk;
    }

    void Close(int32_t quota, int32_t remaining)
    {
        ctx.quotas[static_cast<size_t>(f)] = quota;
        ++f;
        n = remaining;
        sum = 0;
        used = 24;
    }
};

enum class Step { kNextSegment, kDone, kFailed };

// Splits segment s, which overruns the current symbol, across symbols.
Step SplitSegment(Division& d, const QrSegment& s, bool lastSegment, bool fixedVersion, int32_t capacityBits,
                  Status& result)
{
    const int32_t version = d.ctx.symbol.version;
    int32_t l = CharacterCount(s);
    while (l > 0) {
        const bool lastSymbol = d.f == d.Last();
        const int32_t room = (fixedVersion && lastSymbol) ? capacityBits - d.used : d.a - d.used;
        // After a segment that overran the budget the room is negative: nothing fits.
        const int32_t r = CharactersThatFit(s.mode, room, l);
        const int32_t t = d.n - r - d.sum;
        if (t <= d.Later()) {
            result = d.FinalRule();
            return Step::kDone;
        }
        d.used += SegmentBits(s.mode, r, version).value;
        if (fixedVersion && r > 0) {
            if (d.used > capacityBits)
                return Step::kFailed;
        } else if (d.used > d.a) {
            d.ctx.overflowBits += d.used - d.a;
        }
        d.sum += r;
        if (r > 0) {
            if (lastSymbol && t > 0)
                return lastSegment ? Step::kFailed : Step::kNextSegment;
            if (r == l)
                return Step::kNextSegment;
        }
        if (r == 0 && lastSymbol)
            return Step::kFailed;
        l -= r;
        d.Close(d.sum, t);
    }
    return Step::kNextSegment;
}

Status Walk(Division& d, bool fixedVersion, int32_t capacityBits)
{
    const std::vector<QrSegment>& segments = d.ctx.segments;
    for (size_t i = 0; i < segments.size(); ++i) {
        const QrSegment& s = segments[i];
        const bool lastSegment = i + 1 == segments.size();
        const int32_t characters = CharacterCount(s);
        if (d.used + s.bitLength < d.a) {
            if (d.n - characters - d.sum <= d.Later())
                return d.FinalRule();
            d.sum += characters;
            d.used += s.bitLength;
        } else if (d.used + s.bitLength == d.a) {
            const int32_t rem = d.n - characters - d.sum;
            if (rem <= d.Later())
                return d.FinalRule();
            if (d.f == d.Last()) {
                d.ctx.quotas[static_cast<size_t>(d.f)] = d.n;
                return Status::kOk;
            }
            const int32_t quota = d.sum + characters;
            if (lastSegment) {
                d.ctx.quotas[static_cast<size_t>(d.f)] = quota;
                d.sum = 0;
                d.used = 24;
                d.n = rem;
            } else {
                d.Close(quota, rem);
            }
        } else {
            Status result = Status::kSplitImpossible;
            switch (SplitSegment(d, s, lastSegment, fixedVersion, capacityBits, result)) {
            case Step::kDone: return result;
            case Step::kFailed: return Status::kSplitImpossible;
            case Step::kNextSegment: break;
            }
        }
    }
    if (d.sum > 0) {
        d.ctx.quotas[static_cast<size_t>(d.f)] = d.sum;
        return d.f == d.Last() ? Status::kOk : Status::kSplitImpossible;
    }
    return (d.f == d.Last() || d.f == d.symbolCount) ? Status::kOk : Status::kSplitImpossible;
}

}  // namespace

Status Divide(QrEncodeContext& ctx, int32_t budgetBits, int32_t symbolCount)
{
    if (symbolCount < 1)
        return Status::kSplitImpossible;
    const bool fixedVersion = ctx.request.version != 0;
    const Result<int32_t> capacity = fixedVersion ? CapacityBits(ctx.request) : Result<int32_t>(0);
    if (!capacity.Ok())
        return Status::kSplitImpossible;
    const int32_t capacityBits = capacity.value;
    ctx.quotas.assign(static_cast<size_t>(symbolCount) + 1, 0);
    ctx.overflowBits = 0;
    ctx.capacityBits = capacityBits;

    const int32_t total = ctx.totalCharacters;
    if (total < 2 * symbolCount) {
        for (int32_t i = 0; i < symbolCount; ++i)
            ctx.quotas[static_cast<size_t>(i)] = total / symbolCount + (i < total % symbolCount ? 1 : 0);
        return Status::kOk;
    }
    Division d{ctx, symbolCount};
    d.a = budgetBits / symbolCount + (fixedVersion ? 0 : 4);
    d.n = total;
    if (Walk(d, fixedVersion, capacityBits) != Status::kOk)
        return Status::kSplitImpossible;

    // Every character must land in exactly one symbol.
    int64_t placed = 0;
    for (int32_t q : ctx.quotas) {
        if (q < 0)
            return Status::kSplitImpossible;
        placed += q;
    }
    return placed == total ? Status::kOk : Status::kSplitImpossible;
}

Status FitLargestSymbol(QrEncodeContext& ctx, const QrSymbolSpec& request, int32_t symbolCount)
{
    const int32_t level = ctx.symbol.level;
    for (int32_t version = ctx.symbol.version; version <= kMaxVersion; ++version) {
        const QrVersionRow* row = FindVersionRow(version, level);
        if (row == nullptr)
            return Status::kDataTooLong;
        if (LargestSymbolBits(ctx, symbolCount, version).value <= row->dataCodewords * 8) {
            ctx.symbol = MakeSymbolSpec(*row);
            return Status::kOk;
        }
        if (request.version != 0)
            return Status::kDataTooLong;
    }
    return Status::kDataTooLong;
}

}  // namespace tavoqr
