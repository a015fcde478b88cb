// Saving, printing and copying one symbol, apart from the code view that
// offers them: the save dialog's request and the format a chosen file is
// saved in (the saving itself is the logic's SaveCodeFile), the printed side in printer
// pixels, the printed page, the clipboard picture and its notice.
#pragma once

#include "nubora/framework/file_service.h"
#include "nubora/logic/symbol_bitmaps.h"
#include "nubora/logic/symbol_writer.h"

#include <QImage>
#include <QString>

#include <string>

namespace nubora {

namespace fw {
class PrintTarget;
}

// Pixels per module of the clipboard picture.
inline constexpr int kClipboardModulePixels = 5;

// The save dialog of a symbol: BMP first and by default (filter
// "QRコードイメージ(*.bmp)|*.bmp|…", default suffix "bmp"), then PNG, SVG, PDF
// and all files, starting in ~/Bitmap when that folder exists, else in the
// home folder.
fw::FileDialogRequest SymbolSaveRequest();

// The format a file chosen in that dialog is saved in: the one its extension
// names (SymbolFileFormatFor), BMP for any other name.
SymbolFileFormat SavedFormatFor(const std::string& path);

// Side of the printed symbol in printer pixels for a printer of
// `dotsPerInchY` (vertical resolution) and a print size of `printSizeMm`
// millimetres: trunc(dotsPerInchY × printSizeMm × 10 / 254). 0 for a
// resolution or size of 0 or below.
int PrintedSide(int dotsPerInchY, double printSizeMm);

// Prints `symbol` (quiet zone included) as one page of `target`: p × p
// printer pixels at the top-left corner of the printable area, p from
// PrintedSide, every module a sharp block (nearest neighbour). Nothing is
// drawn for a null symbol, but the page is still finished.
void PrintSymbol(fw::PrintTarget& target, const QImage& symbol, double printSizeMm);

// `symbol` enlarged to five pixels per module (5s × 5s), nearest neighbour.
QImage ClipboardPicture(const QImage& symbol);

// kCopiedToClipboard with `printSizeMm` in both places, "%.2f": for 7.25 the text
// reads "…｢7.25×7.25｣(単位：mm)です。".
QString ClipboardNotice(double printSizeMm);

}  // namespace nubora
