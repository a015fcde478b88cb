// UTF-8 symbols through the C interface, read back by zxing-cpp and zbar both
// as raw bytes and as text converted by the ECI, as phones convert it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoders.h"
#include "tavoqrenc.h"

namespace {

using nubora::peers::Printable;

struct Encoded {
    QrBitmap** symbols = nullptr;
    int32_t count = 0;
    QrEncodeParams params{};
    int32_t status = 0;
    Encoded(const std::string& text, int32_t n, QrEncodeParams request) : count(n), params(request)
    {
        status = TavoQREnc_QrEncodeUtf8(text.data(), static_cast<int32_t>(text.size()), n, &symbols, &params);
    }
    ~Encoded() { TavoQREnc_FreeBitmaps(symbols, count); }
};

TEST(Utf8Engine, EveryTextComesBackByteForByteFromBothReaders)
{
    const std::vector<std::string> texts = {"髙", "﨑",   "①", "㈱",   "é",
                                            "µ",  "한국", "😀", "田中", "田中 太郎 TEL:0312345678 µ"};
    for (const std::string& text : texts) {
        const Encoded e(text, 1, {0, TAVOQRENC_LEVEL_M});
        ASSERT_EQ(e.status, TAVOQRENC_OK) << text;
        QrEncodeParams info{0, TAVOQRENC_LEVEL_M};
        EXPECT_GT(TavoQREnc_GetCodeInfoUtf8(text.data(), static_cast<int32_t>(text.size()), 1, &info), 0);
        EXPECT_EQ(info.version, e.params.version) << text;
        const auto image = nubora::peers::RenderGrey(e.symbols[0]);
        const auto zx = nubora::peers::ReadWithZxing(image);
        EXPECT_TRUE(zx.valid && zx.hasEci && zx.bytes == text && zx.text == text) << text << ": " << zx.text;
        EXPECT_EQ(nubora::peers::ReadWithZbar(image), std::vector<std::string>{text});
        EXPECT_EQ(nubora::peers::ReadWithZbar(image, true), std::vector<std::string>{text});
    }
}

TEST(Utf8Engine, SixteenPartsEachReadAloneAsUtf8AndJoinInZbar)
{
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += "髙橋﨑①㈱ é µ 한국😀 田中 ABC-123 0312345678 ";
    const Encoded e(text, 16, {0, TAVOQRENC_LEVEL_H});
    ASSERT_EQ(e.status, TAVOQRENC_OK);
    std::vector<nubora::peers::GreyImage> images;
    std::string joined;
    for (int i = 0; i < 16; ++i) {
        images.push_back(nubora::peers::RenderGrey(e.symbols[i]));
        const auto zx = nubora::peers::ReadWithZxing(images.back());
        ASSERT_TRUE(zx.valid && zx.hasEci) << "part " << i << ": " << zx.error;
        EXPECT_EQ(zx.sequenceIndex, i);
        EXPECT_EQ(zx.sequenceSize, 16);
        EXPECT_EQ(zx.sequenceId, std::to_string(nubora::peers::Parity(text)));
        // A part cut inside a character would not convert to the same bytes.
        EXPECT_EQ(zx.text, zx.bytes) << "part " << i << ": " << Printable(zx.bytes);
        joined += zx.bytes;
    }
    EXPECT_EQ(joined, text);
    EXPECT_EQ(nubora::peers::ReadWithZbar(nubora::peers::SideBySide(images), true), std::vector<std::string>{text});
}

TEST(Utf8Engine, RefusesBadTextWithItsStatusAndNoSymbol)
{
    const std::vector<std::string> bad = {"\x80",
                                          "A\xC0\xAF",
                                          "\xE0\x80\xAF",
                                          "\xED\xA0\x80",
                                          "\xF4\x90\x80\x80",
                                          "\xE7\x94",
                                          std::string("a\0b", 3),
                                          std::string(20000, '1') + "\xFF"};
    for (const std::string& text : bad) {
        const Encoded e(text, 2, {0, 0});
        EXPECT_EQ(e.status, TAVOQRENC_E_BAD_TEXT) << Printable(text);
        EXPECT_EQ(e.symbols, nullptr);
        QrEncodeParams info{3, 1};
        EXPECT_EQ(TavoQREnc_GetCodeInfoUtf8(text.data(), static_cast<int32_t>(text.size()), 1, &info),
                  TAVOQRENC_E_BAD_TEXT);
        EXPECT_EQ(info.version, 3);
    }
    EXPECT_EQ(Encoded("A", 1, {0, 0}).status, TAVOQRENC_OK);
    EXPECT_EQ(Encoded("", 1, {0, 0}).status, TAVOQRENC_E_BAD_ARGUMENT);
}

TEST(Utf8Engine, AvailableBytesAreWhatTheEncoderFits)
{
    const int32_t oneL[2] = {1, TAVOQRENC_LEVEL_L};
    ASSERT_EQ(TavoQREnc_GetAvailableBytesUtf8(oneL, 1), 16);
    EXPECT_EQ(Encoded(std::string(8, 'x') + "éééé", 1, {0, 1}).params.version, 1);
    EXPECT_EQ(Encoded(std::string(9, 'x') + "éééé", 1, {0, 1}).params.version, 2);
}

}  // namespace
