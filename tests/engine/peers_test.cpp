// The decoder harness proven on a third party's symbols: libqrencode draws,
// zxing-cpp and zbar read. If these fail, a round-trip failure of the engine
// says nothing about the engine.
#include <gtest/gtest.h>
#include <qrencode.h>

#include <memory>
#include <string>
#include <vector>

#include "corpus.h"
#include "decoders.h"

namespace {

using nubora::peers::GreyImage;
using nubora::peers::Printable;

struct QrcodeDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};
struct QrcodeListDeleter {
    void operator()(QRcode_List* list) const { QRcode_List_free(list); }
};

// libqrencode's modules copied into the engine's bitmap layout (quiet zone of
// 4, rows padded to 16 bits, 0 bit dark), so that the same rendering path
// runs as for the engine's own symbols.
std::unique_ptr<QrBitmap> ToBitmap(const QRcode& code)
{
    const int32_t side = code.width + 8;
    const int32_t stride = QrBitmap::Stride(side);
    auto* bits = new uint8_t[static_cast<size_t>(side) * stride];
    std::fill_n(bits, static_cast<size_t>(side) * stride, uint8_t{0xFF});
    for (int y = 0; y < code.width; ++y)
        for (int x = 0; x < code.width; ++x)
            if (code.data[y * code.width + x] & 1) {
                const int px = x + 4;
                bits[(y + 4) * stride + px / 8] &= static_cast<uint8_t>(~(0x80 >> (px % 8)));
            }
    return std::make_unique<QrBitmap>(side, bits);
}

std::unique_ptr<QRcode, QrcodeDeleter> Encode(const std::string& text, QRecLevel level)
{
    return std::unique_ptr<QRcode, QrcodeDeleter>(QRcode_encodeString(text.c_str(), 0, level, QR_MODE_KANJI, 1));
}

void ExpectBothRead(const std::string& text, QRecLevel level, const char* levelName)
{
    const auto code = Encode(text, level);
    ASSERT_NE(code, nullptr) << Printable(text);
    const auto bitmap = ToBitmap(*code);
    const GreyImage image = nubora::peers::RenderGrey(bitmap.get());

    const auto zx = nubora::peers::ReadWithZxing(image);
    ASSERT_TRUE(zx.valid) << zx.error << " for " << Printable(text);
    EXPECT_EQ(zx.bytes, text) << Printable(zx.bytes);
    EXPECT_EQ(zx.ecLevel, levelName);
    EXPECT_EQ(zx.sequenceIndex, -1);

    const auto zb = nubora::peers::ReadWithZbar(image);
    ASSERT_EQ(zb.size(), 1u) << Printable(text);
    EXPECT_EQ(zb[0], text) << Printable(zb[0]);
}

TEST(DecoderHarness, RendersTheBitmapLayoutModuleForModule)
{
    // A 17-pixel side needs two 16-bit words a row; only its first pixel dark.
    std::vector<uint8_t> bits(17 * 4, 0xFF);
    bits[0] = 0x7F;
    const GreyImage image = nubora::peers::RenderGrey(bits.data(), 17, 4, 3);
    ASSERT_EQ(image.width, 51);
    ASSERT_EQ(image.height, 51);
    EXPECT_EQ(image.pixels[0], 0);
    EXPECT_EQ(image.pixels[2 * 51 + 2], 0);
    EXPECT_EQ(image.pixels[3], 255);
    EXPECT_EQ(image.pixels[3 * 51], 255);
}

TEST(DecoderHarness, FindsNothingInABlankOrDamagedPicture)
{
    GreyImage blank;
    blank.width = blank.height = 100;
    blank.pixels.assign(100 * 100, 255);
    EXPECT_FALSE(nubora::peers::ReadWithZxing(blank).valid);
    EXPECT_TRUE(nubora::peers::ReadWithZbar(blank).empty());

    // A version 1 symbol with its middle blacked out is beyond repair.
    const auto code = Encode("01234567", QR_ECLEVEL_L);
    ASSERT_NE(code, nullptr);
    GreyImage damaged = nubora::peers::RenderGrey(ToBitmap(*code).get());
    for (int y = damaged.height / 3; y < damaged.height * 2 / 3; ++y)
        for (int x = damaged.width / 4; x < damaged.width * 3 / 4; ++x)
            damaged.pixels[y * damaged.width + x] = 0;
    const auto zx = nubora::peers::ReadWithZxing(damaged);
    EXPECT_FALSE(zx.valid && zx.bytes == "01234567");
    EXPECT_TRUE(nubora::peers::ReadWithZbar(damaged).empty());
}

TEST(DecoderHarness, ReadsLibqrencodeNumericAlphanumericAndBytes)
{
    ExpectBothRead("01234567", QR_ECLEVEL_M, "M");
    ExpectBothRead("HELLO WORLD $%*+-./:", QR_ECLEVEL_L, "L");
    ExpectBothRead("mailto:a@example.jp\r\nsubject", QR_ECLEVEL_Q, "Q");
    ExpectBothRead(std::string("\x80\xa0\xfd\xfe\xff\x01\x7f", 7), QR_ECLEVEL_H, "H");
}

TEST(DecoderHarness, ReadsLibqrencodeKanjiAndKatakanaAsShiftJisBytes)
{
    // "日本語" and half-width "ｱｲｳ" in Shift-JIS, then a mix with a line break.
    ExpectBothRead("\x93\xfa\x96\x7b\x8c\xea", QR_ECLEVEL_M, "M");
    ExpectBothRead("\xb1\xb2\xb3", QR_ECLEVEL_M, "M");
    ExpectBothRead("MEMORY:\x83\x81\x83\x82\r\nNAME1:\x8e\x52\x93\x63\x91\xbe\x98\x59\r\nTEL1:0312345678", QR_ECLEVEL_M,
                   "M");
}

TEST(DecoderHarness, ReadsSeededCorpusTextsFromLibqrencode)
{
    nubora::corpus::Rng rng(7);
    for (int k = 0; k < nubora::corpus::kTextKinds; ++k) {
        const auto kind = static_cast<nubora::corpus::TextKind>(k);
        for (const int version : {1, 7, 15}) {
            const std::string text = nubora::corpus::MakeText(
                rng, kind, nubora::corpus::CharacterCapacity(kind, version, 2) * 9 / 10);
            SCOPED_TRACE(nubora::corpus::KindName(kind));
            ExpectBothRead(text, QR_ECLEVEL_M, "M");
        }
    }
}

TEST(DecoderHarness, ReadsLibqrencodeStructuredAppendEachAloneAndAllTogether)
{
    nubora::corpus::Rng rng(11);
    const std::string text = nubora::corpus::MakeText(rng, nubora::corpus::TextKind::Mixed, 160);
    const std::unique_ptr<QRcode_List, QrcodeListDeleter> list(
        QRcode_encodeStringStructured(text.c_str(), 2, QR_ECLEVEL_M, QR_MODE_KANJI, 1));
    ASSERT_NE(list, nullptr);
    const int count = QRcode_List_size(list.get());
    ASSERT_GE(count, 2);

    std::vector<GreyImage> images;
    std::string joined;
    int index = 0;
    for (const QRcode_List* entry = list.get(); entry != nullptr; entry = entry->next, ++index) {
        const auto bitmap = ToBitmap(*entry->code);
        images.push_back(nubora::peers::RenderGrey(bitmap.get()));
        const auto zx = nubora::peers::ReadWithZxing(images.back());
        ASSERT_TRUE(zx.valid) << zx.error;
        EXPECT_EQ(zx.sequenceIndex, index);
        EXPECT_EQ(zx.sequenceSize, count);
        EXPECT_EQ(zx.sequenceId, std::to_string(nubora::peers::Parity(text)));
        joined += zx.bytes;
    }
    EXPECT_EQ(joined, text) << Printable(joined);

    const auto zb = nubora::peers::ReadWithZbar(nubora::peers::SideBySide(images));
    ASSERT_EQ(zb.size(), 1u);
    EXPECT_EQ(zb[0], text) << Printable(zb[0]);
}

}  // namespace
