#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bitstream.h"
#include "encode.h"
#include "engine_test_util.h"
#include "masking.h"
#include "symbol.h"
#include "symbol_fixture.h"

namespace tavoqr {
namespace {

// The symbol of `text` at (version 0 = automatic, level) built through the
// writer, and its rendered bitmap.
struct Rendered {
    test::TestContext ctx;
    std::unique_ptr<QrBitmap> bitmap;
};

Rendered Render(const std::string& text, int32_t version, int32_t level)
{
    Rendered r{test::ContextFor(text, version, level), nullptr};
    EXPECT_EQ(PrepareSymbols(r.ctx, 1), Status::kOk);
    r.ctx.blocks = MakeBlockLayout(r.ctx.symbol);
    r.ctx.blockStorage.assign(static_cast<size_t>(r.ctx.blocks.storageSize), 0);
    EXPECT_EQ(WriteSymbolData(r.ctx, 0, 1), Status::kOk);
    EXPECT_EQ(RenderSymbol(r.ctx, r.bitmap), Status::kOk);
    return r;
}

// The symbol without its quiet zone, one line per row, '#' dark, '.' light.
std::string Art(const QrBitmap& b)
{
    std::string art;
    for (int32_t y = 4; y < b.Side() - 4; ++y) {
        for (int32_t x = 4; x < b.Side() - 4; ++x)
            art += b.IsDark(x, y) ? '#' : '.';
        art += '\n';
    }
    return art;
}

TEST(Bitmap, Version1Is29PixelsWithALightQuietZone)
{
    const Rendered r = Render("01234567", 0, kLevelM);
    ASSERT_NE(r.bitmap, nullptr);
    const QrBitmap& b = *r.bitmap;
    EXPECT_EQ(b.Side(), 29);
    EXPECT_EQ(b.DimensionX(), 29);
    EXPECT_EQ(b.DimensionY(), 29);
    EXPECT_EQ(b.Stride(), 4);
    for (int32_t y = 0; y < 29; ++y) {
        for (int32_t x = 0; x < 29; ++x) {
            if (x < 4 || x >= 25 || y < 4 || y >= 25) {
                EXPECT_FALSE(b.IsDark(x, y)) << x << "," << y;
            }
        }
        // Padding bits past pixel 28 are light too.
        EXPECT_EQ(b.Bits()[y * 4 + 3] & 0x07, 0x07) << y;
    }
}

TEST(Bitmap, TopLeftFinderOccupiesPixels4To10)
{
    const Rendered r = Render("01234567", 0, kLevelM);
    ASSERT_NE(r.bitmap, nullptr);
    for (int32_t y = 4; y <= 10; ++y) {
        for (int32_t x = 4; x <= 10; ++x) {
            const int32_t dx = x - 4, dy = y - 4;
            const bool lightRing = (dx >= 1 && dx <= 5 && dy >= 1 && dy <= 5) &&
                                   (dx == 1 || dx == 5 || dy == 1 || dy == 5);
            EXPECT_EQ(r.bitmap->IsDark(x, y), !lightRing) << x << "," << y;
        }
    }
    for (int32_t i = 4; i <= 11; ++i) {
        EXPECT_FALSE(r.bitmap->IsDark(11, i)) << i;  // separator column
        EXPECT_FALSE(r.bitmap->IsDark(i, 11)) << i;  // separator row
    }
}

TEST(Bitmap, PixelsAreTheModulesShiftedByTheQuietZone)
{
    for (int32_t version = 1; version <= kMaxVersion; ++version) {
        QrEncodeContext ctx = test::SymbolContext(version, 1 + version % 4, static_cast<uint32_t>(version));
        std::unique_ptr<QrBitmap> bitmap;
        ASSERT_EQ(RenderSymbol(ctx, bitmap), Status::kOk) << version;
        ASSERT_NE(bitmap, nullptr);
        const int32_t w = 4 * version + 17;
        ASSERT_EQ(bitmap->Side(), w + 8);
        EXPECT_EQ(bitmap->DimensionX(), w + 8);
        EXPECT_TRUE(bitmap->IsDark(8 + 4, w - 8 + 4)) << "dark module, version " << version;
        for (int32_t y = 0; y < w; ++y)
            for (int32_t x = 0; x < w; ++x)
                ASSERT_EQ(bitmap->IsDark(x + 4, y + 4), RasterIsDark(ctx, x, y)) << version << ": " << x << "," << y;
        for (int32_t y = 0; y < w + 8; ++y)
            for (int32_t x = w + 4; x < bitmap->Stride() * 8; ++x)
                ASSERT_TRUE((bitmap->Bits()[y * bitmap->Stride() + x / 8] >> (7 - x % 8)) & 1) << version;
    }
}

TEST(Bitmap, FormatInformationNamesTheChosenMask)
{
    const Rendered r = Render("01234567", 0, kLevelM);
    ASSERT_NE(r.bitmap, nullptr);
    const uint32_t word = FormatWord(kLevelM, r.ctx.maskChoice.mask);
    for (int32_t bit = 0; bit < 15; ++bit) {
        const QrModulePosition p = FormatPosition(0, bit, 21);
        EXPECT_EQ(r.bitmap->IsDark(p.x + 4, p.y + 4), ((word >> bit) & 1U) != 0) << bit;
    }
}

// "01234567" at 1-M as the engine draws it (its mask chosen by the engine's
// own penalty); read back by zxing-cpp when it was first recorded.
TEST(Bitmap, GoldenSymbol01234567At1M)
{
    const Rendered r = Render("01234567", 0, kLevelM);
    ASSERT_NE(r.bitmap, nullptr);
    const std::string golden =
        "#######.##.##.#######\n"
        "#.....#.#.#...#.....#\n"
        "#.###.#..##.#.#.###.#\n"
        "#.###.#.##....#.###.#\n"
        "#.###.#..##...#.###.#\n"
        "#.....#..##...#.....#\n"
        "#######.#.#.#.#######\n"
        "........##...........\n"
        "#.##.###..#...#..#.##\n"
        "...#.#.##.#.#..#.##..\n"
        "#..#.####...#####..#.\n"
        "##.#...#..#.##...#.#.\n"
        "...######..#.#..#....\n"
        "........###..#.#....#\n"
        "#######.#....##.#.##.\n"
        "#.....#.#.#####...#.#\n"
        "#.###.#..#.#..#.....#\n"
        "#.###.#.#.#..#..#.##.\n"
        "#.###.#.#.##.#..#.#..\n"
        "#.....#..#.##.#.##.##\n"
        "#######.#..##..#...#.\n";
    EXPECT_EQ(Art(*r.bitmap), golden) << Art(*r.bitmap);
}

TEST(Bitmap, AVersionOutsideTheTableRendersNothing)
{
    QrEncodeContext ctx = test::SymbolContext(1, kLevelL);
    ctx.symbol.version = 41;
    std::unique_ptr<QrBitmap> bitmap(new QrBitmap(1, new uint8_t[2]));
    EXPECT_EQ(RenderSymbol(ctx, bitmap), Status::kBadArgument);
    EXPECT_EQ(bitmap, nullptr);
}

TEST(Bitmap, AnUnknownErrorCorrectionCountRendersNothing)
{
    QrEncodeContext ctx = test::SymbolContext(1, kLevelL);
    ctx.blocks.ecCount[0] = 8;
    std::unique_ptr<QrBitmap> bitmap;
    EXPECT_EQ(RenderSymbol(ctx, bitmap), Status::kBadArgument);
    EXPECT_EQ(bitmap, nullptr);
}

}  // namespace
}  // namespace tavoqr
