// The dark modules of a symbol as closed outlines, for drawing a code as one
// path on any device (the PDF writer draws the same outlines).
#pragma once

#include <cstdint>
#include <vector>

#include "tavoqrenc.h"

namespace nubora {

// A corner between modules, in modules from the symbol's top-left corner
// (quiet zone included): 0..Side() each way.
struct OutlineCorner {
    int32_t x = 0;
    int32_t y = 0;
};

// Every closed outline of the dark modules of `symbol`, each its corners in
// order, the last joined to the first. Outer edges run clockwise on the page
// (x right, y down) and the edges of light holes anticlockwise: filled with
// the non-zero (winding) rule they paint exactly the dark modules. Nothing
// for a symbol without dark modules.
std::vector<std::vector<OutlineCorner>> SymbolOutlines(const QrBitmap& symbol);

}  // namespace nubora
