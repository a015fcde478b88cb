#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "bitstream.h"
#include "capacity.h"
#include "encode.h"
#include "engine_test_util.h"

namespace tavoqr {
namespace {

using test::ContextFor;
using test::TestContext;

QrSymbolSpec Request(int32_t version, int32_t level)
{
    QrSymbolSpec request{};
    request.version = version;
    request.level = level;
    return request;
}

TEST(Choose, PicksTheSmallestVersionWhoseDataBitsReach)
{
    QrEncodeContext ctx;
    ASSERT_EQ(Choose(ctx, Request(0, kLevelM), 152), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 2);
    EXPECT_EQ(ctx.symbol.size, 25);
    EXPECT_EQ(ctx.symbol.dataCodewords, 28);
    ASSERT_EQ(Choose(ctx, Request(0, kLevelM), 128), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 1);
    ASSERT_EQ(Choose(ctx, Request(0, kLevelM), 129), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 2);
}

TEST(Choose, AFixedVersionMustHoldTheBits)
{
    QrEncodeContext ctx;
    EXPECT_EQ(Choose(ctx, Request(1, kLevelM), 152), Status::kDataTooLong);
    ASSERT_EQ(Choose(ctx, Request(3, kLevelM), 152), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 3);
    // The analysis' estimate takes the fixed version as it is.
    ASSERT_EQ(Estimate(ctx, Request(1, kLevelM), 152), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 1);
}

TEST(Choose, LevelZeroIsM)
{
    QrEncodeContext ctx;
    ASSERT_EQ(Choose(ctx, Request(0, 0), 152), Status::kOk);
    EXPECT_EQ(ctx.symbol.level, kLevelM);
    EXPECT_EQ(ctx.symbol.version, 2);
}

TEST(Choose, NothingFitsBeyondVersion40)
{
    QrEncodeContext ctx;
    EXPECT_EQ(Choose(ctx, Request(0, kLevelL), 2956 * 8 + 1), Status::kDataTooLong);
    EXPECT_EQ(Estimate(ctx, Request(5, kLevelL), 2956 * 8 + 1), Status::kDataTooLong);
    ASSERT_EQ(Choose(ctx, Request(0, kLevelL), 2956 * 8), Status::kOk);
    EXPECT_EQ(ctx.symbol.version, 40);
}

TEST(CapacityBits, IsTheFixedVersionsDataBits)
{
    EXPECT_EQ(CapacityBits(Request(1, kLevelM)), 128);
    EXPECT_EQ(CapacityBits(Request(15, kLevelH)), 223 * 8);
    EXPECT_EQ(CapacityBits(Request(2, 0)), 224);  // level 0 is M here too
    EXPECT_EQ(CapacityBits(Request(0, kLevelM)), Status::kBadArgument);
    EXPECT_EQ(CapacityBits(Request(41, kLevelM)), Status::kBadArgument);
}

TEST(Parity, IsTheExclusiveOrOfEveryByte)
{
    EXPECT_EQ(Parity(""), 0);
    EXPECT_EQ(Parity("A"), 'A');
    EXPECT_EQ(Parity("AB"), 'A' ^ 'B');
    EXPECT_EQ(Parity("\x88\x9F"), 0x88 ^ 0x9F);
}

std::vector<int32_t> QuotasFor(const std::string& text, int32_t symbolCount, int32_t version = 0,
                               int32_t level = kLevelM)
{
    TestContext ctx = ContextFor(text, version, level);
    EXPECT_EQ(PrepareSymbols(ctx, symbolCount), Status::kOk);
    return ctx.quotas;
}

TEST(Divide, FewCharactersAreDealtOutEvenlyFirstSymbolsFirst)
{
    EXPECT_EQ(QuotasFor("abcde", 3), (std::vector<int32_t>{2, 2, 1, 0}));
    EXPECT_EQ(QuotasFor("abcde", 4), (std::vector<int32_t>{2, 1, 1, 1, 0}));
    EXPECT_EQ(QuotasFor("ab", 2), (std::vector<int32_t>{1, 1, 0}));
}

TEST(Divide, HundredDigitsInTwoSymbols)
{
    TestContext ctx = ContextFor(std::string(100, '1'), 0, kLevelM);
    ASSERT_EQ(Analyse(ctx, 2), 348);
    ASSERT_EQ(Divide(ctx, 348 + 88, 2), Status::kOk);
    EXPECT_EQ(ctx.quotas, (std::vector<int32_t>{59, 41, 0}));
    EXPECT_EQ(ctx.overflowBits, 13);
}

TEST(Divide, TheFullestSymbolDecidesTheVersion)
{
    // The average, (348 + 88 + 13) / 2 = 224 bits, fits 2-M, but symbol 0
    // needs 20 + 4 + 10 + 197 = 231 bits: the symbols must be 3-M.
    TestContext ctx = ContextFor(std::string(100, '1'), 0, kLevelM);
    ASSERT_EQ(PrepareSymbols(ctx, 2), Status::kOk);
    EXPECT_EQ(LargestSymbolBits(ctx, 2, 2), 231);
    EXPECT_EQ(ctx.symbol.version, 3);
    EXPECT_EQ(ctx.symbol.level, kLevelM);
}

TEST(Divide, AFixedVersionTooSmallForTheFullestSymbolIsRefused)
{
    // At a fixed 2-M the first symbol's part of the digits overruns its 224 bits.
    TestContext ctx = ContextFor(std::string(100, '1'), 2, kLevelM);
    EXPECT_EQ(PrepareSymbols(ctx, 2), Status::kSplitImpossible);
    TestContext larger = ContextFor(std::string(100, '1'), 3, kLevelM);
    ASSERT_EQ(PrepareSymbols(larger, 2), Status::kOk);
    EXPECT_EQ(larger.symbol.version, 3);
}

TEST(Divide, FinalRuleLeavesOneCharacterForEachLaterSymbol)
{
    // Three symbols of a short alphanumeric text: the first takes all but two.
    TestContext ctx = ContextFor("ABCDEFGH", 0, kLevelM);
    ASSERT_EQ(PrepareSymbols(ctx, 3), Status::kOk);
    EXPECT_EQ(ctx.quotas, (std::vector<int32_t>{6, 1, 1, 0}));
}

TEST(Divide, ByteOnlyRetryDividesTheBytesAnew)
{
    // Kanji, digit, Kanji: three characters, 68 bits as segments, too many for
    // two 1-H symbols (72 bits each with headers). The byte-only retry fits,
    // and its quotas must count the five bytes, not the three characters.
    const std::string text =
        "\x88\x9F"
        "1"
        "\x88\xA0";
    TestContext ctx = ContextFor(text, 1, kLevelH);
    ASSERT_EQ(PrepareSymbols(ctx, 2), Status::kOk);
    EXPECT_TRUE(ctx.byteOnly);
    EXPECT_EQ(ctx.totalCharacters, 5);
    EXPECT_EQ(ctx.quotas, (std::vector<int32_t>{4, 1, 0}));
    EXPECT_EQ(ctx.symbol.version, 1);
}

TEST(Divide, TextWithFewerCharactersThanSymbolsIsRetriedByteByByte)
{
    TestContext two = ContextFor("ab", 0, kLevelM);
    EXPECT_EQ(PrepareSymbols(two, 3), Status::kSplitImpossible);
    TestContext kanji = ContextFor("\x88\x9F\x88\xA0", 0, kLevelM);
    ASSERT_EQ(PrepareSymbols(kanji, 3), Status::kOk);
    EXPECT_TRUE(kanji.byteOnly);
    EXPECT_EQ(kanji.quotas, (std::vector<int32_t>{2, 1, 1, 0}));
}

TEST(Divide, QuotasAlwaysCoverTheWholeText)
{
    TestContext ctx = ContextFor("HELLO WORLD 0123456789 hello world", 0, kLevelQ);
    for (int32_t n = 2; n <= 16; ++n) {
        ctx.byteOnly = false;
        ASSERT_EQ(PrepareSymbols(ctx, n), Status::kOk) << n;
        EXPECT_EQ(std::accumulate(ctx.quotas.begin(), ctx.quotas.end(), 0), ctx.totalCharacters) << n;
        EXPECT_EQ(ctx.quotas.back(), 0);
        EXPECT_EQ(static_cast<int32_t>(ctx.quotas.size()), n + 1);
    }
}

// Random texts of every kind, split or not, at every level: whenever the
// engine accepts a text, every symbol's content fits its data codewords, the
// count indicators agree with what is written, and every byte is written once.
TEST(Divide, EveryAcceptedTextIsWrittenWholeAndWithinCapacity)
{
    std::mt19937 random(20261208);
    const std::string kanji[] = {"\x88\x9F", "\x93\xFA", "\x96\x7B", "\xE4\xAA", "\x82\xA0", "\x83\x41"};
    int32_t accepted = 0;
    for (int iteration = 0; iteration < 1500; ++iteration) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(1, 500)(random);
        const int style = iteration % 5;
        while (static_cast<int>(text.size()) < length) {
            const int pick = style == 4 ? std::uniform_int_distribution<int>(0, 3)(random) : style;
            const int run = std::uniform_int_distribution<int>(1, 30)(random);
            for (int i = 0; i < run; ++i) {
                switch (pick) {
                case 0: text += static_cast<char>('0' + random() % 10); break;
                case 1: text += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[random() % 45]; break;
                case 2: text += static_cast<char>(0x20 + random() % 0x5F); break;
                default: text += kanji[random() % 6]; break;
                }
            }
        }
        const int32_t n = iteration % 3 == 0 ? 1 : std::uniform_int_distribution<int32_t>(2, 16)(random);
        const int32_t level = static_cast<int32_t>(random() % 5);
        const int32_t version = iteration % 4 == 0 ? std::uniform_int_distribution<int32_t>(1, 15)(random) : 0;
        TestContext ctx = ContextFor(text, version, level);
        if (PrepareSymbols(ctx, n) != Status::kOk)
            continue;
        ++accepted;
        SCOPED_TRACE(testing::Message() << "iteration " << iteration << ", N " << n << ", version " << version);
        ASSERT_LE(ctx.symbol.version, 15);
        const Result<int32_t> largest = LargestSymbolBits(ctx, n, ctx.symbol.version);
        ASSERT_EQ(largest.status, Status::kOk);
        ASSERT_LE(largest.value, ctx.symbol.dataCodewords * 8);
        ctx.blocks = MakeBlockLayout(ctx.symbol);
        ctx.blockStorage.assign(static_cast<size_t>(ctx.blocks.storageSize), 0);
        for (int32_t i = 0; i < n; ++i)
            ASSERT_EQ(WriteSymbolData(ctx, i, n), Status::kOk) << i;
        EXPECT_EQ(ctx.cursorSegment, static_cast<int32_t>(ctx.segments.size()));
        EXPECT_EQ(ctx.cursorCharacter, 0);
    }
    EXPECT_GT(accepted, 1000);
}

}  // namespace
}  // namespace tavoqr
