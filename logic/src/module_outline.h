// The dark modules of a symbol as shapes for a vector drawing whose size
// grows with the code's edges rather than with its modules: their outline
// (the fewest corners that enclose them), or rectangles of runs.
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

// A rectangle of dark modules, in modules from the symbol's top-left corner
// (quiet zone included).
struct ModuleRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;   // > 0
    int32_t height = 0;  // > 0
};

// The dark modules of `symbol` as rectangles that do not overlap and cover
// exactly them: each run of dark modules in a row, joined with the same run
// in the rows below it. Ordered by their bottom row, then left to right.
// Fewer numbers than the outline for a PDF path: four a rectangle where an
// outline takes two a corner, and a QR Code symbol has nearly twice as many
// corners as runs.
std::vector<ModuleRect> DarkModuleRectangles(const QrBitmap& symbol);

}  // namespace nubora::detail
