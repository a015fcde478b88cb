// Placeholder until the symbol back end exists: renders nothing.
#include "symbol.h"

namespace tavoqr {

int32_t RenderSymbol(QrEncodeContext&, std::unique_ptr<QrBitmap>& out) {
    out.reset();
    return -303;
}

}  // namespace tavoqr
