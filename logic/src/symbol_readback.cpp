#include "nubora/logic/symbol_readback.h"

#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace nubora {

namespace {

constexpr int kMaxSymbols = 16;
constexpr int kQuietZone = 4;        // light modules around a symbol
constexpr int kSmallestSymbol = 21;  // modules a side of version 1
constexpr int kFinderSide = 7;
constexpr uint8_t kDarkPixel = 0;
constexpr uint8_t kLightPixel = 255;

// What one symbol carries: its data bytes and its structured-append header
// (index and size -1 when it has none; parity as the decimal text zxing gives).
struct Reading {
    std::string bytes;
    int index = -1;
    int size = -1;
    std::string parity;
    std::string text;  // the data as the decoder reads them as text (by the ECI)
    bool hasEci = false;
};

uint8_t Parity(const std::string& payload)
{
    uint8_t parity = 0;
    for (const char c : payload)
        parity ^= static_cast<uint8_t>(c);
    return parity;
}

// True when pixels from..to-1 of a bitmap row (1 bit a pixel, leftmost in
// the most significant bit) are all light.
bool AllLight(const uint8_t* row, int from, int to)
{
    for (int x = from; x < to;) {
        const int bit = x % 8;
        const int count = std::min(8 - bit, to - x);
        const auto mask = static_cast<uint8_t>((0xFFu >> bit) & ~(0xFFu >> (bit + count)));
        if ((row[x / 8] & mask) != mask)
            return false;
        x += count;
    }
    return true;
}

// True when `bitmap` has a whole symbol's side, a light quiet zone and the
// three finder patterns, each with its light separator, exactly in place.
// zxing's detector for pure pictures trusts these and, in builds that keep
// its assertions, aborts the process on some damaged finder patterns instead
// of refusing them, so the picture reaches it only when they are intact.
bool HasIntactFrame(const QrBitmap& bitmap)
{
    const int side = bitmap.Side();
    const int symbol = side - 2 * kQuietZone;
    if (bitmap.Bits() == nullptr || symbol < kSmallestSymbol || (symbol - kSmallestSymbol) % 4 != 0)
        return false;
    for (int y = 0; y < side; ++y) {
        const uint8_t* row = bitmap.Bits() + static_cast<size_t>(y) * static_cast<size_t>(bitmap.Stride());
        const bool quietRow = y < kQuietZone || y >= side - kQuietZone;
        if (quietRow ? !AllLight(row, 0, side)
                     : !AllLight(row, 0, kQuietZone) || !AllLight(row, side - kQuietZone, side))
            return false;
    }
    // Rings around each finder's centre by chessboard distance: 0 and 1 the
    // dark 3 × 3 core, 2 light, 3 the dark border, 4 the separator (or quiet zone).
    const int near = kQuietZone + kFinderSide / 2;
    const int far = side - 1 - near;
    for (const auto& [cx, cy] : {std::pair{near, near}, std::pair{far, near}, std::pair{near, far}}) {
        for (int dy = -4; dy <= 4; ++dy) {
            for (int dx = -4; dx <= 4; ++dx) {
                const int ring = std::max(std::abs(dx), std::abs(dy));
                if (bitmap.IsDark(cx + dx, cy + dy) != (ring <= 1 || ring == 3))
                    return false;
            }
        }
    }
    return true;
}

// The grey values of the 8 pixels of every bitmap byte, leftmost first.
constexpr std::array<std::array<uint8_t, 8>, 256> kGreyOfByte = [] {
    std::array<std::array<uint8_t, 8>, 256> table{};
    for (size_t value = 0; value < 256; ++value) {
        for (size_t pixel = 0; pixel < 8; ++pixel)
            table[value][pixel] = (value >> (7 - pixel)) & 1 ? kLightPixel : kDarkPixel;
    }
    return table;
}();

// An 8-bit grey picture of a bitmap, one pixel per module: the pictures are
// exact, so one pixel reads as surely as more.
struct GreyPicture {
    std::vector<uint8_t> pixels;
    int rowStride = 0;  // bytes: the side rounded up to whole bitmap bytes
};

// Draws `bitmap` into `picture`, whole bitmap bytes at a time.
void Render(const QrBitmap& bitmap, GreyPicture& picture)
{
    const auto side = static_cast<size_t>(bitmap.Side());
    const size_t bytesPerRow = (side + 7) / 8;
    picture.rowStride = static_cast<int>(bytesPerRow * 8);
    picture.pixels.resize(side * bytesPerRow * 8);
    uint8_t* out = picture.pixels.data();
    for (size_t y = 0; y < side; ++y) {
        const uint8_t* row = bitmap.Bits() + y * static_cast<size_t>(bitmap.Stride());
        for (size_t i = 0; i < bytesPerRow; ++i, out += 8)
            std::copy_n(kGreyOfByte[row[i]].data(), 8, out);
    }
}

// Decodes the one symbol in the picture of a bitmap `side` pixels wide. The
// picture is the symbol alone, upright, unblurred and in pure black and
// white, so zxing may skip its search for finder patterns (isPure) and its
// local thresholding (BoolCast); it is shown the symbol without its quiet
// zone, which HasIntactFrame has checked, so that it thresholds and searches
// fewer pixels. The decoding itself, error correction included, is the full
// one. Fails with Undecodable when no QR Code symbol is found.
Result<Reading, ReadBackFailure> Decode(const GreyPicture& picture, int side)
{
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::QRCode)
                           .setTryHarder(false)
                           .setTryRotate(false)
                           .setTryDownscale(false)
                           .setIsPure(true)
                           .setBinarizer(ZXing::Binarizer::BoolCast)
                           .setMaxNumberOfSymbols(1);
    const ZXing::ImageView whole(picture.pixels.data(), side, side, ZXing::ImageFormat::Lum, picture.rowStride);
    const int symbolSide = side - 2 * kQuietZone;
    const ZXing::ImageView view = whole.cropped(kQuietZone, kQuietZone, symbolSide, symbolSide);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid() || result.format() != ZXing::BarcodeFormat::QRCode)
        return Fail(ReadBackFailure::Undecodable);
    const ZXing::ByteArray& bytes = result.bytes();
    return Reading{std::string(bytes.begin(), bytes.end()),
                   result.sequenceIndex(),
                   result.sequenceSize(),
                   result.sequenceId(),
                   result.text(),
                   result.hasECI()};
}

Result<void, ReadBackFailure> ReadsBack(const QrBitmap* const* symbols, int count, const std::string& payload,
                                        text::TextCharset charset)
{
    if (symbols == nullptr || count < 1 || count > kMaxSymbols)
        return Fail(ReadBackFailure::NoSymbols);
    const std::string parity = std::to_string(Parity(payload));
    GreyPicture picture;
    std::string joined;
    for (int i = 0; i < count; ++i) {
        if (symbols[i] == nullptr)
            return Fail(ReadBackFailure::NoSymbols);
        if (!HasIntactFrame(*symbols[i]))
            return Fail(ReadBackFailure::BrokenFrame);
        Render(*symbols[i], picture);
        Result<Reading, ReadBackFailure> decoded = Decode(picture, symbols[i]->Side());
        if (!decoded)
            return Fail(decoded.Error());
        Reading& reading = *decoded;
        const bool sequenceRight = count == 1 ? reading.size == -1 && reading.index == -1
                                              : reading.index == i && reading.size == count && reading.parity == parity;
        if (!sequenceRight)
            return Fail(ReadBackFailure::WrongSequence);
        // A UTF-8 part is read as Unicode text on its own, as a camera that
        // reads part by part shows it.
        if (charset == text::TextCharset::Utf8 && (!reading.hasEci || reading.text != reading.bytes))
            return Fail(ReadBackFailure::WrongText);
        if (count == 1) {
            joined = std::move(reading.bytes);
            break;
        }
        joined += reading.bytes;
    }
    if (joined != payload)
        return Fail(ReadBackFailure::WrongBytes);
    return {};
}

Result<void, ReadBackFailure> ReadsBackIn(const QrBitmap* const* symbols, int count, const std::string& payload,
                                          text::TextCharset charset)
{
    try {
        return ReadsBack(symbols, count, payload, charset);
    } catch (...) {
        // zxing may throw on a picture it cannot make sense of, and a picture
        // or a part may not fit in memory: either way the code did not read back.
        return Fail(ReadBackFailure::DecoderError);
    }
}

}  // namespace

Result<void, ReadBackFailure> ReadsBackAs(const QrBitmap* const* symbols, int count, const std::string& payload)
{
    return ReadsBackIn(symbols, count, payload, text::TextCharset::Cp932);
}

Result<void, ReadBackFailure> ReadsBackAs(const SymbolBitmaps& symbols, const std::string& payload,
                                          text::TextCharset charset)
{
    const int count = symbols.Count();
    if (count < 1 || count > kMaxSymbols)
        return Fail(ReadBackFailure::NoSymbols);
    std::array<const QrBitmap*, kMaxSymbols> all{};
    for (int i = 0; i < count; ++i)
        all[static_cast<size_t>(i)] = symbols.At(i);
    return ReadsBackIn(all.data(), count, payload, charset);
}

Result<void, ReadBackFailure> ReadsBackAs(const SymbolBitmaps& symbols, const std::string& payload)
{
    return ReadsBackAs(symbols, payload, text::TextCharset::Cp932);
}

}  // namespace nubora
