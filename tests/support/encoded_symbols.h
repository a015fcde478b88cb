// The symbols of one encode call through the engine's C interface, released
// at the end of the scope: what the writer tests save and read back.
#pragma once

#include <cstdint>
#include <string>

#include "tavoqrenc.h"

namespace nubora::testing {

class Symbols {
public:
    // Encodes `text` into `count` symbols of `version` (0: automatic) at level M.
    Symbols(const std::string& text, int32_t count, int32_t version)
    {
        QrEncodeParams params{version, TAVOQRENC_LEVEL_M};
        status = TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), count, &array_, &params);
        count_ = status == TAVOQRENC_OK ? count : 0;
    }
    Symbols(const Symbols&) = delete;
    Symbols& operator=(const Symbols&) = delete;
    ~Symbols() { TavoQREnc_FreeBitmaps(array_, count_); }

    const QrBitmap& operator[](int32_t i) const { return *array_[i]; }
    const QrBitmap* const* All() const { return array_; }
    // The engine's result: TAVOQRENC_OK, or the failure.
    int32_t status = 0;

private:
    QrBitmap** array_ = nullptr;
    int32_t count_ = 0;
};

}  // namespace nubora::testing
