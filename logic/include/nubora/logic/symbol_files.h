// The symbol files besides the BMP picture: a PNG picture at a chosen
// resolution, a scalable SVG drawing and a vector PDF sheet for printing, all
// at the printed size of one module (the cell, in millimetres).
//
// Every file shows the whole symbol bitmap, the light quiet zone of 4 modules
// on every side included. Numbers in the text formats are written with a dot,
// whatever the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "nubora/logic/file_io.h"
#include "nubora/logic/result.h"
#include "tavoqrenc.h"

namespace nubora {

// The cell sizes the writers take, in millimetres per module.
inline constexpr double kMinSymbolCellMm = 0.05;
inline constexpr double kMaxSymbolCellMm = 5.0;

// Pixels per module a PNG picture may have.
inline constexpr int kMinPngModulePixels = 1;
inline constexpr int kMaxPngModulePixels = 50;

// The most symbols one PDF sheet takes: the parts of the largest split.
inline constexpr int kMaxPdfSheetSymbols = 16;

// The complete PNG file of `symbol`: a 1-bit greyscale picture (0 black,
// 1 white), not interlaced, every module a square of `pixelsPerModule` pixels
// (1..50), so Side() · pixelsPerModule pixels a side. Its pHYs chunk gives
// the resolution in pixels per metre, pixelsPerModule · 1000 / cellMm rounded,
// in both axes, so that the picture prints with modules of `cellMm`
// millimetres (kMinSymbolCellMm..kMaxSymbolCellMm). Chunks: IHDR, pHYs, one
// IDAT, IEND. Fails with NoPicture when the symbol has no pixels (or more
// than 1,000 a side, as for the other writers), OutOfRange when another
// argument is out of range, RenderFailed when zlib fails.
Result<std::vector<uint8_t>, BuildFailure> BuildPngFile(const QrBitmap& symbol, int pixelsPerModule, double cellMm);

// Saves BuildPngFile(symbol, pixelsPerModule, cellMm) at `path`, replacing any
// file there only once the new one is completely written; on failure an
// existing file is left as it was and nothing new remains. Fails at step
// Build when the arguments give no file (BuildPngFile fails), at step Write
// when the file could not be written.
Result<void, WriteFailure> SavePngFile(const std::string& path, const QrBitmap& symbol, int pixelsPerModule,
                                       double cellMm, FileSync sync = FileSync::Now);

// The complete SVG 1.1 document of `symbol`, in UTF-8: Side() · cellMm
// millimetres wide and high (cellMm in kMinSymbolCellMm..kMaxSymbolCellMm,
// the size written with at most 4 decimals), one user unit per module
// (viewBox 0 0 Side() Side()), a white background and one black path made of
// a rectangle per horizontal run of dark modules. Fails with NoPicture or
// OutOfRange as BuildPngFile.
Result<std::string, BuildFailure> BuildSvgFile(const QrBitmap& symbol, double cellMm);

// Saves BuildSvgFile(symbol, cellMm) at `path`, all or nothing and failing
// as SavePngFile.
Result<void, WriteFailure> SaveSvgFile(const std::string& path, const QrBitmap& symbol, double cellMm,
                                       FileSync sync = FileSync::Now);

// A PDF 1.4 document of A4 portrait pages (595.276 × 841.890 pt) with the
// `count` symbols (1..kMaxPdfSheetSymbols, none null) each filled as one
// vector path, one module cellMm millimetres (kMinSymbolCellMm..
// kMaxSymbolCellMm) = cellMm · 72 / 25.4 pt, the quiet zone left blank.
// One symbol stands in the middle of the page. The parts of a split
// (count ≥ 2) go in order, left to right and top to bottom, into a grid inside
// margins of 15 mm with gaps of 10 mm, each with "n/N" (9 pt) centred under
// it; the grid ends 10 mm above the footer's line and the parts that do not
// fit go on the following pages. A symbol larger than the space inside the
// margins runs over them, one a page. Every page has `footer` (UTF-8) on one
// line of 8 pt, at most 4 mm high and its bottom on the bottom margin, from
// the left margin on, shrunk or cut with "…" to stay inside the margins.
// Text is set in IPAPGothic, embedded as a subset. The file holds no
// creation date: the same arguments give the same bytes. Fails with
// NoPicture for a null or empty symbol, OutOfRange for a null `symbols`, a
// count or cell out of range, RenderFailed when the PDF could not be drawn.
Result<std::string, BuildFailure> BuildPdfSheet(const QrBitmap* const* symbols, int count, double cellMm,
                                                const std::string& footer);

// Saves BuildPdfSheet(symbols, count, cellMm, footer) at `path`, all or
// nothing as SavePngFile. Fails at step Build for a null `symbols` or null
// entry, a count outside 1..kMaxPdfSheetSymbols or a cell out of range, at
// step Write when the file could not be written.
Result<void, WriteFailure> SavePdfSheet(const std::string& path, const QrBitmap* const* symbols, int count,
                                        double cellMm, const std::string& footer, FileSync sync = FileSync::Now);

}  // namespace nubora
