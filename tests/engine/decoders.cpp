#include "decoders.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace nubora::peers {

GreyImage RenderGrey(const uint8_t* bits, int32_t side, int32_t stride, int scale)
{
    GreyImage image;
    if (bits == nullptr || side < 1 || scale < 1 || stride * 8 < side)
        return image;
    image.width = side * scale;
    image.height = side * scale;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 255);
    for (int y = 0; y < side; ++y) {
        const uint8_t* row = bits + static_cast<ptrdiff_t>(y) * stride;
        uint8_t* out = image.pixels.data() + static_cast<size_t>(y) * scale * image.width;
        for (int x = 0; x < side; ++x) {
            const bool dark = ((row[x / 8] >> (7 - x % 8)) & 1) == 0;
            if (dark)
                std::fill_n(out + x * scale, scale, uint8_t{0});
        }
        // The other rows of this module row are copies of the first.
        for (int r = 1; r < scale; ++r)
            std::copy_n(out, image.width, out + r * image.width);
    }
    return image;
}

GreyImage RenderGrey(const QrBitmap* bitmap, int scale)
{
    int32_t stride = 0;
    const uint8_t* bits = TavoQREnc_GetBitmapBits(bitmap, &stride);
    return RenderGrey(bits, TavoQREnc_GetBitmapSide(bitmap), stride, scale);
}

GreyImage SideBySide(const std::vector<GreyImage>& images, int gap)
{
    GreyImage all;
    for (const GreyImage& image : images) {
        all.width += image.width;
        all.height = std::max(all.height, image.height);
    }
    if (images.empty())
        return all;
    all.width += gap * static_cast<int>(images.size() - 1);
    all.pixels.assign(static_cast<size_t>(all.width) * all.height, 255);
    int left = 0;
    for (const GreyImage& image : images) {
        for (int y = 0; y < image.height; ++y)
            std::copy_n(image.pixels.data() + static_cast<size_t>(y) * image.width, image.width,
                        all.pixels.data() + static_cast<size_t>(y) * all.width + left);
        left += image.width + gap;
    }
    return all;
}

ZxingReading ReadWithZxing(const GreyImage& image)
{
    ZxingReading reading;
    if (image.pixels.empty()) {
        reading.error = "empty picture";
        return reading;
    }
    // The pictures are sharp and upright: no rotation or downscaling needed,
    // but the finder patterns are still located as in a photograph.
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::QRCode)
                           .setTryRotate(false)
                           .setTryDownscale(false)
                           .setMaxNumberOfSymbols(1);
    const ZXing::ImageView view(image.pixels.data(), image.width, image.height, ZXing::ImageFormat::Lum);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    reading.valid = result.isValid();
    if (!reading.valid) {
        reading.error = result.error() ? ZXing::ToString(result.error()) : std::string("no symbol found");
        return reading;
    }
    const ZXing::ByteArray& bytes = result.bytes();
    reading.bytes.assign(bytes.begin(), bytes.end());
    reading.text = result.text();
    reading.hasEci = result.hasECI();
    reading.ecLevel = result.ecLevel();
    reading.sequenceIndex = result.sequenceIndex();
    reading.sequenceSize = result.sequenceSize();
    reading.sequenceId = result.sequenceId();
    return reading;
}

uint8_t Parity(const std::string& text)
{
    uint8_t parity = 0;
    for (const char c : text)
        parity ^= static_cast<uint8_t>(c);
    return parity;
}

std::string Printable(const std::string& bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
            out += escaped;
        }
    }
    return out;
}

}  // namespace nubora::peers
