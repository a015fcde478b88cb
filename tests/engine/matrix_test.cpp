#include "matrix.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "symbol_fixture.h"

namespace tavoqr {
namespace {

using test::ModuleAt;
using test::PlacedSymbol;
using test::SymbolContext;

// A context with the function patterns of `version` drawn, nothing placed.
QrEncodeContext Patterns(int32_t version)
{
    QrEncodeContext ctx = SymbolContext(version, kLevelM);
    EXPECT_EQ(ClearRaster(ctx), Status::kOk);
    EXPECT_EQ(BuildFunctionPatterns(ctx), Status::kOk);
    return ctx;
}

int32_t RemainderBits(int32_t v)
{
    if (v >= 2 && v <= 6)
        return 7;
    if ((v >= 14 && v <= 20) || (v >= 28 && v <= 34))
        return 3;
    if (v >= 21 && v <= 27)
        return 4;
    return 0;
}

// Modules of a symbol left for data and remainder bits, by the counting rule
// of the standard: all modules less finders, separators, format areas,
// timing, alignment patterns and version information.
int32_t RawDataModules(int32_t v)
{
    int32_t result = (16 * v + 128) * v + 64;
    if (v >= 2) {
        const int32_t n = v / 7 + 2;
        result -= (25 * n - 10) * n - 55;
        if (v >= 7)
            result -= 36;
    }
    return result;
}

TEST(Matrix, RasterStrideIsPaddedTo16Bits)
{
    EXPECT_EQ(RasterStride(21), 4);
    EXPECT_EQ(RasterStride(32), 4);
    EXPECT_EQ(RasterStride(33), 6);
    EXPECT_EQ(RasterStride(77), 10);
    EXPECT_EQ(RasterStride(177), 24);
}

TEST(Matrix, ClearRasterRefusesVersionsOutsideTheTable)
{
    QrEncodeContext ctx;
    ctx.symbol.version = 41;
    EXPECT_EQ(ClearRaster(ctx), Status::kBadArgument);
    ctx.symbol.version = 0;
    EXPECT_EQ(ClearRaster(ctx), Status::kBadArgument);
    EXPECT_EQ(BuildFunctionPatterns(ctx), Status::kBadArgument);
}

TEST(Matrix, FinderPatternsSeparatorsAndTimingOfVersion1)
{
    const QrEncodeContext ctx = Patterns(1);
    ASSERT_EQ(ctx.side, 21);
    const int32_t w = 21;
    for (const auto& [left, top] : {std::pair{0, 0}, std::pair{w - 7, 0}, std::pair{0, w - 7}}) {
        for (int32_t dy = 0; dy < 7; ++dy) {
            for (int32_t dx = 0; dx < 7; ++dx) {
                const bool ring1 = dx == 1 || dx == 5 || dy == 1 || dy == 5;
                const bool inner = dx >= 1 && dx <= 5 && dy >= 1 && dy <= 5;
                const bool dark = !(inner && ring1);
                EXPECT_EQ(RasterIsDark(ctx, left + dx, top + dy), dark) << left + dx << "," << top + dy;
                EXPECT_EQ(ModuleAt(ctx, left + dx, top + dy), dark ? 3 : 2);
            }
        }
    }
    // Separators: light function modules.
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(ModuleAt(ctx, 7, i), 2);
        EXPECT_EQ(ModuleAt(ctx, i, 7), 2);
        EXPECT_EQ(ModuleAt(ctx, w - 8, i), 2);
        EXPECT_EQ(ModuleAt(ctx, w - 1 - i, 7), 2);
        EXPECT_EQ(ModuleAt(ctx, i, w - 8), 2);
        EXPECT_EQ(ModuleAt(ctx, 7, w - 1 - i), 2);
    }
    // Timing patterns, including the two modules inside the format areas.
    for (int32_t i = 8; i <= w - 9; ++i) {
        EXPECT_EQ(RasterIsDark(ctx, i, 6), i % 2 == 0) << i;
        EXPECT_EQ(RasterIsDark(ctx, 6, i), i % 2 == 0) << i;
        EXPECT_EQ(ModuleAt(ctx, i, 6), i % 2 == 0 ? 3 : 2);
    }
    EXPECT_EQ(ModuleAt(ctx, 6, 8), 3);
    EXPECT_EQ(ModuleAt(ctx, 8, 6), 3);
    // Format areas are light function modules for now.
    for (int32_t i = 0; i <= 8; ++i) {
        if (i == 6)
            continue;
        EXPECT_EQ(ModuleAt(ctx, i, 8), 2) << i;
        EXPECT_EQ(ModuleAt(ctx, 8, i), 2) << i;
        EXPECT_FALSE(RasterIsDark(ctx, i, 8));
    }
    EXPECT_EQ(ModuleAt(ctx, 10, 10), 0);  // a data module
}

TEST(Matrix, DarkModuleIsDarkInEveryVersion)
{
    for (int32_t v = 1; v <= kMaxVersion; ++v) {
        const QrEncodeContext ctx = Patterns(v);
        EXPECT_TRUE(RasterIsDark(ctx, 8, ctx.side - 8)) << v;
        EXPECT_EQ(ModuleAt(ctx, 8, ctx.side - 8), 2) << v;  // a format-area module in the map
    }
}

TEST(Matrix, AlignmentCentresFollowTheSpacingRule)
{
    EXPECT_TRUE(AlignmentCentres(1).empty());
    EXPECT_TRUE(AlignmentCentres(41).empty());
    for (int32_t v = 2; v <= kMaxVersion; ++v) {
        const int32_t count = v / 7 + 2;
        const int32_t step = v == 32 ? 26 : (v * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
        std::vector<uint8_t> want(static_cast<size_t>(count));
        want[0] = 6;
        for (int32_t i = count - 1, pos = SymbolSide(v) - 7; i >= 1; --i, pos -= step)
            want[static_cast<size_t>(i)] = static_cast<uint8_t>(pos);
        const std::span<const uint8_t> got = AlignmentCentres(v);
        EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.end()), want) << v;
    }
}

TEST(Matrix, Version7HasSixAlignmentPatternsOverTheTiming)
{
    const std::span<const uint8_t> centres = AlignmentCentres(7);
    EXPECT_EQ(std::vector<uint8_t>(centres.begin(), centres.end()), (std::vector<uint8_t>{6, 22, 38}));
    const QrEncodeContext ctx = Patterns(7);
    const std::set<std::pair<int32_t, int32_t>> placed = {{6, 22}, {22, 6}, {22, 22}, {22, 38}, {38, 22}, {38, 38}};
    for (const auto& [cx, cy] : placed) {
        for (int32_t dy = -2; dy <= 2; ++dy) {
            for (int32_t dx = -2; dx <= 2; ++dx) {
                const bool dark = std::max(std::abs(dx), std::abs(dy)) != 1;
                EXPECT_EQ(RasterIsDark(ctx, cx + dx, cy + dy), dark) << cx + dx << "," << cy + dy;
                EXPECT_EQ(ModuleAt(ctx, cx + dx, cy + dy), dark ? 3 : 2);
            }
        }
    }
    // No pattern at (6, 6), (38, 6) or (6, 38): the module up and left of
    // each, which a pattern would draw dark, is a light finder or separator
    // module.
    EXPECT_EQ(ModuleAt(ctx, 5, 5), 2);
    EXPECT_EQ(ModuleAt(ctx, 37, 5), 2);
    EXPECT_EQ(ModuleAt(ctx, 5, 37), 2);
    // The timing patterns still alternate where the patterns cross them.
    for (int32_t i = 8; i <= ctx.side - 9; ++i) {
        EXPECT_EQ(RasterIsDark(ctx, i, 6), i % 2 == 0) << i;
        EXPECT_EQ(RasterIsDark(ctx, 6, i), i % 2 == 0) << i;
    }
}

TEST(Matrix, DataModulesAreTheStandardsCount)
{
    for (int32_t v = 1; v <= kMaxVersion; ++v) {
        const QrEncodeContext ctx = Patterns(v);
        int32_t data = 0, free = 0;
        for (size_t i = 0; i < ctx.moduleMap.size(); ++i) {
            data += ctx.moduleMap[i] < 2 ? 1 : 0;
            free += ctx.reserveMap[i] == 0 ? 1 : 0;
        }
        EXPECT_EQ(data, RawDataModules(v)) << v;
        EXPECT_EQ(free, RawDataModules(v) - RemainderBits(v)) << v;
        EXPECT_EQ(free % 8, 0) << v;
    }
}

TEST(Matrix, Version1CodewordsFillAllDataModules)
{
    const QrEncodeContext ctx = PlacedSymbol(1, kLevelL);
    int32_t data = 0;
    for (const uint8_t m : ctx.moduleMap)
        data += m < 2 ? 1 : 0;
    EXPECT_EQ(data, 208);
    for (const uint8_t r : ctx.reserveMap)
        EXPECT_EQ(r, 1);
}

TEST(Matrix, Version2RemainderModulesAreReservedAndStayZero)
{
    const QrEncodeContext before = Patterns(2);
    const int32_t w = 25;
    const std::vector<std::pair<int32_t, int32_t>> remainder = {{0, w - 9},  {1, w - 9},  {0, w - 10}, {1, w - 10},
                                                                {0, w - 11}, {1, w - 11}, {0, w - 12}};
    for (const auto& [x, y] : remainder) {
        EXPECT_EQ(before.reserveMap[static_cast<size_t>(y * w + x)], 1) << x << "," << y;
        EXPECT_EQ(ModuleAt(before, x, y), 0);
    }
    // An all-dark payload leaves exactly those seven data modules light.
    QrEncodeContext ctx = SymbolContext(2, kLevelL);
    ASSERT_EQ(ClearRaster(ctx), Status::kOk);
    ASSERT_EQ(BuildFunctionPatterns(ctx), Status::kOk);
    std::fill(ctx.blockStorage.begin(), ctx.blockStorage.end(), uint8_t{0xFF});
    ASSERT_EQ(PlaceData(ctx), Status::kOk);
    std::set<std::pair<int32_t, int32_t>> light;
    for (int32_t y = 0; y < w; ++y)
        for (int32_t x = 0; x < w; ++x)
            if (ModuleAt(ctx, x, y) == 0)
                light.emplace(x, y);
    const std::set<std::pair<int32_t, int32_t>> want(remainder.begin(), remainder.end());
    EXPECT_EQ(light, want);
}

TEST(Matrix, RemainderModulesOfLaterVersions)
{
    for (const int32_t v : {14, 21}) {
        const QrEncodeContext ctx = Patterns(v);
        const int32_t w = ctx.side;
        std::vector<std::pair<int32_t, int32_t>> want = {{0, w - 12}, {1, w - 12}, {0, w - 13}};
        if (v == 21)
            want.emplace_back(1, w - 13);
        for (const auto& [x, y] : want) {
            EXPECT_EQ(ctx.reserveMap[static_cast<size_t>(y * w + x)], 1) << v << ": " << x << "," << y;
            EXPECT_EQ(ModuleAt(ctx, x, y), 0);
        }
        EXPECT_EQ(ctx.reserveMap[static_cast<size_t>((w - 13) * w + 1)], v == 21 ? 1 : 0);
    }
}

// The placement path walked by the cursor rules: from the right column go
// left in the same row, else to the right module of the next row; from the
// left column search onward for the next row with a free module; at the edge
// start the next column pair from that edge, reversing direction, skipping
// column 6.
std::vector<std::pair<int32_t, int32_t>> WalkPath(const QrEncodeContext& ctx, size_t steps)
{
    const int32_t w = ctx.side;
    std::vector<uint8_t> used(static_cast<size_t>(w * w), 0);
    const auto free = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < w && y < w && ModuleAt(ctx, x, y) < 2 &&
               used[static_cast<size_t>(y * w + x)] == 0;
    };
    std::vector<std::pair<int32_t, int32_t>> path;
    int32_t x = w - 1, y = w - 1, dir = -1, right = w - 1;
    while (path.size() < steps) {
        path.emplace_back(x, y);
        used[static_cast<size_t>(y * w + x)] = 1;
        if (x == right && free(x - 1, y)) {
            x = x - 1;
            continue;
        }
        if (x == right && free(right, y + dir)) {
            y += dir;
            continue;
        }
        bool found = false;
        while (!found) {
            for (int32_t row = y + dir; row >= 0 && row < w && !found; row += dir) {
                for (const int32_t col : {right, right - 1}) {
                    if (free(col, row)) {
                        x = col;
                        y = row;
                        found = true;
                        break;
                    }
                }
            }
            if (found)
                break;
            right -= 2;
            if (right == 6)
                right = 5;
            if (right < 1)
                return path;
            // The new pair starts at the edge just reached, its first row included.
            y = dir < 0 ? -1 : w;
            dir = -dir;
        }
    }
    return path;
}

void ExpectCodewordsAlongThePath(int32_t version, int32_t level)
{
    const QrEncodeContext ctx = PlacedSymbol(version, level, static_cast<uint32_t>(version));
    QrCodewordStream stream(ctx.blocks, ctx.blockStorage.data());
    const int32_t total = stream.Length();
    const auto path = WalkPath(ctx, static_cast<size_t>(total) * 8);
    ASSERT_EQ(path.size(), static_cast<size_t>(total) * 8) << version;
    for (int32_t a = 0; a < total; ++a) {
        uint32_t read = 0;
        for (int32_t bit = 0; bit < 8; ++bit) {
            const auto& [x, y] = path[static_cast<size_t>(a * 8 + bit)];
            read = (read << 1) | ModuleAt(ctx, x, y);
            ASSERT_EQ(RasterIsDark(ctx, x, y), ModuleAt(ctx, x, y) == 1);
        }
        ASSERT_EQ(read, stream.Next(a)) << version << " codeword " << a;
    }
}

TEST(Matrix, CodewordsFollowTheZigZagPath)
{
    for (const int32_t v : {1, 2, 6, 7, 10, 14, 15, 21, 40})
        ExpectCodewordsAlongThePath(v, kLevelM);
}

TEST(Matrix, Version7QPlacesAll196Codewords) { ExpectCodewordsAlongThePath(7, kLevelQ); }

TEST(Matrix, VersionInformationWordsFollowTheirCode)
{
    EXPECT_EQ(VersionInformation(6), 0U);
    EXPECT_EQ(VersionInformation(41), 0U);
    EXPECT_EQ(VersionInformation(7), 0x07C94U);
    EXPECT_EQ(VersionInformation(15), 0x0F928U);
    for (uint32_t v = 7; v <= 40; ++v) {
        // Remainder of v(x) · x^12 by the generator 1111100100101.
        uint32_t r = v << 12;
        for (int bit = 17; bit >= 12; --bit) {
            if (r & (1U << bit))
                r ^= 0x1F25U << (bit - 12);
        }
        EXPECT_EQ(VersionInformation(static_cast<int32_t>(v)), (v << 12) | r) << v;
    }
}

void ExpectVersionInformationDrawn(int32_t version, uint32_t word)
{
    QrEncodeContext ctx = Patterns(version);
    ASSERT_EQ(WriteVersionInformation(ctx), Status::kOk);
    const int32_t w = ctx.side;
    for (int32_t i = 0; i < 18; ++i) {
        const bool dark = ((word >> i) & 1U) != 0;
        // Upper right: 3 wide, 6 high; lower left: 6 wide, 3 high.
        EXPECT_EQ(RasterIsDark(ctx, w - 11 + i % 3, i / 3), dark) << version << " bit " << i;
        EXPECT_EQ(RasterIsDark(ctx, i / 3, w - 11 + i % 3), dark) << version << " bit " << i;
        EXPECT_EQ(ModuleAt(ctx, w - 11 + i % 3, i / 3), 2);
        EXPECT_EQ(ModuleAt(ctx, i / 3, w - 11 + i % 3), 2);
    }
}

TEST(Matrix, VersionInformationOf7And15InBothPlaces)
{
    ExpectVersionInformationDrawn(7, 0x07C94);
    ExpectVersionInformationDrawn(15, 0x0F928);
}

TEST(Matrix, NoVersionInformationBelowVersion7)
{
    QrEncodeContext ctx = Patterns(6);
    const std::vector<uint8_t> before = ctx.raster;
    ASSERT_EQ(WriteVersionInformation(ctx), Status::kOk);
    EXPECT_EQ(ctx.raster, before);
}

TEST(Matrix, ToggleModuleInvertsOnlyForABitOfOne)
{
    QrEncodeContext ctx = Patterns(1);
    ASSERT_FALSE(RasterIsDark(ctx, 10, 10));
    EXPECT_EQ(ToggleModule(ctx, 10, 10, 0), Status::kOk);
    EXPECT_FALSE(RasterIsDark(ctx, 10, 10));
    EXPECT_EQ(ToggleModule(ctx, 10, 10, 1), Status::kOk);
    EXPECT_TRUE(RasterIsDark(ctx, 10, 10));
    EXPECT_EQ(ToggleModule(ctx, 10, 10, 1), Status::kOk);
    EXPECT_FALSE(RasterIsDark(ctx, 10, 10));
    const std::vector<uint8_t> before = ctx.raster;
    EXPECT_EQ(ToggleModule(ctx, 21, 0, 1), Status::kBadArgument);
    EXPECT_EQ(ToggleModule(ctx, 0, 21, 1), Status::kBadArgument);
    EXPECT_EQ(ToggleModule(ctx, -1, 0, 1), Status::kBadArgument);
    EXPECT_EQ(ctx.raster, before);
}

TEST(Matrix, RasterPaddingStaysLight)
{
    const QrEncodeContext ctx = PlacedSymbol(1, kLevelL);
    for (int32_t y = 0; y < 21; ++y) {
        // Columns 21..31 of each 4-byte row are padding.
        EXPECT_EQ(ctx.raster[static_cast<size_t>(y * 4 + 2)] & 0x07, 0x07) << y;
        EXPECT_EQ(ctx.raster[static_cast<size_t>(y * 4 + 3)], 0xFF) << y;
    }
}

}  // namespace
}  // namespace tavoqr
