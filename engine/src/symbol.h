// Turning one symbol's data codewords into its finished bitmap: error
// correction, matrix, masking and format information, rendering.
#pragma once

#include <cstdint>
#include <memory>

#include "context.h"
#include "status.h"
#include "tavoqrenc.h"

namespace tavoqr {

// Builds the symbol of ctx.symbol from the data codewords in ctx.blocks /
// ctx.blockStorage (written by WriteSymbolData): adds every block's error
// correction codewords, lays out the matrix, chooses and applies the mask,
// writes format and version information and renders the bitmap with its
// quiet zone into `out`. Returns Status::kOk, Status::kBadArgument (a version,
// error correction count, level or mask outside the tables) or
// Status::kOutOfMemory; on failure `out` is empty.
Status RenderSymbol(QrEncodeContext& ctx, std::unique_ptr<QrBitmap>& out);

}  // namespace tavoqr
