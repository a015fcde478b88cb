// Saving a code as a file, the one way for the code view and for nubora-qr:
// the formats and their names, the pixels a module of a PNG picture, the PDF
// sheet's footer, and the save of a code in a format to a path.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "nubora/logic/file_io.h"
#include "nubora/logic/result.h"
#include "nubora/logic/symbol_bitmaps.h"

namespace nubora {

// The kinds of file a code can be saved as.
enum class SymbolFileFormat { Bmp, Png, Svg, Pdf };

// The lower-case name of `format`, as nubora-qr's --format takes it: "bmp",
// "png", "svg" or "pdf".
std::string_view FormatName(SymbolFileFormat format);

// The extension of a file of `format`: its name after a dot (".png").
std::string ExtensionOf(SymbolFileFormat format);

// The format called `name` exactly ("png", lower case, as FormatName gives
// it); nothing for any other text.
std::optional<SymbolFileFormat> SymbolFileFormatNamed(std::string_view name);

// The format named by the extension of the last name in `path`: ".bmp",
// ".png", ".svg" or ".pdf" in any mix of cases, after at least one other
// character. Nothing for any other or no extension.
std::optional<SymbolFileFormat> SymbolFileFormatFor(std::string_view path);

// Pixels per module of a saved PNG picture whose modules print `cellMm`
// millimetres wide: the fewest whole pixels that still give at least 300 dpi
// at that size, ceil(cellMm · 300 / 25.4) (3 for 0.25 mm, 8 for 0.6 mm),
// within kMinPngModulePixels..kMaxPngModulePixels. The picture's pHYs chunk
// keeps the print size whatever the count. kMinPngModulePixels for a cell of
// 0 or below.
int PngModulePixels(double cellMm);

// The PDF sheet's footer (UTF-8): the cell size, version, symbol count and
// print size of the code in `symbols` as the settings summary labels them,
// items apart by a full-width space, e.g. "ヌボラ　セルサイズ： 0.25mm　
// バージョン： 3　コード分割数： 2　印刷サイズ： 9.25mm" (sizes with two
// decimals). Version 0 when `symbols` holds none.
std::string SheetFooter(const SymbolBitmaps& symbols, double cellMm, double printSizeMm);

// Saves the code in `symbols` at `path` as a `format` file: a PDF sheet holds
// every symbol in order, labelled, with SheetFooter(symbols, cellMm,
// printSizeMm); the other formats hold symbol `shown` (0-based) alone: the
// BMP picture (3 pixels a module, byte for byte as ever), a PNG picture of
// PngModulePixels(cellMm) pixels a module, or an SVG drawing. `cellMm`: the
// printed module size, kMinSymbolCellMm..kMaxSymbolCellMm. A file at `path`
// is replaced only once the new one is completely written (`sync` as for
// WriteFileAtomically). Fails, naming `path`, when `shown` is not a symbol
// held, the cell is out of range (PNG, SVG, PDF) or the file could not be
// written; an existing file is then left as it was and nothing new remains.
// A symbol not held or a cell out of range fails at step Build.
Result<void, WriteFailure> SaveCodeFile(const std::string& path, SymbolFileFormat format, const SymbolBitmaps& symbols,
                                        int shown, double cellMm, double printSizeMm, FileSync sync = FileSync::Now);

}  // namespace nubora
