#include "nubora/output/symbol_image.h"

#include <algorithm>
#include <cstring>

namespace nubora {

QImage SymbolImage(const QrBitmap* bitmap)
{
    const int side = TavoQREnc_GetBitmapSide(bitmap);
    int32_t stride = 0;
    const uint8_t* bits = TavoQREnc_GetBitmapBits(bitmap, &stride);
    if (side <= 0 || !bits)
        return QImage();
    // The engine's rows and Format_Mono agree bit for bit (most significant
    // bit leftmost, 0 dark); only the row padding differs.
    QImage image(side, side, QImage::Format_Mono);
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int rowBytes = std::min<int>(stride, static_cast<int>(image.bytesPerLine()));
    for (int y = 0; y < side; ++y)
        std::memcpy(image.scanLine(y), bits + static_cast<std::ptrdiff_t>(y) * stride, rowBytes);
    return image;
}

}  // namespace nubora
