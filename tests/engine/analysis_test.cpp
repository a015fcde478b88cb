#include <gtest/gtest.h>

#include <string>

#include "bitstream.h"
#include "engine_test_util.h"

namespace tavoqr {
namespace {

using test::ContextFor;
using test::TestContext;
using test::SegmentShape;

// Analyses `text` for one symbol with the request (version, level) and
// returns the bit length or the failure; the segments stay in ctx.
Result<int32_t> AnalyseText(QrEncodeContext& ctx, int32_t symbolCount = 1) { return Analyse(ctx, symbolCount); }

TEST(Analysis, TenDigitsAreOneNumericSegment)
{
    const std::string text = "0123456789";
    TestContext ctx = ContextFor(text);
    EXPECT_EQ(AnalyseText(ctx), 4 + 10 + 3 * 10 + 4);
    EXPECT_EQ(SegmentShape(ctx), "1:10");
    EXPECT_EQ(ctx.totalCharacters, 10);
    EXPECT_EQ(ctx.symbol.version, 1);
}

TEST(Analysis, ShortDigitsAfterLettersJoinTheAlphanumericSegment)
{
    const std::string text = "AB12";
    TestContext ctx = ContextFor(text);
    EXPECT_EQ(AnalyseText(ctx), 4 + 9 + 22);
    EXPECT_EQ(SegmentShape(ctx), "2:4");
}

TEST(Analysis, LowerCaseLettersAreBytes)
{
    const std::string text = "abc";
    TestContext ctx = ContextFor(text);
    EXPECT_EQ(AnalyseText(ctx), 36);
    EXPECT_EQ(SegmentShape(ctx), "4:3");
}

TEST(Analysis, TwoDigitsBeforeALetterBecomeBytes)
{
    const std::string text = "12a";
    TestContext ctx = ContextFor(text);
    EXPECT_EQ(AnalyseText(ctx), 36);
    EXPECT_EQ(SegmentShape(ctx), "4:3");
}

TEST(Analysis, TwentyDigitsAfterLettersStayNumericInEveryRange)
{
    for (int32_t version : {1, 10, 27}) {
        const std::string text = "AB" + std::string(20, '7');
        TestContext ctx = ContextFor(text, version, 1);
        const Result<int32_t> bits = AnalyseText(ctx);
        ASSERT_EQ(bits.status, Status::kOk) << version;
        ASSERT_GT(bits.value, 0) << version;
        EXPECT_EQ(SegmentShape(ctx), "2:2 1:20") << version;
    }
}

TEST(Analysis, ShiftJisKanjiIsOneKanjiCharacter)
{
    const std::string text = "\x88\x9F";
    TestContext ctx = ContextFor(text);
    EXPECT_EQ(AnalyseText(ctx), 4 + 8 + 13);
    EXPECT_EQ(SegmentShape(ctx), "8:1");
    EXPECT_EQ(ctx.totalCharacters, 1);
}

TEST(Analysis, DoubleByteCharactersOutsideTheKanjiRangesAreBytes)
{
    // Lead bytes above 0xEB: the lead byte is a byte, the trail byte is classified alone.
    TestContext f0 = ContextFor("\xF0\x9F");
    EXPECT_EQ(AnalyseText(f0), 4 + 8 + 16);
    EXPECT_EQ(SegmentShape(f0), "4:2");
    // 0xEBC0..0xEBFC would need more than 13 bits as Kanji.
    TestContext ebc0 = ContextFor("\xEB\xC0");
    AnalyseText(ebc0);
    EXPECT_EQ(SegmentShape(ebc0), "4:2");
    TestContext ebfc = ContextFor("\xEB\xFC");
    AnalyseText(ebfc);
    EXPECT_EQ(SegmentShape(ebfc), "4:2");
    TestContext ebbf = ContextFor("\xEB\xBF");
    AnalyseText(ebbf);
    EXPECT_EQ(SegmentShape(ebbf), "8:1");
    TestContext e040 = ContextFor("\xE0\x40");
    AnalyseText(e040);
    EXPECT_EQ(SegmentShape(e040), "8:1");
}

TEST(Analysis, LeadByteWithoutTrailByteIsAByteAndTheNextCharacterStandsAlone)
{
    TestContext ctx = ContextFor(
        "\x81"
        "0123456789012");
    AnalyseText(ctx);
    EXPECT_EQ(SegmentShape(ctx), "4:1 1:13");
    TestContext last = ContextFor("\x88");
    AnalyseText(last);
    EXPECT_EQ(SegmentShape(last), "4:1");
}

TEST(Analysis, TrailByteAfterAnUpperLeadIsClassifiedAlone)
{
    // 0xF0 0x41: the lead is a byte, 'A' is alphanumeric, and a lone 'A'
    // after a byte run merges back into bytes.
    TestContext ctx = ContextFor(
        "\xF0"
        "A");
    AnalyseText(ctx);
    EXPECT_EQ(SegmentShape(ctx), "4:2");
}

TEST(Analysis, KanjiRunsKeepFollowingDigitsAndLettersInTheirOwnMode)
{
    TestContext ctx = ContextFor(
        "\x88\x9F"
        "12"
        "\x88\xA0"
        "AB");
    AnalyseText(ctx);
    EXPECT_EQ(SegmentShape(ctx), "8:1 1:2 8:1 2:2");
}

TEST(Analysis, ByteOnlyMakesEveryByteAByte)
{
    TestContext ctx = ContextFor(
        "\x88\x9F"
        "123ABC");
    ctx.byteOnly = true;
    EXPECT_EQ(AnalyseText(ctx), 4 + 8 + 8 * 8);
    EXPECT_EQ(SegmentShape(ctx), "4:8");
    EXPECT_EQ(ctx.totalCharacters, 8);
}

// Each merge rule on both sides of its threshold, in each version range.
struct MergeCase {
    const char* rule;
    std::string before, run, after;  // the run under test is `run` repeated
    int32_t thresholds[3];           // versions 1-9, 10-26, 27-40
    const char* merged;              // shape when the run is one shorter than the threshold
    const char* kept;                // shape when the run reaches the threshold
};

TEST(Analysis, MergeThresholdsHoldOnBothSidesInEveryVersionRange)
{
    const MergeCase cases[] = {
        {"first numeric before byte", "", "5", "a", {4, 4, 5}, "4:*+1", "1:* 4:1"},
        {"first numeric before alphanumeric", "", "5", "A", {7, 8, 9}, "2:*+1", "1:* 2:1"},
        {"first alphanumeric before byte", "", "Q", "a", {6, 7, 8}, "4:*+1", "2:* 4:1"},
        {"numeric after byte", "a", "5", "", {6, 8, 9}, "4:1+*", "4:1 1:*"},
        {"numeric after alphanumeric", "A", "5", "", {13, 15, 17}, "2:1+*", "2:1 1:*"},
        {"alphanumeric after byte", "a", "Q", "", {11, 15, 16}, "4:1+*", "4:1 2:*"},
    };
    const int32_t versions[3] = {1, 10, 27};
    for (const MergeCase& c : cases) {
        for (int range = 0; range < 3; ++range) {
            for (int32_t length : {c.thresholds[range] - 1, c.thresholds[range]}) {
                std::string text = c.before;
                for (int32_t i = 0; i < length; ++i)
                    text += c.run;
                text += c.after;
                TestContext ctx = ContextFor(text, versions[range], 1);
                const Result<int32_t> bits = AnalyseText(ctx);
                ASSERT_EQ(bits.status, Status::kOk);
                ASSERT_GT(bits.value, 0);
                const bool merged = length < c.thresholds[range];
                std::string want = merged ? c.merged : c.kept;
                const std::string n = std::to_string(length);
                if (const auto star = want.find("*+1"); star != std::string::npos)
                    want.replace(star, 3, std::to_string(length + 1));
                if (const auto star = want.find("1+*"); star != std::string::npos)
                    want.replace(star, 3, std::to_string(length + 1));
                if (const auto star = want.find('*'); star != std::string::npos)
                    want.replace(star, 1, n);
                EXPECT_EQ(SegmentShape(ctx), want)
                    << c.rule << ", version " << versions[range] << ", length " << length;
            }
        }
    }
}

TEST(Analysis, FirstEstimateUsesTheWidestCountIndicators)
{
    // 432 digits need 1458 bits with 14-bit counts (more than 9-M's 1456), so
    // the analysis starts at version 10; with 10-bit counts they fit 9.
    TestContext ctx = ContextFor(std::string(432, '3'));
    EXPECT_EQ(AnalyseText(ctx), 4 + 10 + 1440);
    EXPECT_EQ(ctx.symbol.version, 9);
}

TEST(Analysis, RefinementRecountsWithTheSmallerRangeWhenItFits)
{
    // 180 bytes: 1460 bits with 16-bit counts (version 10), 1452 with 8-bit
    // counts, which fit 9-M.
    TestContext ctx = ContextFor(std::string(180, 'x'));
    EXPECT_EQ(AnalyseText(ctx), 4 + 8 + 1440);
    EXPECT_EQ(ctx.symbol.version, 9);
}

TEST(Analysis, RefinementKeepsTheLargerRangeWhenTheSmallerDoesNotFit)
{
    TestContext ctx = ContextFor(std::string(200, 'x'));
    EXPECT_EQ(AnalyseText(ctx), 4 + 16 + 1600);
    EXPECT_EQ(ctx.symbol.version, 10);
    EXPECT_EQ(ctx.segments[0].bitLength, 4 + 16 + 1600);
}

TEST(Analysis, StructuredAppendNeedsAtLeastOneCharacterPerSymbol)
{
    TestContext two = ContextFor("ab");
    EXPECT_EQ(AnalyseText(two, 3), Status::kSplitImpossible);
    // Two Kanji characters are four bytes, enough for three symbols byte by byte.
    TestContext kanji = ContextFor("\x88\x9F\x88\xA0");
    EXPECT_EQ(AnalyseText(kanji, 3), Status::kSplitImpossible);
    kanji.byteOnly = true;
    EXPECT_EQ(AnalyseText(kanji, 3), 4 + 8 + 32);
    EXPECT_EQ(kanji.totalCharacters, 4);
}

TEST(Analysis, StructuredAppendEstimateAllowsFortyFourBitsPerSymbol)
{
    // 100 digits in two symbols: (352 + 88) / 2 = 220 bits fit 2-M.
    TestContext ctx = ContextFor(std::string(100, '1'));
    EXPECT_EQ(AnalyseText(ctx, 2), 348);
    EXPECT_EQ(ctx.symbol.version, 2);
}

TEST(Analysis, TextBeyondEveryVersionIsTooLong)
{
    TestContext ctx = ContextFor(std::string(3000, 'x'), 0, 1);
    EXPECT_EQ(AnalyseText(ctx), Status::kDataTooLong);
    TestContext empty = ContextFor("");
    EXPECT_EQ(AnalyseText(empty), Status::kBadArgument);
}

TEST(Analysis, BitLengthForRecountsEverySegmentInTheRangeOfTheVersion)
{
    TestContext ctx = ContextFor(
        "\x88\x9F"
        "12345678"
        "abc");
    AnalyseText(ctx);
    EXPECT_EQ(SegmentShape(ctx), "8:1 1:8 4:3");
    const int32_t data = 13 + 27 + 24;
    EXPECT_EQ(BitLengthFor(ctx, 9), 12 + data + 8 + 10 + 8);
    EXPECT_EQ(BitLengthFor(ctx, 10), 12 + data + 10 + 12 + 16);
    EXPECT_EQ(BitLengthFor(ctx, 40), 12 + data + 12 + 14 + 16);
    EXPECT_EQ(ctx.segments[1].bitLength, 4 + 14 + 27);
    EXPECT_EQ(BitLengthFor(ctx, 0), Status::kBadArgument);
    EXPECT_EQ(BitLengthFor(ctx, 41), Status::kBadArgument);
}

TEST(Analysis, AlphanumericValuesFollowTheStandardTable)
{
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    for (size_t i = 0; i < chars.size(); ++i)
        EXPECT_EQ(AlphanumericValue(static_cast<uint8_t>(chars[i])), i);
    for (int b = 0; b < 256; ++b) {
        if (chars.find(static_cast<char>(b)) == std::string::npos) {
            EXPECT_EQ(AlphanumericValue(static_cast<uint8_t>(b)), 255) << b;
        }
    }
}

TEST(Analysis, CharactersThatFitNeverGoNegative)
{
    EXPECT_EQ(CharactersThatFit(kModeNumeric, -20, 10), 0);
    EXPECT_EQ(CharactersThatFit(kModeNumeric, 0, 10), 0);
    EXPECT_EQ(CharactersThatFit(kModeNumeric, 9, 10), 2);
    EXPECT_EQ(CharactersThatFit(kModeNumeric, 6, 10), 1);
    EXPECT_EQ(CharactersThatFit(kModeNumeric, 3, 10), 0);
    EXPECT_EQ(CharactersThatFit(kModeNumeric, 197, 100), 59);
    EXPECT_EQ(CharactersThatFit(kModeAlphanumeric, 16, 10), 2);
    EXPECT_EQ(CharactersThatFit(kModeAlphanumeric, 17, 10), 3);
    EXPECT_EQ(CharactersThatFit(kModeByte, 23, 10), 2);
    EXPECT_EQ(CharactersThatFit(kModeKanji, 25, 10), 1);
    EXPECT_EQ(CharactersThatFit(kModeKanji, 1000, 10), 10);
}

}  // namespace
}  // namespace tavoqr
