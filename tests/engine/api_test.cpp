// The exported C interface through the shared library: argument checks,
// status codes, queries and ownership of the results.
#include <gtest/gtest.h>

#include <string>

#include "tavoqrenc.h"

namespace {

// Owns an encode result for the length of a test.
struct Result {
    QrBitmap** bitmaps = nullptr;
    int32_t count = 0;
    ~Result() { TavoQREnc_FreeBitmaps(bitmaps, count); }
};

int32_t Encode(const std::string& text, int32_t n, QrEncodeParams& params, Result& result)
{
    result.count = n;
    return TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), n, &result.bitmaps, &params);
}

TEST(QrEncode, RejectsBadArgumentsAndLeavesTheSlotAlone)
{
    QrEncodeParams params{0, 0};
    QrBitmap** bitmaps = nullptr;
    EXPECT_EQ(TavoQREnc_QrEncode(nullptr, 1, 1, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 0, 1, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 0, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, -1, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 17, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 1, nullptr, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 1, &bitmaps, nullptr), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(bitmaps, nullptr);

    QrBitmap* occupied[1] = {nullptr};
    QrBitmap** slot = occupied;
    EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 1, &slot, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(slot, occupied);

    for (QrEncodeParams bad :
         {QrEncodeParams{16, 0}, QrEncodeParams{-1, 0}, QrEncodeParams{0, 5}, QrEncodeParams{0, -1}}) {
        EXPECT_EQ(TavoQREnc_QrEncode("A", 1, 1, &bitmaps, &bad), TAVOQRENC_E_BAD_ARGUMENT);
        EXPECT_EQ(bitmaps, nullptr);
    }
}

TEST(QrEncode, TooMuchForVersion15IsDataTooLong)
{
    // 1,000 digits need a larger symbol than version 15 at H, though the table has them.
    QrEncodeParams params{0, TAVOQRENC_LEVEL_H};
    Result result;
    EXPECT_EQ(Encode(std::string(1000, '5'), 1, params, result), TAVOQRENC_E_DATA_TOO_LONG);
    EXPECT_EQ(result.bitmaps, nullptr);
    EXPECT_EQ(params.version, 0);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_H);
    // A fixed version smaller than the data needs.
    QrEncodeParams fixed{1, TAVOQRENC_LEVEL_M};
    EXPECT_EQ(Encode(std::string(40, '5'), 1, fixed, result), TAVOQRENC_E_DATA_TOO_LONG);
    // An empty text has nothing to encode.
    QrEncodeParams empty{0, 0};
    EXPECT_EQ(TavoQREnc_QrEncode("", 1, 1, &result.bitmaps, &empty), TAVOQRENC_E_DATA_TOO_LONG);
}

TEST(QrEncode, FewerCharactersThanSymbolsIsASplitFailure)
{
    QrEncodeParams params{0, 0};
    Result result;
    EXPECT_EQ(Encode("ab", 3, params, result), TAVOQRENC_E_SPLIT_IMPOSSIBLE);
    EXPECT_EQ(result.bitmaps, nullptr);
}

TEST(QrEncode2, RejectsBadArguments)
{
    const char* texts[] = {"A", "B"};
    const char* nullFirst[] = {nullptr};
    QrEncodeParams params{0, 0};
    QrBitmap** bitmaps = nullptr;
    int32_t failed = -1;
    EXPECT_EQ(TavoQREnc_QrEncode2(nullptr, 1, &bitmaps, &params, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode2(nullFirst, 1, &bitmaps, &params, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 0, &bitmaps, &params, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 2, nullptr, &params, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 2, &bitmaps, nullptr, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 2, &bitmaps, &params, nullptr), TAVOQRENC_E_BAD_ARGUMENT);
    QrEncodeParams badVersion{16, 0};
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 2, &bitmaps, &badVersion, &failed), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(bitmaps, nullptr);
    EXPECT_EQ(failed, -1);
}

TEST(QrEncode2, ReportsTheTextThatDoesNotFit)
{
    const std::string longText(400, 'x');
    const char* texts[] = {"first", longText.c_str(), "third"};
    QrEncodeParams params{1, TAVOQRENC_LEVEL_M};
    QrBitmap** bitmaps = nullptr;
    int32_t failed = -1;
    EXPECT_EQ(TavoQREnc_QrEncode2(texts, 3, &bitmaps, &params, &failed), TAVOQRENC_E_DATA_TOO_LONG);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(bitmaps, nullptr);
}

TEST(GetAvailableLength, AnswersFromTheKanjiColumn)
{
    const int32_t expected[4] = {10, 8, 7, 4};
    for (int32_t level = 1; level <= 4; ++level) {
        const int32_t versionLevel[2] = {1, level};
        EXPECT_EQ(TavoQREnc_GetAvailableLength(versionLevel), expected[level - 1]);
    }
    const int32_t largest[2] = {40, TAVOQRENC_LEVEL_L};
    EXPECT_EQ(TavoQREnc_GetAvailableLength(largest), 1817);
    const int32_t v15m[2] = {15, TAVOQRENC_LEVEL_M};
    EXPECT_EQ(TavoQREnc_GetAvailableLength(v15m), 254);
}

TEST(GetAvailableLength, RejectsValuesOutsideTheTable)
{
    for (auto [version, level] :
         {std::pair{1, 0}, std::pair{0, 1}, std::pair{41, 1}, std::pair{1, 5}, std::pair{-1, 1}, std::pair{1, -1}}) {
        const int32_t versionLevel[2] = {version, level};
        EXPECT_EQ(TavoQREnc_GetAvailableLength(versionLevel), TAVOQRENC_E_BAD_ARGUMENT) << version << "-" << level;
    }
    EXPECT_EQ(TavoQREnc_GetAvailableLength(nullptr), TAVOQRENC_E_BAD_ARGUMENT);
}

TEST(GetAvailableVersion, TakesTheLargestVersionThatFitsWithItsQuietZone)
{
    int32_t out[2] = {-1, -1};
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(1000, 0, out), 26);  // 40 modules: version 3
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(3000, 0, out), 254);  // 120 modules: 23, capped at 15
    EXPECT_EQ(out[0], 15);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(29 * 60, 7, out), 8);  // exactly version 1 at 0.6 mm
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(33 * 30 - 1, 1, out), 8);  // one short of version 2
    EXPECT_EQ(out[0], 1);
}

TEST(GetAvailableVersion, RejectsAnUnknownCellSizeOrAWidthBelowVersion1)
{
    int32_t out[2] = {-1, -1};
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(1000, 8, out), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(1000, -1, out), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(29 * 25 - 1, 0, out), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(-1000, 0, out), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(out[0], -1);
    EXPECT_EQ(TavoQREnc_GetAvailableVersion(1000, 0, nullptr), TAVOQRENC_E_BAD_ARGUMENT);
}

TEST(GetCodeInfo, ChoosesWithoutEncoding)
{
    QrEncodeParams params{0, 0};
    ASSERT_EQ(TavoQREnc_GetCodeInfo("01234567", 1, &params), 0);
    EXPECT_EQ(params.version, 1);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_M);

    QrEncodeParams high{0, TAVOQRENC_LEVEL_H};
    ASSERT_EQ(TavoQREnc_GetCodeInfo(std::string(100, 'x').c_str(), 1, &high), 0);
    EXPECT_EQ(high.version, 10);  // 820 bits with 16-bit counts; 9-H holds only 800
    EXPECT_EQ(high.level, TAVOQRENC_LEVEL_H);
}

TEST(GetCodeInfo, EmptyTextIsVersion1LevelM)
{
    QrEncodeParams params{0, TAVOQRENC_LEVEL_H};
    ASSERT_EQ(TavoQREnc_GetCodeInfo("", 1, &params), 0);
    EXPECT_EQ(params.version, 1);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_M);
}

TEST(GetCodeInfo, SharesTheBitsAmongSymbolsWithoutTheHeaderAllowance)
{
    // 100 digits: 348 bits, 174 per symbol: 2-M, although encoding needs 3-M.
    QrEncodeParams params{0, 0};
    ASSERT_EQ(TavoQREnc_GetCodeInfo(std::string(100, '1').c_str(), 2, &params), 0);
    EXPECT_EQ(params.version, 2);
}

TEST(GetCodeInfo, ReportsFailuresInsteadOfAVersion)
{
    QrEncodeParams params{0, TAVOQRENC_LEVEL_H};
    EXPECT_EQ(TavoQREnc_GetCodeInfo(std::string(1000, '5').c_str(), 1, &params), TAVOQRENC_E_DATA_TOO_LONG);
    EXPECT_EQ(TavoQREnc_GetCodeInfo(std::string(5000, 'x').c_str(), 1, &params), TAVOQRENC_E_DATA_TOO_LONG);
    EXPECT_EQ(TavoQREnc_GetCodeInfo("ab", 3, &params), TAVOQRENC_E_SPLIT_IMPOSSIBLE);
    EXPECT_EQ(params.version, 0);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_H);
    EXPECT_EQ(TavoQREnc_GetCodeInfo(nullptr, 1, &params), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_GetCodeInfo("A", 1, nullptr), TAVOQRENC_E_BAD_ARGUMENT);
    EXPECT_EQ(TavoQREnc_GetCodeInfo("A", 0, &params), TAVOQRENC_E_BAD_ARGUMENT);
    QrEncodeParams bad{16, 0};
    EXPECT_EQ(TavoQREnc_GetCodeInfo("A", 1, &bad), TAVOQRENC_E_BAD_ARGUMENT);
}

TEST(Bitmaps, FreeingIsNullSafe)
{
    TavoQREnc_FreeBitmaps(nullptr, 0);
    TavoQREnc_FreeBitmaps(nullptr, 16);
    QrBitmap** empty = static_cast<QrBitmap**>(calloc(3, sizeof(QrBitmap*)));
    TavoQREnc_FreeBitmaps(empty, 3);
    int32_t stride = -1;
    EXPECT_EQ(TavoQREnc_GetBitmapSide(nullptr), 0);
    EXPECT_EQ(TavoQREnc_GetBitmapBits(nullptr, &stride), nullptr);
    EXPECT_EQ(stride, -1);
}

}  // namespace
