// The symbol bitmaps of the code now held: the engine's array of one bitmap
// per symbol, owned from the engine's return until Release.
#pragma once

#include "tavoqrenc.h"

namespace nubora {

class SymbolBitmaps {
public:
    SymbolBitmaps() = default;
    ~SymbolBitmaps() { Release(); }
    SymbolBitmaps(const SymbolBitmaps&) = delete;
    SymbolBitmaps& operator=(const SymbolBitmaps&) = delete;

    // Takes `bitmaps`, an engine array of `count` bitmaps, releasing any held before.
    void Adopt(QrBitmap** bitmaps, int count);
    // Destroys every bitmap and frees the array, through the engine's
    // TavoQREnc_FreeBitmaps; nothing when none is held.
    void Release();

    bool IsNull() const { return bitmaps_ == nullptr; }
    int Count() const { return count_; }
    // Bitmap `index` (0-based), or null.
    const QrBitmap* At(int index) const;

private:
    QrBitmap** bitmaps_ = nullptr;
    int count_ = 0;
};

}  // namespace nubora
