// The symbol the menu holds after an encoding, read back by zxing-cpp from
// the picture the code view is drawn from (nearest-neighbour, four pixels a
// module).
#pragma once

#include "decoders.h"
#include "nubora/app/main_menu_dialog.h"
#include "nubora/output/symbol_image.h"

#include <QImage>

namespace nubora::testing {

inline peers::ZxingReading ReadHeldSymbol(const MainMenuDialog& menu, int index = 0)
{
    const QrBitmap* bitmap = menu.codeBitmaps.At(index);
    if (!bitmap)
        return {};
    const QImage symbol = SymbolImage(bitmap);
    const QImage shown = symbol.scaled(symbol.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                             .convertToFormat(QImage::Format_Grayscale8);
    peers::GreyImage grey;
    grey.width = shown.width();
    grey.height = shown.height();
    for (int y = 0; y < shown.height(); ++y) {
        const uchar* row = shown.constScanLine(y);
        grey.pixels.insert(grey.pixels.end(), row, row + shown.width());
    }
    return peers::ReadWithZxing(grey);
}

}  // namespace nubora::testing
