#include "nubora/logic/symbol_bitmaps.h"

namespace nubora {

void SymbolBitmaps::Adopt(QrBitmap** bitmaps, int count)
{
    Release();
    bitmaps_ = bitmaps;
    count_ = bitmaps ? count : 0;
}

void SymbolBitmaps::Release()
{
    if (!bitmaps_)
        return;
    TavoQREnc_FreeBitmaps(bitmaps_, count_);
    bitmaps_ = nullptr;
    count_ = 0;
}

const QrBitmap* SymbolBitmaps::At(int index) const
{
    return bitmaps_ && index >= 0 && index < count_ ? bitmaps_[index] : nullptr;
}

}  // namespace nubora
