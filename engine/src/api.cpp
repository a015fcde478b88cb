// The exported C interface: each function forwards to the engine, turns its
// Status into the public code, and turns any exception into a code too, so
// that none crosses the C boundary. This is the only place that knows the
// public codes.
#include <cstdlib>
#include <new>

#include "encode.h"
#include "status.h"
#include "tavoqrenc.h"

namespace {

using tavoqr::Result;
using tavoqr::Status;

int32_t PublicCode(Status status) noexcept
{
    switch (status) {
    case Status::kOk: return TAVOQRENC_OK;
    case Status::kDataTooLong: return TAVOQRENC_E_DATA_TOO_LONG;
    case Status::kBadArgument: return TAVOQRENC_E_BAD_ARGUMENT;
    case Status::kOutOfMemory: return TAVOQRENC_E_OUT_OF_MEMORY;
    case Status::kLookupFailed: return TAVOQRENC_E_CONTEXT;
    case Status::kSplitImpossible: return TAVOQRENC_E_SPLIT_IMPOSSIBLE;
    case Status::kBadText: return TAVOQRENC_E_BAD_TEXT;
    }
    return TAVOQRENC_E_CONTEXT;
}

// A count on success, else the public code of the failure.
int32_t PublicCode(Result<int32_t> result) noexcept { return result.Ok() ? result.value : PublicCode(result.status); }

template <typename F>
int32_t Guarded(F&& body) noexcept
{
    try {
        return PublicCode(body());
    } catch (const std::bad_alloc&) {
        return PublicCode(Status::kOutOfMemory);
    } catch (...) {
        return TAVOQRENC_E_CONTEXT;
    }
}

}  // namespace

extern "C" {

int32_t TavoQREnc_QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                           QrEncodeParams* params)
{
    return Guarded([&] { return tavoqr::QrEncode(text, length, symbolCount, outBitmaps, params); });
}

int32_t TavoQREnc_QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps, QrEncodeParams* params,
                            int32_t* failedIndex)
{
    return Guarded([&] { return tavoqr::QrEncode2(texts, textCount, outBitmaps, params, failedIndex); });
}

int32_t TavoQREnc_GetAvailableLength(const int32_t* versionLevel)
{
    return Guarded([&] { return tavoqr::GetAvailableLength(versionLevel); });
}

int32_t TavoQREnc_GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion)
{
    return Guarded([&] { return tavoqr::GetAvailableVersion(printWidth, cellSizeIndex, outVersion); });
}

int32_t TavoQREnc_GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params)
{
    return Guarded([&] { return tavoqr::GetCodeInfo(text, symbolCount, params); });
}

int32_t TavoQREnc_QrEncodeUtf8(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                               QrEncodeParams* params)
{
    return Guarded([&] { return tavoqr::QrEncodeUtf8(text, length, symbolCount, outBitmaps, params); });
}

int32_t TavoQREnc_GetCodeInfoUtf8(const char* text, int32_t length, int32_t symbolCount, QrEncodeParams* params)
{
    return Guarded([&] { return tavoqr::GetCodeInfoUtf8(text, length, symbolCount, params); });
}

int32_t TavoQREnc_GetAvailableBytesUtf8(const int32_t* versionLevel, int32_t symbolCount)
{
    return Guarded([&] { return tavoqr::GetAvailableBytesUtf8(versionLevel, symbolCount); });
}

int32_t TavoQREnc_GetBitmapSide(const QrBitmap* bitmap) { return bitmap == nullptr ? 0 : bitmap->Side(); }

const uint8_t* TavoQREnc_GetBitmapBits(const QrBitmap* bitmap, int32_t* stride)
{
    if (bitmap == nullptr)
        return nullptr;
    if (stride != nullptr)
        *stride = bitmap->Stride();
    return bitmap->Bits();
}

void TavoQREnc_FreeBitmaps(QrBitmap** bitmaps, int32_t count)
{
    if (bitmaps == nullptr)
        return;
    for (int32_t i = 0; i < count; ++i)
        delete bitmaps[i];
    std::free(bitmaps);
}

}  // extern "C"
