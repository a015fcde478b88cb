// The dark modules of a symbol as shapes for drawing a code as one path on
// any device, whose size grows with the code's edges rather than with its
// modules: closed outlines (the printer), or rectangles of runs (the PDF).
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

// A rectangle of dark modules, in modules from the symbol's top-left corner
// (quiet zone included).
struct DarkRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;   // > 0
    int32_t height = 0;  // > 0
};

// The dark modules of `symbol` as rectangles that do not overlap and cover
// exactly them: each run of dark modules in a row, joined with the same run
// in the rows below it. Ordered by their bottom row, then left to right.
// Fewer numbers than the outlines for a PDF path: four a rectangle where an
// outline takes two a corner, and a QR Code symbol has nearly twice as many
// corners as runs.
std::vector<DarkRect> SymbolRectangles(const QrBitmap& symbol);

}  // namespace nubora
