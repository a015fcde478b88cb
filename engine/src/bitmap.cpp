// One symbol from its data codewords to its bitmap: the build steps in order,
// then the 1-bit image with its quiet zone.
#include <algorithm>
#include <new>

#include "masking.h"
#include "matrix.h"
#include "reed_solomon.h"
#include "symbol.h"

namespace tavoqr {
namespace {

// Light modules around the symbol on every side.
constexpr int32_t kQuietZone = 4;

// Error correction, matrix, mask and format information, in this order.
Status BuildSymbol(QrEncodeContext& ctx)
{
    if (const Status s = ComputeErrorCorrection(ctx); s != Status::kOk)
        return s;
    if (const Status s = ClearRaster(ctx); s != Status::kOk)
        return s;
    if (const Status s = BuildFunctionPatterns(ctx); s != Status::kOk)
        return s;
    if (const Status s = PlaceData(ctx); s != Status::kOk)
        return s;
    if (const Status s = WriteVersionInformation(ctx); s != Status::kOk)
        return s;
    if (const Status s = ChooseMask(ctx); s != Status::kOk)
        return s;
    if (const Status s = ApplyMask(ctx); s != Status::kOk)
        return s;
    return WriteFormatInformation(ctx);
}

// The raster inside a light quiet zone: side w + 8, module (x, y) at pixel
// (x + 4, y + 4). The quiet zone is half a byte, so each output byte takes
// the low nibble of one raster byte and the high nibble of the next; raster
// padding is light, as is everything past it.
std::unique_ptr<QrBitmap> MakeBitmap(const QrEncodeContext& ctx)
{
    const int32_t w = ctx.side;
    const int32_t s = w + 2 * kQuietZone;
    const int32_t stride = QrBitmap::Stride(s);
    std::unique_ptr<uint8_t[]> bits(new uint8_t[static_cast<size_t>(s * stride)]);
    std::fill_n(bits.get(), s * stride, uint8_t{0xFF});
    for (int32_t y = 0; y < w; ++y) {
        const uint8_t* in = ctx.raster.data() + y * ctx.rasterStride;
        uint8_t* out = bits.get() + (y + kQuietZone) * stride;
        uint32_t previous = 0xFF;
        for (int32_t j = 0; j < stride; ++j) {
            const uint32_t current = j < ctx.rasterStride ? in[j] : 0xFFU;
            out[j] = static_cast<uint8_t>((previous << 4) | (current >> 4));
            previous = current;
        }
    }
    std::unique_ptr<QrBitmap> bitmap(new QrBitmap(s, bits.get()));
    bits.release();  // now owned by the bitmap
    return bitmap;
}

}  // namespace

Status RenderSymbol(QrEncodeContext& ctx, std::unique_ptr<QrBitmap>& out)
{
    out.reset();
    try {
        if (const Status status = BuildSymbol(ctx); status != Status::kOk)
            return status;
        out = MakeBitmap(ctx);
    } catch (const std::bad_alloc&) {
        return Status::kOutOfMemory;
    }
    return Status::kOk;
}

}  // namespace tavoqr
