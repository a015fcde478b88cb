#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bitstream.h"
#include "encode.h"
#include "engine_test_util.h"

namespace tavoqr {
namespace {

using test::Bits;
using test::ContextFor;
using test::TestContext;
using test::Padded;

// Prepares the symbols of ctx for N symbols and lays out their blocks.
void Prepare(QrEncodeContext& ctx, int32_t symbolCount = 1)
{
    ASSERT_EQ(PrepareSymbols(ctx, symbolCount), Status::kOk);
    ctx.blocks = MakeBlockLayout(ctx.symbol);
    ctx.blockStorage.assign(static_cast<size_t>(ctx.blocks.storageSize), 0xAA);
}

std::vector<uint8_t> Block(const QrEncodeContext& ctx, int32_t b)
{
    const uint8_t* start = ctx.blockStorage.data() + ctx.blocks.offset[b];
    return {start, start + ctx.blocks.dataCount[b]};
}

TEST(Writer, StandardExample01234567At1M)
{
    const std::string text = "01234567";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    const std::vector<uint8_t> want = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                       0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    EXPECT_EQ(ctx.dataCodewords, want);
    ASSERT_EQ(ctx.blocks.count, 1);
    EXPECT_EQ(Block(ctx, 0), want);
    // The rest of the block buffer is zero for the error correction codewords.
    for (int32_t i = 16; i < 16 + 10 + 1; ++i)
        EXPECT_EQ(ctx.blockStorage[static_cast<size_t>(i)], 0) << i;
}

TEST(Writer, KanjiIsCompactedToThirteenBits)
{
    const std::string text = "\x88\x9F";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    // 0x889F - 0x8140 = 0x075F; 0x07 * 0xC0 + 0x5F = 0x059F.
    const Bits bits = Bits().Put(8, 4).Put(1, 8).Put(0x059F, 13).Put(0, 4);
    EXPECT_EQ(ctx.dataCodewords, Padded(bits.Bytes(), 16));
}

TEST(Writer, UpperKanjiRangeSubtractsC140)
{
    const std::string text = "\xE4\xAA";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    // 0xE4AA - 0xC140 = 0x236A; 0x23 * 0xC0 + 0x6A = 0x1AAA.
    const Bits bits = Bits().Put(8, 4).Put(1, 8).Put(0x1AAA, 13).Put(0, 4);
    EXPECT_EQ(ctx.dataCodewords, Padded(bits.Bytes(), 16));
}

TEST(Writer, AlphanumericPairsAndASingleLastCharacter)
{
    const std::string text = "AC-42";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    const Bits bits = Bits().Put(2, 4).Put(5, 9).Put(10 * 45 + 12, 11).Put(41 * 45 + 4, 11).Put(2, 6).Put(0, 4);
    EXPECT_EQ(ctx.dataCodewords, Padded(bits.Bytes(), 16));
}

TEST(Writer, MixedSegmentsEachGetTheirIndicators)
{
    const std::string text =
        "\x88\x9F"
        "12345678"
        "abc";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    const Bits bits = Bits()
                          .Put(8, 4)
                          .Put(1, 8)
                          .Put(0x059F, 13)
                          .Put(1, 4)
                          .Put(8, 10)
                          .Put(123, 10)
                          .Put(456, 10)
                          .Put(78, 7)
                          .Put(4, 4)
                          .Put(3, 8)
                          .Put('a', 8)
                          .Put('b', 8)
                          .Put('c', 8)
                          .Put(0, 4);
    EXPECT_EQ(ctx.dataCodewords, Padded(bits.Bytes(), 16));
}

TEST(Writer, DataEndingAtTheCapacityHasNoTerminatorAndNoPads)
{
    // 34 digits: 4 + 10 + 114 = 128 bits, all of 1-M.
    const std::string text = std::string(34, '9');
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(ctx.symbol.version, 1);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    Bits bits = Bits().Put(1, 4).Put(34, 10);
    for (int i = 0; i < 11; ++i)
        bits.Put(999, 10);
    bits.Put(9, 4);
    ASSERT_EQ(bits.size(), 128u);
    EXPECT_EQ(ctx.dataCodewords, bits.Bytes());
}

TEST(Writer, DataEndingTwoBitsShortGetsTwoTerminatorBits)
{
    // Byte(5) + numeric(18): 12 + 40 + 14 + 60 = 126 bits of 1-M's 128.
    const std::string text = "abcde" + std::string(18, '0');
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ASSERT_EQ(ctx.symbol.version, 1);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    Bits bits = Bits().Put(4, 4).Put(5, 8);
    for (char c : std::string("abcde"))
        bits.Put(static_cast<uint8_t>(c), 8);
    bits.Put(1, 4).Put(18, 10);
    for (int i = 0; i < 6; ++i)
        bits.Put(0, 10);
    bits.Put(0, 2);
    ASSERT_EQ(bits.size(), 128u);
    EXPECT_EQ(ctx.dataCodewords, bits.Bytes());
}

TEST(Writer, PadCodewordsAlternateAcrossBlocks)
{
    // 3-Q has two blocks of 17 data codewords. Twelve bytes take 14 codewords
    // with the terminator, so block 0 ends with three pads and block 1 goes on.
    const std::string text = "abcdefghijkl";
    TestContext ctx = ContextFor(text, 3, kLevelQ);
    Prepare(ctx);
    ASSERT_EQ(ctx.blocks.count, 2);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    const std::vector<uint8_t> block0 = Block(ctx, 0);
    const std::vector<uint8_t> block1 = Block(ctx, 1);
    EXPECT_EQ(std::vector<uint8_t>(block0.begin() + 14, block0.end()), (std::vector<uint8_t>{0xEC, 0x11, 0xEC}));
    EXPECT_EQ(block1[0], 0x11);
    EXPECT_EQ(block1[1], 0xEC);
    EXPECT_EQ(block1[16], 0x11);
}

TEST(Writer, BlocksAreFilledInOrderAndZeroBeyondTheirData)
{
    // 5-Q: 2 blocks of 15 and 2 of 16 data codewords, 18 EC codewords each.
    const std::string text(60, 'z');
    TestContext ctx = ContextFor(text, 5, kLevelQ);
    Prepare(ctx);
    ASSERT_EQ(WriteSymbolData(ctx, 0, 1), Status::kOk);
    ASSERT_EQ(ctx.blocks.count, 4);
    EXPECT_EQ(ctx.blocks.kmax, 16);
    std::vector<uint8_t> joined;
    for (int32_t b = 0; b < 4; ++b) {
        const std::vector<uint8_t> data = Block(ctx, b);
        joined.insert(joined.end(), data.begin(), data.end());
        const int32_t end = ctx.blocks.offset[b] + ctx.blocks.dataCount[b] + ctx.blocks.ecCount[b] + 1;
        for (int32_t i = ctx.blocks.offset[b] + ctx.blocks.dataCount[b]; i < end; ++i)
            EXPECT_EQ(ctx.blockStorage[static_cast<size_t>(i)], 0);
    }
    EXPECT_EQ(joined, ctx.dataCodewords);
    EXPECT_EQ(ctx.blocks.storageSize, 2 * (15 + 18 + 1) + 2 * (16 + 18 + 1));
}

TEST(Writer, StructuredAppendHeaderCarriesIndexCountAndParity)
{
    const std::string text = "ABCDEFGHIJ";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx, 3);
    ctx.parity = 0x5A;
    for (int32_t i = 0; i < 3; ++i) {
        ASSERT_EQ(WriteSymbolData(ctx, i, 3), Status::kOk);
        Bits header = Bits().Put(3, 4).Put(static_cast<uint32_t>(i), 4).Put(2, 4).Put(0x5A, 8);
        const std::vector<uint8_t> want = header.Bytes();
        EXPECT_EQ(ctx.dataCodewords[0], want[0]);
        EXPECT_EQ(ctx.dataCodewords[1], want[1]);
        EXPECT_EQ(ctx.dataCodewords[2] & 0xF0, want[2] & 0xF0);
    }
}

// Reads the count indicators of the symbol's segment parts back from its data
// codewords (header skipped), to check them against the quotas.
std::vector<std::pair<int32_t, int32_t>> ReadParts(const std::vector<uint8_t>& codewords, int32_t version, bool header)
{
    size_t pos = header ? 20 : 0;
    auto read = [&](int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i, ++pos)
            v = (v << 1) | ((codewords[pos / 8] >> (7 - pos % 8)) & 1U);
        return static_cast<int32_t>(v);
    };
    std::vector<std::pair<int32_t, int32_t>> parts;
    while (pos + 4 <= codewords.size() * 8) {
        const int32_t mode = read(4);
        if (mode == 0)
            break;
        const int32_t count = read(CountIndicatorWidth(mode, version).value);
        parts.emplace_back(mode, count);
        pos += static_cast<size_t>(DataBits(mode, count));
    }
    return parts;
}

TEST(Writer, SplitSymbolsCarryExactlyTheirQuotas)
{
    const std::string text = std::string(100, '4');
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx, 2);
    ASSERT_EQ(ctx.quotas, (std::vector<int32_t>{59, 41, 0}));
    ASSERT_EQ(WriteSymbolData(ctx, 0, 2), Status::kOk);
    EXPECT_EQ(ReadParts(ctx.dataCodewords, ctx.symbol.version, true),
              (std::vector<std::pair<int32_t, int32_t>>{{1, 59}}));
    ASSERT_EQ(WriteSymbolData(ctx, 1, 2), Status::kOk);
    EXPECT_EQ(ReadParts(ctx.dataCodewords, ctx.symbol.version, true),
              (std::vector<std::pair<int32_t, int32_t>>{{1, 41}}));
}

TEST(Writer, ASegmentCrossingASymbolBoundaryOpensTheNextSymbolWithItsOwnIndicators)
{
    const std::string text = "ABCDEFGHIJKLMNOP" + std::string(40, '8') + "xyz";
    TestContext ctx = ContextFor(text, 0, kLevelL);
    Prepare(ctx, 3);
    int32_t written = 0;
    for (int32_t i = 0; i < 3; ++i) {
        ASSERT_EQ(WriteSymbolData(ctx, i, 3), Status::kOk);
        int32_t characters = 0;
        for (const auto& [mode, count] : ReadParts(ctx.dataCodewords, ctx.symbol.version, true))
            characters += count;
        EXPECT_EQ(characters, ctx.quotas[static_cast<size_t>(i)]) << i;
        written += characters;
    }
    EXPECT_EQ(written, static_cast<int32_t>(text.size()));
}

TEST(Writer, RejectsACorruptedSegmentList)
{
    const std::string text = "ABC";
    TestContext ctx = ContextFor(text, 0, kLevelM);
    Prepare(ctx);
    ctx.segments[0].mode = 5;
    EXPECT_EQ(WriteSymbolData(ctx, 0, 1), Status::kBadArgument);
    ctx.segments[0].mode = kModeAlphanumeric;
    ctx.cursorSegment = 0;
    const std::string lower = "aBC";
    ctx.text = reinterpret_cast<const uint8_t*>(lower.c_str());
    EXPECT_EQ(WriteSymbolData(ctx, 0, 1), Status::kLookupFailed);
}

}  // namespace
}  // namespace tavoqr
