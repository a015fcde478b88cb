#include "nubora/app/symbol_bitmaps.h"

#include <cstdlib>

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
    for (int i = 0; i < count_; ++i)
        delete bitmaps_[i];
    std::free(bitmaps_);
    bitmaps_ = nullptr;
    count_ = 0;
}

const QrBitmap* SymbolBitmaps::At(int index) const
{
    return bitmaps_ && index >= 0 && index < count_ ? bitmaps_[index] : nullptr;
}

}  // namespace nubora
