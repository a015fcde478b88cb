// The symbol a host holds after an encoding, read back by zxing-cpp from the
// picture the code view is drawn from (nearest-neighbour, four pixels a
// module) or from the code view's own drawing.
#pragma once

#include "decoders.h"
#include "nubora/logic/code_state.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/output/symbol_image.h"
#include "nubora/resources/control_ids.h"
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

// The symbol `view` shows of those `state` holds, as the view draws it (two
// pixels a module at (11, 24) of its picture), read by zxing-cpp.
inline peers::ZxingReading ReadShownSymbol(CodeViewDialog& view, const CodeState& state)
{
    const QrBitmap* bitmap = state.codeBitmaps.At(state.shownSymbol);
    QWidget* picture = view.Control(ctl::codeView::kPicture);
    if (!bitmap || !picture)
        return {};
    const int side = TavoQREnc_GetBitmapSide(bitmap);
    const QPoint corner = picture->geometry().topLeft() + QPoint(11, 24);
    return peers::ReadWithZxing(GreyOf(view.grab().toImage().copy(QRect(corner, QSize(2 * side, 2 * side)))));
}

}  // namespace nubora::testing
