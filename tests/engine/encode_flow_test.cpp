// The encode calls end to end through the exported C interface: finished
// symbols of the right side come back, and everything is released (the
// sanitizer build checks that nothing leaks).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tavoqrenc.h"

namespace {

// Owns an encode result for the length of a test.
struct Symbols {
    QrBitmap** items = nullptr;
    int32_t count = 0;
    ~Symbols() { TavoQREnc_FreeBitmaps(items, count); }
};

int32_t Side(int32_t version) { return 4 * version + 17 + 8; }

TEST(EncodeFlow, OneSymbolOf01234567)
{
    Symbols s;
    QrEncodeParams params{0, 0};
    ASSERT_EQ(TavoQREnc_QrEncode("01234567", 8, 1, &s.items, &params), 0);
    s.count = 1;
    ASSERT_NE(s.items, nullptr);
    ASSERT_NE(s.items[0], nullptr);
    EXPECT_EQ(params.version, 1);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_M);
    EXPECT_EQ(TavoQREnc_GetBitmapSide(s.items[0]), 29);
    EXPECT_EQ(s.items[0]->DimensionX(), 29);
    EXPECT_EQ(s.items[0]->DimensionY(), 29);
    int32_t stride = 0;
    const uint8_t* bits = TavoQREnc_GetBitmapBits(s.items[0], &stride);
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(stride, 4);
    EXPECT_EQ(bits[0], 0xFF);                 // quiet zone
    EXPECT_TRUE(s.items[0]->IsDark(4, 4));    // finder corner
    EXPECT_TRUE(s.items[0]->IsDark(12, 21));  // dark module (8, 13)
}

TEST(EncodeFlow, ThreeSymbolsOfOneSide)
{
    const std::string text = "A QR Code editor: this text is split into three symbols 0123456789";
    Symbols s;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_Q};
    ASSERT_EQ(TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), 3, &s.items, &params), 0);
    s.count = 3;
    ASSERT_NE(s.items, nullptr);
    EXPECT_EQ(params.level, TAVOQRENC_LEVEL_Q);
    for (int32_t i = 0; i < 3; ++i) {
        ASSERT_NE(s.items[i], nullptr) << i;
        EXPECT_EQ(s.items[i]->Side(), Side(params.version)) << i;
    }
}

TEST(EncodeFlow, EveryFixedVersionGivesItsSide)
{
    for (int32_t version = 1; version <= 15; ++version) {
        for (int32_t level = TAVOQRENC_LEVEL_L; level <= TAVOQRENC_LEVEL_H; ++level) {
            Symbols s;
            QrEncodeParams params{version, level};
            ASSERT_EQ(TavoQREnc_QrEncode("HELLO 2024", 10, 1, &s.items, &params), 0) << version;
            s.count = 1;
            EXPECT_EQ(params.version, version);
            EXPECT_EQ(TavoQREnc_GetBitmapSide(s.items[0]), Side(version));
        }
    }
}

TEST(EncodeFlow, IndependentTextsThroughEncode2)
{
    const char* texts[] = {"1", "MAILTO:a@example.jp", "0123456789012345678901234567890123456789"};
    Symbols s;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    int32_t failed = -1;
    ASSERT_EQ(TavoQREnc_QrEncode2(texts, 3, &s.items, &params, &failed), 0);
    s.count = 3;
    EXPECT_EQ(failed, -1);
    for (int32_t i = 0; i < 3; ++i)
        ASSERT_NE(s.items[i], nullptr);
    EXPECT_EQ(s.items[0]->Side(), 29);
}

TEST(EncodeFlow, AFailureReturnsNothing)
{
    const std::string text(3000, '9');
    QrBitmap** items = nullptr;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_H};
    EXPECT_EQ(TavoQREnc_QrEncode(text.c_str(), 3000, 1, &items, &params), TAVOQRENC_E_DATA_TOO_LONG);
    EXPECT_EQ(items, nullptr);
}

TEST(EncodeFlow, CallersMayReleaseByHand)
{
    QrBitmap** items = nullptr;
    QrEncodeParams params{0, 0};
    ASSERT_EQ(TavoQREnc_QrEncode("ABC", 3, 2, &items, &params), 0);
    ASSERT_NE(items, nullptr);
    for (int32_t i = 0; i < 2; ++i)
        delete items[i];
    std::free(items);
}

}  // namespace
