// The symbol as a Qt image: pixel for pixel the engine's bitmap, dark where
// the engine says dark, for every version a split may bring.
#include "nubora/output/symbol_image.h"

#include <QColor>

#include <string>

#include <gtest/gtest.h>

namespace nubora {
namespace {

TEST(SymbolImage, IsTheEngineBitmapPixelForPixel)
{
    for (int version : {1, 2, 7, 15}) {
        QrBitmap** bitmaps = nullptr;
        QrEncodeParams params{version, 2};
        const std::string text = "MEMORY:\r\n";
        ASSERT_EQ(TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), 1, &bitmaps, &params), 0);
        const QrBitmap* bitmap = bitmaps[0];
        const QImage image = SymbolImage(bitmap);
        const int side = 4 * version + 17 + 8;
        ASSERT_EQ(image.size(), QSize(side, side)) << version;
        EXPECT_EQ(image.format(), QImage::Format_Mono);
        int mismatches = 0;
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                const bool dark = QColor(image.pixel(x, y)) == QColor(Qt::black);
                mismatches += dark != bitmap->IsDark(x, y);
            }
        }
        EXPECT_EQ(mismatches, 0) << version;
        // The quiet zone is light.
        EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(Qt::white));
        EXPECT_EQ(QColor(image.pixel(4, 4)), QColor(Qt::black));  // the finder's corner
        TavoQREnc_FreeBitmaps(bitmaps, 1);
    }
}

TEST(SymbolImage, IsNullForNoBitmap) { EXPECT_TRUE(SymbolImage(nullptr).isNull()); }

}  // namespace
}  // namespace nubora
