#include "nubora/logic/bmp_writer.h"

#include <string_view>

#include "nubora/logic/file_io.h"

namespace nubora {
namespace {

constexpr int32_t kMaxSide = 10000;
constexpr int32_t kFileHeaderBytes = 14;
constexpr int32_t kInfoHeaderBytes = 40;
constexpr int32_t kPaletteBytes = 2 * 4;  // dark and light, four bytes each
static_assert(kBmpHeaderBytes == kFileHeaderBytes + kInfoHeaderBytes + kPaletteBytes);

// Appends little-endian numbers to a byte buffer.
class LittleEndian {
public:
    explicit LittleEndian(std::vector<uint8_t>& out) : out_(out) {}
    void U16(uint32_t v) { Bytes(v, 2); }
    void U32(uint32_t v) { Bytes(v, 4); }
    void I32(int32_t v) { Bytes(static_cast<uint32_t>(v), 4); }

private:
    void Bytes(uint32_t v, int count)
    {
        for (int i = 0; i < count; ++i)
            out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<uint8_t>& out_;
};

void WriteHeaders(std::vector<uint8_t>& out, int32_t width, int32_t height, uint32_t imageBytes)
{
    LittleEndian le(out);
    out.push_back('B');
    out.push_back('M');
    le.U32(imageBytes + kBmpHeaderBytes);  // file size
    le.U16(0);                             // reserved
    le.U16(0);                             // reserved
    le.U32(kBmpHeaderBytes);               // offset of the pixel rows
    le.U32(kInfoHeaderBytes);
    le.I32(width);
    le.I32(height);  // positive: bottom row first
    le.U16(1);       // planes
    le.U16(1);       // bits per pixel
    le.U32(0);       // no compression
    le.U32(imageBytes);
    le.I32(0);  // horizontal resolution
    le.I32(0);  // vertical resolution
    le.U32(0);  // colours used
    le.U32(0);  // important colours
    for (uint8_t v : {0, 0, 0, 0, 255, 255, 255, 0})
        out.push_back(v);  // black, white
}

bool SymbolPixelLight(const uint8_t* row, int32_t x) { return ((row[x / 8] >> (7 - x % 8)) & 1) != 0; }

// One stored row: symbol row `row` enlarged across, padding bits set.
void AppendEnlargedRow(std::vector<uint8_t>& out, const uint8_t* row, int32_t side, int32_t rowBytes)
{
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(rowBytes), 0xFF);
    uint8_t* stored = out.data() + start;
    for (int32_t x = 0; x < side * kBmpModulePixels; ++x) {
        if (!SymbolPixelLight(row, x / kBmpModulePixels)) {
            stored[x / 8] = static_cast<uint8_t>(stored[x / 8] & ~(0x80u >> (x % 8)));
        }
    }
}

}  // namespace

Result<std::vector<uint8_t>, BuildFailure> BuildBmpFile(const uint8_t* bits, int32_t side, int32_t stride)
{
    if (bits == nullptr || side < 1 || side > kMaxSide || stride < (side + 7) / 8)
        return Fail(BuildFailure::NoPicture);
    const int32_t extent = side * kBmpModulePixels;  // W = H
    const int32_t rowBytes = BmpRowBytes(extent);
    const uint32_t imageBytes = static_cast<uint32_t>(rowBytes) * static_cast<uint32_t>(extent);

    std::vector<uint8_t> file;
    file.reserve(kBmpHeaderBytes + imageBytes);
    WriteHeaders(file, extent, extent, imageBytes);
    // Bottom picture row first: symbol rows from the last, each three times.
    for (int32_t y = extent - 1; y >= 0; --y) {
        const uint8_t* row = bits + static_cast<std::size_t>(y / kBmpModulePixels) * static_cast<std::size_t>(stride);
        AppendEnlargedRow(file, row, side, rowBytes);
    }
    return file;
}

Result<std::vector<uint8_t>, BuildFailure> BuildBmpFile(const QrBitmap& symbol)
{
    return BuildBmpFile(symbol.Bits(), symbol.Side(), symbol.Stride());
}

Result<void, WriteFailure> SaveBmpFile(const std::string& path, const QrBitmap& symbol, FileSync sync)
{
    const Result<std::vector<uint8_t>, BuildFailure> file = BuildBmpFile(symbol);
    if (!file)
        return Fail(WriteFailure{path, WriteFailure::Step::Build});
    return SaveWholeFile(path, std::string_view(reinterpret_cast<const char*>(file->data()), file->size()), sync);
}

}  // namespace nubora
