// The version of a symbol that the decoder found, measured in the picture:
// the decoder tells where the symbol lies but not how many modules it has.
#pragma once

#include <array>

#include "nubora/logic/picture_file.h"

namespace nubora::detail {

// A point of the picture, in pixels.
struct PicturePoint {
    double x = 0;
    double y = 0;
};

// The outer corners of a symbol in the picture: top left, top right, bottom
// right and bottom left as the symbol reads (the finder patterns at the
// first, second and fourth).
using SymbolCorners = std::array<PicturePoint, 4>;

// The version 1..40 whose finder and timing patterns the picture shows best
// between `corners`, each module sampled at its centre; 0 when no version
// matches well enough (a blurred or tiny symbol) or the corners are degenerate.
int ProbeSymbolVersion(const GreyPicture& picture, const SymbolCorners& corners);

}  // namespace nubora::detail
