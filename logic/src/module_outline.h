// The outline of the dark modules of a symbol: the fewest corners that
// enclose them, for a vector drawing whose size grows with the code's edges
// rather than with its modules.
#pragma once

#include <cstdint>
#include <vector>

#include "tavoqrenc.h"

namespace nubora::detail {

// A corner between modules, in modules from the symbol's top-left corner
// (quiet zone included): 0..Side() each way.
struct ModuleCorner {
    int32_t x = 0;
    int32_t y = 0;
};

// Every closed outline of the dark modules of `symbol`, each a list of its
// corners in order, the last joined to the first, only where the outline
// turns. Outer edges run clockwise on the page (x right, y down) and the
// edges of light holes anticlockwise, so that filling them with the
// non-zero rule paints exactly the dark modules. Nothing for a symbol
// without dark modules.
std::vector<std::vector<ModuleCorner>> DarkModuleOutlines(const QrBitmap& symbol);

}  // namespace nubora::detail
