#include "masking.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "symbol_fixture.h"

namespace tavoqr {
namespace {

using test::ModuleAt;
using test::PlacedSymbol;

using Grid = std::vector<uint8_t>;  // module-map values, y * w + x

// The format positions written out as listed, bit 14 first.
std::vector<QrModulePosition> FirstCopy()
{
    return {{0, 8}, {1, 8}, {2, 8}, {3, 8}, {4, 8}, {5, 8}, {7, 8}, {8, 8},
            {8, 7}, {8, 5}, {8, 4}, {8, 3}, {8, 2}, {8, 1}, {8, 0}};
}
std::vector<QrModulePosition> SecondCopy(int32_t w)
{
    std::vector<QrModulePosition> p;
    for (int32_t i = 1; i <= 7; ++i)
        p.push_back({8, w - i});
    for (int32_t i = 8; i >= 1; --i)
        p.push_back({w - i, 8});
    return p;
}

// Format word by the BCH rule, as a test-side oracle.
uint32_t SlowFormatWord(int32_t level, int32_t mask)
{
    const uint32_t indicator[] = {0, 0b01, 0b00, 0b11, 0b10};
    const uint32_t data = (indicator[level] << 3) | static_cast<uint32_t>(mask);
    uint32_t r = data << 10;
    for (int bit = 14; bit >= 10; --bit)
        if (r & (1U << bit))
            r ^= 0b10100110111U << (bit - 10);
    return ((data << 10) | r) ^ 0b101010000010010U;
}

int Colour(uint8_t v) { return v == 1 || v == 3 ? 1 : 0; }

// The four terms exactly as the rules read, one module at a time.
QrPenalty ReferenceScore(const Grid& g, int32_t w)
{
    const auto at = [&](int32_t x, int32_t y) { return g[static_cast<size_t>(y * w + x)]; };
    QrPenalty p;
    int32_t dark = 0;
    for (int32_t y = 0; y < w; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            int32_t k = 0;
            const int own = at(x, y);  // a value; 2 and 3 never equal a colour
            const int dx[] = {-1, 1, 0, 0};
            const int dy[] = {0, 0, -1, 1};
            for (int n = 0; n < 4; ++n) {
                const int32_t nx = x + dx[n], ny = y + dy[n];
                if (nx >= 0 && ny >= 0 && nx < w && ny < w && Colour(at(nx, ny)) == own)
                    ++k;
            }
            p.adjacency += k - 5;
            dark += Colour(at(x, y));
        }
    }
    for (int32_t y = 0; y + 1 < w; ++y)
        for (int32_t x = 0; x + 1 < w; ++x) {
            const int c = Colour(at(x, y));
            if (Colour(at(x + 1, y)) == c && Colour(at(x, y + 1)) == c && Colour(at(x + 1, y + 1)) == c)
                p.blocks += 3;
        }
    const int run[7] = {1, 0, 1, 1, 1, 0, 1};
    for (int32_t a = 0; a < w; ++a) {
        for (int32_t start = 0; start <= w - 8; ++start) {
            bool row = true, column = true;
            for (int32_t i = 0; i < 7; ++i) {
                row = row && Colour(at(start + i, a)) == run[i];
                column = column && Colour(at(a, start + i)) == run[i];
            }
            p.finderLike += (row ? 40 : 0) + (column ? 40 : 0);
        }
    }
    const int32_t percent = 100 * dark / (w * w);
    p.darkRatio = percent >= 50 ? 10 * (percent - 55) : 10 * (45 - percent);
    return p;
}

// The candidate of a mask built step by step from the module map.
Grid ReferenceCandidate(const QrEncodeContext& ctx, int32_t mask)
{
    const int32_t w = ctx.side;
    Grid g = ctx.moduleMap;
    for (int32_t y = 0; y < w; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint8_t& v = g[static_cast<size_t>(y * w + x)];
            if (v < 2 && MaskCondition(mask, x, y))
                v ^= 1;
        }
    const uint32_t word = SlowFormatWord(ctx.symbol.level, mask);
    const auto first = FirstCopy();
    const auto second = SecondCopy(w);
    for (int32_t i = 0; i < 15; ++i) {
        const uint8_t v = ((word >> (14 - i)) & 1U) ? 3 : 2;
        g[static_cast<size_t>(first[static_cast<size_t>(i)].y * w + first[static_cast<size_t>(i)].x)] = v;
        g[static_cast<size_t>(second[static_cast<size_t>(i)].y * w + second[static_cast<size_t>(i)].x)] = v;
    }
    g[static_cast<size_t>((w - 8) * w + 8)] = 3;
    return g;
}

Grid Uniform(int32_t w, uint8_t v) { return Grid(static_cast<size_t>(w * w), v); }

TEST(Format, WordsOfTheStandard)
{
    EXPECT_EQ(FormatWord(kLevelL, 0), 0b111011111000100U);
    EXPECT_EQ(FormatWord(kLevelM, 0), 0b101010000010010U);  // parity 0000000000 before the XOR
    for (int32_t level = kLevelL; level <= kLevelH; ++level)
        for (int32_t mask = 0; mask < kMaskCount; ++mask)
            EXPECT_EQ(FormatWord(level, mask), SlowFormatWord(level, mask)) << level << "/" << mask;
    EXPECT_EQ(FormatWord(0, 0), 0U);
    EXPECT_EQ(FormatWord(5, 0), 0U);
    EXPECT_EQ(FormatWord(kLevelL, 8), 0U);
    EXPECT_EQ(FormatWord(kLevelL, -1), 0U);
}

TEST(Format, PositionsAreTheListedModules)
{
    for (const int32_t w : {21, 45, 77}) {
        const auto first = FirstCopy();
        const auto second = SecondCopy(w);
        for (int32_t bit = 0; bit < 15; ++bit) {
            const QrModulePosition a = FormatPosition(0, bit, w);
            const QrModulePosition b = FormatPosition(1, bit, w);
            EXPECT_EQ(a.x, first[static_cast<size_t>(14 - bit)].x) << bit;
            EXPECT_EQ(a.y, first[static_cast<size_t>(14 - bit)].y) << bit;
            EXPECT_EQ(b.x, second[static_cast<size_t>(14 - bit)].x) << bit;
            EXPECT_EQ(b.y, second[static_cast<size_t>(14 - bit)].y) << bit;
            // The timing modules (6, 8) and (8, 6) are skipped.
            EXPECT_FALSE(a.x == 6 && a.y == 8);
            EXPECT_FALSE(a.x == 8 && a.y == 6);
        }
    }
}

TEST(Format, WrittenInBothCopies)
{
    for (const auto& [level, mask] : {std::pair{kLevelL, 0}, std::pair{kLevelM, 5}, std::pair{kLevelH, 7}}) {
        QrEncodeContext ctx = test::SymbolContext(1, level);
        ASSERT_EQ(ClearRaster(ctx), Status::kOk);
        ASSERT_EQ(BuildFunctionPatterns(ctx), Status::kOk);
        ctx.maskChoice.mask = mask;
        ASSERT_EQ(WriteFormatInformation(ctx), Status::kOk);
        const uint32_t word = SlowFormatWord(level, mask);
        const auto first = FirstCopy();
        const auto second = SecondCopy(21);
        for (int32_t i = 0; i < 15; ++i) {
            const bool dark = ((word >> (14 - i)) & 1U) != 0;
            const QrModulePosition a = first[static_cast<size_t>(i)];
            const QrModulePosition b = second[static_cast<size_t>(i)];
            EXPECT_EQ(RasterIsDark(ctx, a.x, a.y), dark) << level << "/" << mask << " bit " << 14 - i;
            EXPECT_EQ(RasterIsDark(ctx, b.x, b.y), dark) << level << "/" << mask << " bit " << 14 - i;
        }
        EXPECT_TRUE(RasterIsDark(ctx, 8, 13));  // the dark module stays dark
    }
}

TEST(Format, RefusesAMaskOrLevelOutOfRange)
{
    QrEncodeContext ctx = PlacedSymbol(1, kLevelL);
    ctx.maskChoice.mask = 8;
    EXPECT_EQ(WriteFormatInformation(ctx), Status::kBadArgument);
    EXPECT_EQ(ApplyMask(ctx), Status::kBadArgument);
    ctx.maskChoice.mask = 0;
    ctx.symbol.level = 5;
    EXPECT_EQ(WriteFormatInformation(ctx), Status::kBadArgument);
    std::array<int32_t, kMaskCount> scores{};
    EXPECT_EQ(ScoreMasks(ctx, scores), Status::kBadArgument);
}

TEST(Penalty, AgreesWithTheRulesOnRandomGrids)
{
    std::mt19937 rng(99);
    for (const int32_t w : {21, 25, 57, 61, 63, 65, 69, 77, 125, 129, 133, 177}) {
        for (int round = 0; round < 4; ++round) {
            Grid g(static_cast<size_t>(w * w));
            // Mostly data with some function modules, and stretches of runs.
            for (uint8_t& v : g)
                v = static_cast<uint8_t>(rng() % 8 == 0 ? 2 + rng() % 2 : rng() % 2);
            if (round == 1)
                for (size_t i = 0; i < g.size(); ++i)
                    g[i] = static_cast<uint8_t>((i * 7 / 5) % 3 == 0);
            const QrPenalty want = ReferenceScore(g, w);
            const QrPenalty got = ScoreCandidate(g, w);
            EXPECT_EQ(got.adjacency, want.adjacency) << w;
            EXPECT_EQ(got.blocks, want.blocks) << w;
            EXPECT_EQ(got.finderLike, want.finderLike) << w;
            EXPECT_EQ(got.darkRatio, want.darkRatio) << w;
        }
    }
}

TEST(Penalty, AdjacencyCountsOnlyFromDataModules)
{
    const int32_t w = 21;
    Grid g = Uniform(w, 2);
    EXPECT_EQ(ScoreCandidate(g, w).adjacency, -5 * w * w);  // function modules have k = 0
    g[10 * w + 10] = 0;                                     // light data among light: k = 4
    EXPECT_EQ(ScoreCandidate(g, w).adjacency, -5 * w * w + 4);
    g[0] = 0;  // corner: two neighbours inside
    EXPECT_EQ(ScoreCandidate(g, w).adjacency, -5 * w * w + 6);
    g[10 * w + 10] = 1;  // dark data among light: k = 0
    EXPECT_EQ(ScoreCandidate(g, w).adjacency, -5 * w * w + 2);
}

TEST(Penalty, OverlappingBlocksCountSeparately)
{
    const int32_t w = 21;
    EXPECT_EQ(ScoreCandidate(Uniform(w, 0), w).blocks, 3 * 20 * 20);
    Grid g = Uniform(w, 2);
    for (size_t i = 0; i < g.size(); ++i)
        g[i] = static_cast<uint8_t>(2 + (i % 2));  // w odd: a checkerboard
    EXPECT_EQ(ScoreCandidate(g, w).blocks, 0);
}

TEST(Penalty, DarkRatioIsMinus50AtExactlyHalf)
{
    const int32_t w = 21;  // 441 modules: 221 dark is 50 %, 220 is 49 %
    for (const auto& [dark, want] : {std::pair{221, -50}, std::pair{224, -50}, std::pair{220, -40}, std::pair{225, -40},
                                     std::pair{0, 450}, std::pair{441, 450}}) {
        Grid g = Uniform(w, 2);
        for (int32_t i = 0; i < dark; ++i)
            g[static_cast<size_t>(i)] = 3;
        EXPECT_EQ(ScoreCandidate(g, w).darkRatio, want) << dark;
    }
}

TEST(Penalty, FinderLikeRunInTheLastColumnIsNotCounted)
{
    const int32_t w = 21;
    const int run[7] = {1, 0, 1, 1, 1, 0, 1};
    const auto rowWithRunAt = [&](int32_t start) {
        Grid g = Uniform(w, 2);
        for (int32_t i = 0; i < 7; ++i)
            g[static_cast<size_t>(10 * w + start + i)] = static_cast<uint8_t>(2 + run[i]);
        return g;
    };
    const auto columnWithRunAt = [&](int32_t start) {
        Grid g = Uniform(w, 2);
        for (int32_t i = 0; i < 7; ++i)
            g[static_cast<size_t>((start + i) * w + 10)] = static_cast<uint8_t>(2 + run[i]);
        return g;
    };
    EXPECT_EQ(ScoreCandidate(rowWithRunAt(w - 7), w).finderLike, 0);  // ends in the last column
    EXPECT_EQ(ScoreCandidate(rowWithRunAt(w - 8), w).finderLike, 40);
    EXPECT_EQ(ScoreCandidate(rowWithRunAt(0), w).finderLike, 40);
    EXPECT_EQ(ScoreCandidate(columnWithRunAt(w - 7), w).finderLike, 0);  // ends in the last row
    EXPECT_EQ(ScoreCandidate(columnWithRunAt(w - 8), w).finderLike, 40);
    EXPECT_EQ(ScoreCandidate(columnWithRunAt(0), w).finderLike, 40);
}

TEST(MaskChoice, ScoresAgreeWithTheRulesOnRealSymbols)
{
    for (int32_t v = 1; v <= kMaxVersion; v += (v < 16 ? 1 : 6)) {
        for (int32_t level = kLevelL; level <= kLevelH; ++level) {
            QrEncodeContext ctx = PlacedSymbol(v, level, static_cast<uint32_t>(v * 10 + level));
            std::array<int32_t, kMaskCount> scores{};
            ASSERT_EQ(ScoreMasks(ctx, scores), Status::kOk);
            for (int32_t m = 0; m < kMaskCount; ++m) {
                EXPECT_EQ(scores[static_cast<size_t>(m)], ReferenceScore(ReferenceCandidate(ctx, m), ctx.side).Total())
                    << v << "-" << level << " mask " << m;
            }
        }
    }
}

TEST(MaskChoice, LowestScoreWinsAndTiesGoToTheLowestMask)
{
    int32_t ties = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        QrEncodeContext ctx = PlacedSymbol(1 + static_cast<int32_t>(seed % 3), kLevelL, seed);
        std::array<int32_t, kMaskCount> scores{};
        ASSERT_EQ(ScoreMasks(ctx, scores), Status::kOk);
        int32_t first = 0, count = 0;
        for (int32_t m = 0; m < kMaskCount; ++m) {
            if (scores[static_cast<size_t>(m)] < scores[static_cast<size_t>(first)])
                first = m;
        }
        for (const int32_t s : scores)
            count += s == scores[static_cast<size_t>(first)] ? 1 : 0;
        ASSERT_EQ(ChooseMask(ctx), Status::kOk);
        EXPECT_EQ(ctx.maskChoice.mask, first) << seed;
        EXPECT_EQ(ctx.maskChoice.score, scores[static_cast<size_t>(first)]);
        if (count > 1)
            ++ties;
    }
    EXPECT_GT(ties, 0) << "no symbol with two best masks was met";
}

TEST(MaskChoice, ApplyTogglesExactlyTheDataModulesOfTheMask)
{
    for (const int32_t v : {1, 7, 15, 40}) {
        QrEncodeContext ctx = PlacedSymbol(v, kLevelQ, 3);
        ASSERT_EQ(ChooseMask(ctx), Status::kOk);
        const QrEncodeContext before = ctx;
        ASSERT_EQ(ApplyMask(ctx), Status::kOk);
        const int32_t m = ctx.maskChoice.mask;
        for (int32_t y = 0; y < ctx.side; ++y)
            for (int32_t x = 0; x < ctx.side; ++x) {
                const bool toggled = ModuleAt(ctx, x, y) < 2 && MaskCondition(m, x, y);
                ASSERT_EQ(RasterIsDark(ctx, x, y), RasterIsDark(before, x, y) != toggled) << v << ": " << x << "," << y;
            }
        // Padding bits of the raster stay light.
        for (int32_t y = 0; y < ctx.side; ++y)
            for (int32_t x = ctx.side; x < ctx.rasterStride * 8; ++x)
                ASSERT_TRUE((ctx.raster[static_cast<size_t>(y * ctx.rasterStride + x / 8)] >> (7 - x % 8)) & 1);
    }
}

TEST(MaskChoice, ApplyNeedsTheChoiceFirst)
{
    QrEncodeContext ctx = PlacedSymbol(1, kLevelL);
    ctx.maskChoice.mask = 0;
    EXPECT_EQ(ApplyMask(ctx), Status::kBadArgument);
}

}  // namespace
}  // namespace tavoqr
