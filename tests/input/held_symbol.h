// The symbol the host holds after an encoding, read back by zxing-cpp from
// the picture the code view is drawn from (nearest-neighbour, four pixels a
// module).
#pragma once

#include "decoders.h"
#include "nubora/logic/code_state.h"
#include "nubora/output/symbol_image.h"
#include "qt_grey.h"

#include <QImage>

namespace nubora::testing {

inline peers::ZxingReading ReadHeldSymbol(const CodeState& state, int index = 0)
{
    const QrBitmap* bitmap = state.codeBitmaps.At(index);
    if (!bitmap)
        return {};
    const QImage symbol = SymbolImage(bitmap);
    return peers::ReadWithZxing(
        GreyOf(symbol.scaled(symbol.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
}

}  // namespace nubora::testing
