// The symbol matrix: function patterns, reserved areas, codeword placement
// along the zig-zag path and version information.
//
// Coordinates are in modules: x the column (0 = left), y the row (0 = top),
// both 0..w-1 with w = 4 * version + 17. Three parallel structures in the
// context describe the symbol being built:
//   raster      w rows of RasterStride(w) bytes, module (x, y) at bit
//               7 - x % 8 of byte y * stride + x / 8; bit 1 light, 0 dark;
//               padding bits stay 1;
//   moduleMap   w * w bytes at y * w + x: 0 / 1 light / dark data module
//               (remainder modules stay 0), 2 / 3 light / dark function
//               module (finder, separator, timing, alignment, format and
//               version information areas, the dark module);
//   reserveMap  w * w bytes: 1 where no codeword bit may go or one already is.
#pragma once

#include <cstdint>
#include <span>

#include "context.h"
#include "status.h"

namespace tavoqr {

// Side in modules of a version (1..40): 4 * version + 17.
constexpr int32_t SymbolSide(int32_t version) noexcept { return 4 * version + 17; }

// Bytes per raster row for a side of w modules: rows padded to 16 bits.
constexpr int32_t RasterStride(int32_t side) noexcept { return ((side + 15) / 16) * 2; }

// Centre coordinates of the alignment patterns of a version (2..40), in
// ascending order; empty for version 1 and outside 1..40.
std::span<const uint8_t> AlignmentCentres(int32_t version) noexcept;

// The 18-bit version information word of a version (7..40), BCH(18,6)
// protected; 0 outside 7..40.
uint32_t VersionInformation(int32_t version) noexcept;

// Sizes the structures for ctx.symbol.version (1..40), sets ctx.side and
// ctx.rasterStride and fills the raster with light. Returns Status::kOk, or
// Status::kBadArgument for a version outside 1..40 (nothing changed).
Status ClearRaster(QrEncodeContext& ctx);

// Zeroes the module and reserve maps, then draws and reserves, in this order:
// timing patterns, finder patterns with separators and format areas,
// alignment patterns, remainder modules (reserved, left 0), version
// information areas (V >= 7, left light), and the dark module (8, w - 8).
// Needs ClearRaster first. Returns Status::kOk, or Status::kBadArgument when
// ClearRaster has not run.
Status BuildFunctionPatterns(QrEncodeContext& ctx);

// Places the codewords of ctx's blocks (error correction included) in stream
// order, most significant bit first, along the zig-zag path over every
// unreserved module: 1 bits dark in the raster, every bit into the module
// map (0 / 1) and the reserve map. Returns Status::kOk, or
// Status::kBadArgument when the free modules of the path are not exactly 8
// bits per codeword (a broken table).
Status PlaceData(QrEncodeContext& ctx);

// Draws the version information of ctx.side's version into both of its
// areas (the raster only; the module map keeps 2 there). Does nothing below
// version 7. Returns Status::kOk, or Status::kBadArgument for a coordinate
// outside the symbol.
Status WriteVersionInformation(QrEncodeContext& ctx);

// Inverts the raster bit of module (x, y) when bit is 1 (a light module
// becomes dark), leaves it when 0. Returns Status::kOk, or
// Status::kBadArgument for x or y outside 0..w-1 (nothing changed).
Status ToggleModule(QrEncodeContext& ctx, int32_t x, int32_t y, int32_t bit) noexcept;

// True when the raster shows module (x, y) dark; x and y in 0..w-1.
inline bool RasterIsDark(const QrEncodeContext& ctx, int32_t x, int32_t y) noexcept
{
    const uint8_t byte = ctx.raster[static_cast<size_t>(y * ctx.rasterStride + x / 8)];
    return ((byte >> (7 - x % 8)) & 1) == 0;
}

}  // namespace tavoqr
