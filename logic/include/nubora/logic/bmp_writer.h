// The BMP picture of one symbol, as the code view saves it: a monochrome
// Windows bitmap file, every module enlarged to 3 × 3 pixels, quiet zone
// included.
//
// File layout (numbers little-endian), for a picture of W = H = 3s pixels:
//   offset  size  field
//      0      2   "BM"
//      2      4   file size, R · H + 62
//      6      4   two reserved words, 0
//     10      4   offset of the pixel rows, 62
//     14      4   info header size, 40
//     18      4   width W (signed)
//     22      4   height H (signed, positive: rows bottom-up)
//     26      2   planes, 1
//     28      2   bits per pixel, 1
//     30      4   compression, 0 (none)
//     34      4   size of the pixel rows, R · H
//     38     16   horizontal and vertical resolution, colours used, important colours: all 0
//     54      4   palette entry 0: black (blue, green, red, 0 = 0, 0, 0, 0)
//     58      4   palette entry 1: white (255, 255, 255, 0)
//     62  R · H   the rows, bottom row first; R = ((W + 31) div 32) · 4 bytes
// Within a row the leftmost pixel is the most significant bit of the first
// byte; a 0 bit is dark (entry 0), a 1 bit light. The bits after the W-th
// pixel of a row are all 1.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nubora/logic/file_io.h"
#include "nubora/logic/result.h"
#include "tavoqrenc.h"

namespace nubora {

// Pixels per module in the saved picture.
inline constexpr int32_t kBmpModulePixels = 3;
// Bytes before the pixel rows: file header 14, info header 40, palette 8.
inline constexpr int32_t kBmpHeaderBytes = 62;

// Bytes per stored row for a picture `width` pixels wide, 1 bit per pixel,
// rows padded to 32 bits.
constexpr int32_t BmpRowBytes(int32_t width) noexcept { return ((width + 31) / 32) * 4; }

// The complete file for a symbol picture of side × side pixels in the symbol
// bitmap layout (rows top-down, `stride` bytes each, most significant bit
// leftmost, 0 bit dark). Fails with NoPicture when bits is null, side is
// below 1 or above 10,000, or stride is shorter than a row.
Result<std::vector<uint8_t>, BuildFailure> BuildBmpFile(const uint8_t* bits, int32_t side, int32_t stride);

// The same for an engine symbol.
Result<std::vector<uint8_t>, BuildFailure> BuildBmpFile(const QrBitmap& symbol);

// Saves the symbol's BMP file at `path` (any length), replacing any file
// there only once the new one is completely written; on failure an existing
// file is left as it was. Fails at step Build when the symbol gives no file
// (BuildBmpFile fails), at step Write when the file could not be written.
// `sync` as for WriteFileAtomically.
Result<void, WriteFailure> SaveBmpFile(const std::string& path, const QrBitmap& symbol, FileSync sync = FileSync::Now);

}  // namespace nubora
