#include "matrix.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "reed_solomon.h"

namespace tavoqr {
namespace {

// Module map values.
constexpr uint8_t kLightData = 0;
constexpr uint8_t kLightFunction = 2;
constexpr uint8_t kDarkFunction = 3;

// ISO/IEC 18004 Annex E, Table E.1: row and column coordinates of the
// alignment pattern centres, versions 2..40 (0 ends a shorter row).
constexpr std::array<std::array<uint8_t, 7>, 39> kAlignmentCentres = {{
    {6, 18},                         //  2
    {6, 22},                         //  3
    {6, 26},                         //  4
    {6, 30},                         //  5
    {6, 34},                         //  6
    {6, 22, 38},                     //  7
    {6, 24, 42},                     //  8
    {6, 26, 46},                     //  9
    {6, 28, 50},                     // 10
    {6, 30, 54},                     // 11
    {6, 32, 58},                     // 12
    {6, 34, 62},                     // 13
    {6, 26, 46, 66},                 // 14
    {6, 26, 48, 70},                 // 15
    {6, 26, 50, 74},                 // 16
    {6, 30, 54, 78},                 // 17
    {6, 30, 56, 82},                 // 18
    {6, 30, 58, 86},                 // 19
    {6, 34, 62, 90},                 // 20
    {6, 28, 50, 72, 94},             // 21
    {6, 26, 50, 74, 98},             // 22
    {6, 30, 54, 78, 102},            // 23
    {6, 28, 54, 80, 106},            // 24
    {6, 32, 58, 84, 110},            // 25
    {6, 30, 58, 86, 114},            // 26
    {6, 34, 62, 90, 118},            // 27
    {6, 26, 50, 74, 98, 122},        // 28
    {6, 30, 54, 78, 102, 126},       // 29
    {6, 26, 52, 78, 104, 130},       // 30
    {6, 30, 56, 82, 108, 134},       // 31
    {6, 34, 60, 86, 112, 138},       // 32
    {6, 30, 58, 86, 114, 142},       // 33
    {6, 34, 62, 90, 118, 146},       // 34
    {6, 30, 54, 78, 102, 126, 150},  // 35
    {6, 24, 50, 76, 102, 128, 154},  // 36
    {6, 28, 54, 80, 106, 132, 158},  // 37
    {6, 32, 58, 84, 110, 136, 162},  // 38
    {6, 26, 54, 82, 110, 138, 166},  // 39
    {6, 30, 58, 86, 114, 142, 170},  // 40
}};

// ISO/IEC 18004 Annex D, Table D.1: version information, versions 7..40.
constexpr std::array<uint32_t, 34> kVersionInformation = {
    0x07C94, 0x085BC, 0x09A99, 0x0A4D3, 0x0BBF6, 0x0C762, 0x0D847, 0x0E60D, 0x0F928,  //  7..15
    0x10B78, 0x1145D, 0x12A17, 0x13532, 0x149A6, 0x15683, 0x168C9, 0x177EC, 0x18EC4,  // 16..24
    0x191E1, 0x1AFAB, 0x1B08E, 0x1CC1A, 0x1D33F, 0x1ED75, 0x1F250, 0x209D5, 0x216F0,  // 25..33
    0x228BA, 0x2379F, 0x24B0B, 0x2542E, 0x26A64, 0x27541, 0x28C69,                    // 34..40
};

// The same words by the BCH(18,6) rule: the version in the top six bits and
// the remainder of its division by x^12 + x^11 + x^10 + x^9 + x^8 + x^5 + x^2 + 1.
constexpr bool VersionTableFollowsRule()
{
    for (uint32_t v = 7; v <= 40; ++v) {
        uint32_t r = v << 12;
        for (int bit = 17; bit >= 12; --bit) {
            if (r & (1U << bit))
                r ^= 0x1F25U << (bit - 12);
        }
        if (kVersionInformation[v - 7] != ((v << 12) | r))
            return false;
    }
    return true;
}
static_assert(VersionTableFollowsRule());

size_t Index(const QrEncodeContext& ctx, int32_t x, int32_t y) { return static_cast<size_t>(y * ctx.side + x); }

void DrawDark(QrEncodeContext& ctx, int32_t x, int32_t y)
{
    ctx.raster[static_cast<size_t>(y * ctx.rasterStride + x / 8)] &= static_cast<uint8_t>(~(0x80U >> (x % 8)));
}

// A module of a function pattern: drawn, reserved, entered as 2 or 3.
void SetFunction(QrEncodeContext& ctx, int32_t x, int32_t y, bool dark)
{
    if (dark)
        DrawDark(ctx, x, y);
    ctx.moduleMap[Index(ctx, x, y)] = dark ? kDarkFunction : kLightFunction;
    ctx.reserveMap[Index(ctx, x, y)] = 1;
}

void DrawTimingPatterns(QrEncodeContext& ctx)
{
    const int32_t w = ctx.side;
    for (int32_t i = 8; i <= w - 9; ++i) {
        SetFunction(ctx, i, 6, i % 2 == 0);
        SetFunction(ctx, 6, i, i % 2 == 0);
    }
}

// The finder with its top-left corner at (left, top), its separator and the
// format modules around it, over the area x0..x1, y0..y1 reserved for them.
void DrawFinderArea(QrEncodeContext& ctx, int32_t left, int32_t top, int32_t x0, int32_t x1, int32_t y0, int32_t y1)
{
    for (int32_t y = y0; y <= y1; ++y) {
        for (int32_t x = x0; x <= x1; ++x) {
            const int32_t dx = x - left;
            const int32_t dy = y - top;
            if (dx >= 0 && dx < 7 && dy >= 0 && dy < 7) {
                // Rings from the outside: dark, light, then the dark 3 × 3 centre.
                const int32_t ring = std::min(std::min(dx, 6 - dx), std::min(dy, 6 - dy));
                SetFunction(ctx, x, y, ring != 1);
            } else if (ctx.moduleMap[Index(ctx, x, y)] != kDarkFunction) {
                // Separator or format module; the timing modules (6, 8) and
                // (8, 6) inside the area keep their colour.
                SetFunction(ctx, x, y, false);
            }
        }
    }
}

void DrawFinderPatterns(QrEncodeContext& ctx)
{
    const int32_t w = ctx.side;
    DrawFinderArea(ctx, 0, 0, 0, 8, 0, 8);
    DrawFinderArea(ctx, w - 7, 0, w - 8, w - 1, 0, 8);
    DrawFinderArea(ctx, 0, w - 7, 0, 8, w - 8, w - 1);
}

void DrawAlignmentPatterns(QrEncodeContext& ctx)
{
    const int32_t w = ctx.side;
    const std::span<const uint8_t> centres = AlignmentCentres(ctx.symbol.version);
    for (const int32_t cx : centres) {
        for (const int32_t cy : centres) {
            // The three finder corners carry no alignment pattern.
            if ((cx == 6 && cy < 12) || (cx == 6 && cy > w - 12) || (cx > w - 12 && cy < 12))
                continue;
            for (int32_t dy = -2; dy <= 2; ++dy) {
                for (int32_t dx = -2; dx <= 2; ++dx) {
                    const int32_t ring = std::max(std::abs(dx), std::abs(dy));
                    SetFunction(ctx, cx + dx, cy + dy, ring != 1);
                }
            }
        }
    }
}

// The modules no codeword reaches, at the end of the path in the lower left.
void ReserveRemainderModules(QrEncodeContext& ctx)
{
    const int32_t v = ctx.symbol.version;
    const int32_t w = ctx.side;
    int32_t count = 0;
    int32_t bottom = 0;  // lowest row of the run, counted from w
    if (v >= 2 && v <= 6) {
        count = 7;
        bottom = w - 9;
    } else if ((v >= 14 && v <= 20) || (v >= 28 && v <= 34)) {
        count = 3;
        bottom = w - 12;
    } else if (v >= 21 && v <= 27) {
        count = 4;
        bottom = w - 12;
    }
    // Right-to-left, bottom-up: (0, bottom), (1, bottom), (0, bottom - 1), ...
    for (int32_t i = 0; i < count; ++i) {
        const int32_t x = i % 2;
        const int32_t y = bottom - i / 2;
        ctx.moduleMap[Index(ctx, x, y)] = kLightData;
        ctx.reserveMap[Index(ctx, x, y)] = 1;
    }
}

void ReserveVersionAreas(QrEncodeContext& ctx)
{
    if (ctx.symbol.version < 7)
        return;
    const int32_t w = ctx.side;
    for (int32_t a = 0; a < 6; ++a) {
        for (int32_t b = w - 11; b <= w - 9; ++b) {
            SetFunction(ctx, b, a, false);
            SetFunction(ctx, a, b, false);
        }
    }
}

}  // namespace

std::span<const uint8_t> AlignmentCentres(int32_t version) noexcept
{
    if (version < 2 || version > kMaxVersion)
        return {};
    const auto& row = kAlignmentCentres[static_cast<size_t>(version - 2)];
    const size_t n = static_cast<size_t>(std::find(row.begin() + 1, row.end(), 0) - row.begin());
    return {row.data(), n};
}

uint32_t VersionInformation(int32_t version) noexcept
{
    if (version < 7 || version > kMaxVersion)
        return 0;
    return kVersionInformation[static_cast<size_t>(version - 7)];
}

Status ClearRaster(QrEncodeContext& ctx)
{
    const int32_t version = ctx.symbol.version;
    if (version < kMinVersion || version > kMaxVersion)
        return Status::kBadArgument;
    ctx.side = SymbolSide(version);
    ctx.rasterStride = RasterStride(ctx.side);
    ctx.raster.assign(static_cast<size_t>(ctx.side * ctx.rasterStride), 0xFF);
    return Status::kOk;
}

Status BuildFunctionPatterns(QrEncodeContext& ctx)
{
    if (ctx.side != SymbolSide(ctx.symbol.version) ||
        ctx.raster.size() != static_cast<size_t>(ctx.side * ctx.rasterStride))
        return Status::kBadArgument;
    const size_t modules = static_cast<size_t>(ctx.side) * static_cast<size_t>(ctx.side);
    ctx.moduleMap.assign(modules, 0);
    ctx.reserveMap.assign(modules, 0);
    DrawTimingPatterns(ctx);
    DrawFinderPatterns(ctx);
    DrawAlignmentPatterns(ctx);
    ReserveRemainderModules(ctx);
    ReserveVersionAreas(ctx);
    DrawDark(ctx, 8, ctx.side - 8);
    return Status::kOk;
}

Status PlaceData(QrEncodeContext& ctx)
{
    const int32_t w = ctx.side;
    QrCodewordStream stream(ctx.blocks, ctx.blockStorage.data());
    const int32_t total = stream.Length();
    int32_t next = 0;      // stream index of the next codeword
    uint32_t bits = 0;     // the current codeword, its next bit at bit 7
    int32_t bitsLeft = 0;  // of the current codeword
    uint8_t* const modules = ctx.moduleMap.data();
    uint8_t* const reserved = ctx.reserveMap.data();
    // Puts the next bit at module index i = y * w + x, if that module is free.
    const auto place = [&](size_t i, int32_t x, int32_t y) {
        if (reserved[i] != 0)
            return true;
        if (bitsLeft == 0) {
            if (next == total)
                return false;
            bits = stream.Next(next++);
            bitsLeft = 8;
        }
        const uint8_t bit = static_cast<uint8_t>((bits >> 7) & 1U);
        bits <<= 1;
        --bitsLeft;
        modules[i] = bit;
        reserved[i] = 1;
        if (bit != 0)
            DrawDark(ctx, x, y);
        return true;
    };
    // Column pairs from the right edge, the vertical timing column skipped;
    // the first pair runs upward and the direction alternates. Within a row
    // the right module comes first.
    for (int32_t right = w - 1; right >= 1; right -= 2) {
        if (right == 6)
            right = 5;
        const bool upward = ((right + 1) & 2) == 0;
        const int32_t dy = upward ? -1 : 1;
        int32_t y = upward ? w - 1 : 0;
        for (int32_t step = 0; step < w; ++step, y += dy) {
            const size_t i = static_cast<size_t>(y * w + right);
            if (!place(i, right, y) || !place(i - 1, right - 1, y))
                return Status::kBadArgument;
        }
    }
    return next == total && bitsLeft == 0 ? Status::kOk : Status::kBadArgument;
}

Status WriteVersionInformation(QrEncodeContext& ctx)
{
    const uint32_t word = VersionInformation(ctx.symbol.version);
    const int32_t w = ctx.side;
    for (int32_t i = 0; i < 18 && word != 0; ++i) {
        const int32_t bit = static_cast<int32_t>((word >> i) & 1U);
        const int32_t a = w - 11 + i % 3;
        const int32_t b = i / 3;
        if (const Status s = ToggleModule(ctx, a, b, bit); s != Status::kOk)
            return s;
        if (const Status s = ToggleModule(ctx, b, a, bit); s != Status::kOk)
            return s;
    }
    return Status::kOk;
}

Status ToggleModule(QrEncodeContext& ctx, int32_t x, int32_t y, int32_t bit) noexcept
{
    if (x < 0 || y < 0 || x >= ctx.side || y >= ctx.side)
        return Status::kBadArgument;
    if (bit != 0)
        ctx.raster[static_cast<size_t>(y * ctx.rasterStride + x / 8)] ^= static_cast<uint8_t>(0x80U >> (x % 8));
    return Status::kOk;
}

}  // namespace tavoqr
