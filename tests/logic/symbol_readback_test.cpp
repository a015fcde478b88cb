// The read-back check: symbols pass only when zxing-cpp gets exactly the
// payload back from them, in order, and a damaged or misplaced symbol fails.
#include "nubora/logic/symbol_readback.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tavoqrenc.h"

namespace {

using nubora::ReadsBackAs;
using nubora::SymbolBitmaps;

// 山田太郎 (Kanji mode), half-width ｱｲｳ and lower case (byte mode), a
// telephone number (numeric mode).
const std::string kMixedPayload = "NAME:\x8e\x52\x93\x63\x91\xbe\x98\x59 \xb1\xb2\xb3 tel 0312345678";
// Fits version 1 at level L.
const std::string kShortPayload = "NUBORA";

// `payload` encoded as `count` symbols at `level` with an automatic version
// into `symbols`; false when the engine refuses.
bool Encode(const std::string& payload, int count, int level, SymbolBitmaps& symbols)
{
    QrEncodeParams params{0, level};
    QrBitmap** bitmaps = nullptr;
    const int32_t status = TavoQREnc_QrEncode(payload.c_str(), static_cast<int32_t>(payload.size()), count, &bitmaps,
                                              &params);
    if (status != TAVOQRENC_OK)
        return false;
    symbols.Adopt(bitmaps, count);
    return true;
}

// A copy of `original` with the modules at `modules` (x, y in modules from
// the symbol's top left corner, quiet zone excluded) flipped.
std::unique_ptr<QrBitmap> Damaged(const QrBitmap& original, std::initializer_list<std::pair<int, int>> modules)
{
    constexpr int kQuietZone = 4;
    const size_t size = static_cast<size_t>(original.Side()) * original.Stride();
    auto* bits = new uint8_t[size];
    std::copy_n(original.Bits(), size, bits);
    for (const auto& [x, y] : modules) {
        const int px = x + kQuietZone;
        const int py = y + kQuietZone;
        bits[py * original.Stride() + px / 8] ^= static_cast<uint8_t>(0x80 >> (px % 8));
    }
    return std::make_unique<QrBitmap>(original.Side(), bits);
}

// A text of about `characters` characters repeating the mixed payload, with
// a running number so that no two parts of a split look alike.
std::string LongPayload(int characters)
{
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < characters; ++i)
        text += std::to_string(i) + ':' + kMixedPayload + "\r\n";
    return text;
}

// The held symbols in order, as the lower-level overload takes them.
std::vector<const QrBitmap*> InOrder(const SymbolBitmaps& symbols)
{
    std::vector<const QrBitmap*> all;
    for (int i = 0; i < symbols.Count(); ++i)
        all.push_back(symbols.At(i));
    return all;
}

TEST(ReadBackCheck, SingleMixedSymbolPasses)
{
    SymbolBitmaps symbols;
    ASSERT_TRUE(Encode(kMixedPayload, 1, TAVOQRENC_LEVEL_M, symbols));
    EXPECT_TRUE(ReadsBackAs(symbols, kMixedPayload));
}

TEST(ReadBackCheck, FourAndSixteenWaySplitsPass)
{
    for (const int count : {4, 16}) {
        const std::string payload = LongPayload(count * 60);
        SymbolBitmaps symbols;
        ASSERT_TRUE(Encode(payload, count, TAVOQRENC_LEVEL_M, symbols)) << count;
        EXPECT_TRUE(ReadsBackAs(symbols, payload)) << count;
    }
}

TEST(ReadBackCheck, OneChangedPayloadByteFails)
{
    for (const int count : {1, 4}) {
        const std::string payload = LongPayload(count * 60);
        SymbolBitmaps symbols;
        ASSERT_TRUE(Encode(payload, count, TAVOQRENC_LEVEL_M, symbols)) << count;
        std::string other = payload;
        other[other.size() / 2] ^= 0x01;
        EXPECT_FALSE(ReadsBackAs(symbols, other)) << count;
    }
}

TEST(ReadBackCheck, SymbolDamagedBeyondCorrectionFails)
{
    // Version 1 at level L: one block of 19 data and 7 error correction
    // codewords, so at most 3 wrong codewords are corrected. One module of
    // each of the first four codewords is flipped: they fill the two
    // rightmost columns upwards from the bottom corner, four rows each, then
    // the next two columns downwards.
    SymbolBitmaps symbols;
    ASSERT_TRUE(Encode(kShortPayload, 1, TAVOQRENC_LEVEL_L, symbols));
    ASSERT_EQ(symbols.At(0)->Side(), 21 + 8);
    const auto three = Damaged(*symbols.At(0), {{20, 20}, {20, 16}, {20, 12}});
    const QrBitmap* const corrected[] = {three.get()};
    EXPECT_TRUE(ReadsBackAs(corrected, 1, kShortPayload));
    const auto four = Damaged(*symbols.At(0), {{20, 20}, {20, 16}, {20, 12}, {18, 9}});
    const QrBitmap* const broken[] = {four.get()};
    EXPECT_FALSE(ReadsBackAs(broken, 1, kShortPayload));
}

TEST(ReadBackCheck, DamagedFinderPatternFailsWithoutAborting)
{
    // A dark module in the light ring of the bottom-left finder pattern, on
    // the diagonal from the symbol's corner.
    SymbolBitmaps symbols;
    ASSERT_TRUE(Encode(kShortPayload, 1, TAVOQRENC_LEVEL_L, symbols));
    const auto damaged = Damaged(*symbols.At(0), {{5, 15}});
    const QrBitmap* const one[] = {damaged.get()};
    EXPECT_FALSE(ReadsBackAs(one, 1, kShortPayload));
}

TEST(ReadBackCheck, DarkModuleInTheQuietZoneFails)
{
    SymbolBitmaps symbols;
    ASSERT_TRUE(Encode(kShortPayload, 1, TAVOQRENC_LEVEL_L, symbols));
    const int symbol = symbols.At(0)->Side() - 8;  // modules a side, quiet zone excluded
    const std::pair<int, int> places[] = {{-4, -4}, {-1, 10},     {symbol, 10},     {symbol + 3, 10},
                                          {10, -1}, {10, symbol}, {symbol + 3, -4}, {symbol / 2, symbol + 3}};
    for (const auto& [x, y] : places) {
        const auto damaged = Damaged(*symbols.At(0), {{x, y}});
        const QrBitmap* const one[] = {damaged.get()};
        EXPECT_FALSE(ReadsBackAs(one, 1, kShortPayload)) << x << ", " << y;
    }
}

TEST(ReadBackCheck, SplitPartsInWrongOrderFail)
{
    const std::string payload = LongPayload(4 * 60);
    SymbolBitmaps symbols;
    ASSERT_TRUE(Encode(payload, 4, TAVOQRENC_LEVEL_M, symbols));
    std::vector<const QrBitmap*> parts = InOrder(symbols);
    ASSERT_TRUE(ReadsBackAs(parts.data(), 4, payload));
    std::swap(parts[1], parts[2]);
    EXPECT_FALSE(ReadsBackAs(parts.data(), 4, payload));
}

}  // namespace
