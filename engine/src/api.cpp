// The exported C interface: each function forwards to the engine and turns any
// exception into a status code, so that none crosses the C boundary.
#include <cstdlib>
#include <new>

#include "encode.h"
#include "tavoqrenc.h"

namespace {

template <typename F>
int32_t Guarded(F&& body) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        return TAVOQRENC_E_OUT_OF_MEMORY;
    } catch (...) {
        return TAVOQRENC_E_CONTEXT;
    }
}

}  // namespace

extern "C" {

int32_t TavoQREnc_QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                           QrEncodeParams* params) {
    return Guarded([&] { return tavoqr::QrEncode(text, length, symbolCount, outBitmaps, params); });
}

int32_t TavoQREnc_QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps,
                            QrEncodeParams* params, int32_t* failedIndex) {
    return Guarded([&] { return tavoqr::QrEncode2(texts, textCount, outBitmaps, params, failedIndex); });
}

int32_t TavoQREnc_GetAvailableLength(const int32_t* versionLevel) {
    return Guarded([&] { return tavoqr::GetAvailableLength(versionLevel); });
}

int32_t TavoQREnc_GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion) {
    return Guarded([&] { return tavoqr::GetAvailableVersion(printWidth, cellSizeIndex, outVersion); });
}

int32_t TavoQREnc_GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params) {
    return Guarded([&] { return tavoqr::GetCodeInfo(text, symbolCount, params); });
}

int32_t TavoQREnc_GetBitmapSide(const QrBitmap* bitmap) { return bitmap == nullptr ? 0 : bitmap->Side(); }

const uint8_t* TavoQREnc_GetBitmapBits(const QrBitmap* bitmap, int32_t* stride) {
    if (bitmap == nullptr) return nullptr;
    if (stride != nullptr) *stride = bitmap->Stride();
    return bitmap->Bits();
}

void TavoQREnc_FreeBitmaps(QrBitmap** bitmaps, int32_t count) {
    if (bitmaps == nullptr) return;
    for (int32_t i = 0; i < count; ++i) delete bitmaps[i];
    std::free(bitmaps);
}

}  // extern "C"
