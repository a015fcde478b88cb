// One engine symbol bitmap as a Qt image, for drawing, copying and saving.
#pragma once

#include "tavoqrenc.h"

#include <QImage>

namespace nubora {

// The symbol `bitmap` (quiet zone included) as a side × side 1-bit image
// (QImage::Format_Mono, colour 0 black, colour 1 white), pixel for pixel;
// a null image for a null bitmap.
QImage SymbolImage(const QrBitmap* bitmap);

}  // namespace nubora
