// Turning one symbol's data codewords into its finished bitmap: error
// correction, matrix, masking and format information, rendering.
#pragma once

#include <cstdint>
#include <memory>

#include "context.h"
#include "tavoqrenc.h"

namespace tavoqr {

// Builds the symbol of ctx.symbol from the data codewords in ctx.blocks /
// ctx.blockStorage (written by WriteSymbolData): adds every block's error
// correction codewords, lays out the matrix, chooses and applies the mask,
// writes format and version information and renders the bitmap with its
// quiet zone into `out`. Returns 0, -302 or -303; on failure `out` is empty.
int32_t RenderSymbol(QrEncodeContext& ctx, std::unique_ptr<QrBitmap>& out);

}  // namespace tavoqr
