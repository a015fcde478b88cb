// The writer of a symbol's data codewords: structured-append header, segment
// parts, terminator, bit padding and pad codewords, then the codewords dealt
// into the RS block buffers.
#include <algorithm>
#include <cassert>
#include <cstring>

#include "bitstream.h"

namespace tavoqr {
namespace {

// Writes values most significant bit first into a byte buffer, a byte at a time.
class BitWriter {
public:
    BitWriter(uint8_t* bytes, int32_t capacityBits) : bytes_(bytes), capacity_(capacityBits) {}

    // Appends the low `bits` bits (0..16) of value; the caller has checked the room.
    void Put(uint32_t value, int32_t bits)
    {
        assert(Position() + bits <= capacity_);
        pending_ = (pending_ << bits) | (value & ((1U << bits) - 1U));
        pendingBits_ += bits;
        while (pendingBits_ >= 8) {
            pendingBits_ -= 8;
            bytes_[byte_++] = static_cast<uint8_t>(pending_ >> pendingBits_);
        }
    }
    int32_t Position() const { return byte_ * 8 + pendingBits_; }
    int32_t Room() const { return capacity_ - Position(); }
    // Zero bits up to the next codeword boundary; returns the codewords written.
    int32_t Flush()
    {
        if (pendingBits_ > 0)
            Put(0, 8 - pendingBits_);
        return byte_;
    }

private:
    uint8_t* bytes_;
    int32_t capacity_;
    int32_t byte_ = 0;
    uint32_t pending_ = 0;
    int32_t pendingBits_ = 0;
};

void PutNumeric(BitWriter& out, const uint8_t* digits, int32_t n)
{
    for (int32_t i = 0; i < n; i += 3) {
        const int32_t group = std::min(3, n - i);
        uint32_t value = 0;
        for (int32_t j = 0; j < group; ++j)
            value = value * 10 + static_cast<uint32_t>(digits[i + j] - '0');
        out.Put(value, group == 3 ? 10 : group == 2 ? 7 : 4);
    }
}

// Status::kLookupFailed for a byte without an alphanumeric value.
Status PutAlphanumeric(BitWriter& out, const uint8_t* chars, int32_t n)
{
    for (int32_t i = 0; i < n; i += 2) {
        const uint8_t first = AlphanumericValue(chars[i]);
        if (first == 255)
            return Status::kLookupFailed;
        if (i + 1 < n) {
            const uint8_t second = AlphanumericValue(chars[i + 1]);
            if (second == 255)
                return Status::kLookupFailed;
            out.Put(45U * first + second, 11);
        } else {
            out.Put(first, 6);
        }
    }
    return Status::kOk;
}

void PutKanji(BitWriter& out, const uint8_t* bytes, int32_t characters)
{
    for (int32_t i = 0; i < characters; ++i) {
        const uint32_t k = (static_cast<uint32_t>(bytes[2 * i]) << 8) | bytes[2 * i + 1];
        const uint32_t c = k - (k <= 0x9FFC ? 0x8140U : 0xC140U);
        out.Put(((c >> 8) * 0xC0 + (c & 0xFF)) & 0x1FFF, 13);
    }
}

// Writes one part of a segment: `characters` characters from byte `offset`.
Status PutSegmentPart(BitWriter& out, const uint8_t* text, int32_t mode, int32_t offset, int32_t characters,
                      int32_t version)
{
    const Result<int32_t> width = CountIndicatorWidth(mode, version);
    if (!width.Ok())
        return width.status;
    if (SegmentBits(mode, characters, version).value > out.Room() || characters >= (1 << width.value))
        return Status::kDataTooLong;
    out.Put(static_cast<uint32_t>(mode), 4);
    out.Put(static_cast<uint32_t>(characters), width.value);
    const uint8_t* p = text + offset;
    switch (mode) {
    case kModeNumeric: PutNumeric(out, p, characters); return Status::kOk;
    case kModeAlphanumeric: return PutAlphanumeric(out, p, characters);
    case kModeKanji: PutKanji(out, p, characters); return Status::kOk;
    default:
        for (int32_t i = 0; i < characters; ++i)
            out.Put(p[i], 8);
        return Status::kOk;
    }
}

// Terminator, zero bits to the codeword boundary, then 0xEC / 0x11 pads.
void Finish(BitWriter& out, uint8_t* bytes, int32_t dataCodewords)
{
    out.Put(0, std::min(4, out.Room()));
    int32_t codeword = out.Flush();
    for (bool ec = true; codeword < dataCodewords; ++codeword, ec = !ec)
        bytes[codeword] = ec ? 0xEC : 0x11;
}

// Deals the data codeword sequence into the block buffers, zero-filled.
void FillBlocks(QrEncodeContext& ctx)
{
    std::fill(ctx.blockStorage.begin(), ctx.blockStorage.end(), uint8_t{0});
    const uint8_t* from = ctx.dataCodewords.data();
    for (int32_t b = 0; b < ctx.blocks.count; ++b) {
        const int32_t k = ctx.blocks.dataCount[b];
        std::memcpy(ctx.blockStorage.data() + ctx.blocks.offset[b], from, static_cast<size_t>(k));
        from += k;
    }
}

// Walks the characters of symbol after symbol: calls part(mode, offset,
// characters) for each segment part of the current symbol.
struct PartCursor {
    const std::vector<QrSegment>& segments;
    int32_t segment;
    int32_t character;

    template <typename F>
    Status Take(int32_t quota, F&& part)
    {
        while (quota > 0 && segment < static_cast<int32_t>(segments.size())) {
            const QrSegment& s = segments[static_cast<size_t>(segment)];
            const int32_t left = CharacterCount(s) - character;
            const int32_t n = std::min(left, quota);
            const int32_t offset = s.offset + character * (s.mode == kModeKanji ? 2 : 1);
            if (const Status status = part(s.mode, offset, n); status != Status::kOk)
                return status;
            quota -= n;
            character += n;
            if (character == CharacterCount(s)) {
                ++segment;
                character = 0;
            }
        }
        return Status::kOk;
    }
};

int32_t QuotaOf(const QrEncodeContext& ctx, int32_t index, int32_t symbolCount)
{
    return symbolCount > 1 ? ctx.quotas[static_cast<size_t>(index)] : ctx.totalCharacters;
}

}  // namespace

Result<int32_t> LargestSymbolBits(const QrEncodeContext& ctx, int32_t symbolCount, int32_t version)
{
    if (version < kMinVersion || version > kMaxVersion)
        return Status::kBadArgument;
    PartCursor cursor{ctx.segments, 0, 0};
    int32_t largest = 0;
    for (int32_t i = 0; i < symbolCount; ++i) {
        int32_t bits = (symbolCount > 1 ? kStructuredAppendHeaderBits : 0) + (ctx.eci >= 0 ? kEciHeaderBits : 0);
        cursor.Take(QuotaOf(ctx, i, symbolCount), [&](int32_t mode, int32_t, int32_t n) {
            bits += SegmentBits(mode, n, version).value;
            return Status::kOk;
        });
        largest = std::max(largest, bits);
    }
    return largest;
}

Status WriteSymbolData(QrEncodeContext& ctx, int32_t index, int32_t symbolCount)
{
    const int32_t version = ctx.symbol.version;
    if (version < kMinVersion || version > kMaxVersion)
        return Status::kBadArgument;
    const int32_t dataCodewords = ctx.symbol.dataCodewords;
    ctx.dataCodewords.assign(static_cast<size_t>(dataCodewords), 0);
    BitWriter out(ctx.dataCodewords.data(), dataCodewords * 8);

    if (symbolCount > 1) {
        out.Put(kModeStructuredAppend, 4);
        out.Put(static_cast<uint32_t>(index), 4);
        out.Put(static_cast<uint32_t>(symbolCount - 1), 4);
        out.Put(ctx.parity, 8);
    }
    if (ctx.eci >= 0) {
        out.Put(kModeEci, 4);
        out.Put(static_cast<uint32_t>(ctx.eci), 8);
    }
    PartCursor cursor{ctx.segments, ctx.cursorSegment, ctx.cursorCharacter};
    const Status status = cursor.Take(QuotaOf(ctx, index, symbolCount), [&](int32_t mode, int32_t offset, int32_t n) {
        return PutSegmentPart(out, ctx.text, mode, offset, n, version);
    });
    if (status != Status::kOk)
        return status;
    ctx.cursorSegment = cursor.segment;
    ctx.cursorCharacter = cursor.character;

    Finish(out, ctx.dataCodewords.data(), dataCodewords);
    FillBlocks(ctx);
    return Status::kOk;
}

}  // namespace tavoqr
