// A Qt picture as the grey picture the test decoders (zxing-cpp, zbar) take.
#pragma once

#include "decoders.h"

#include <QImage>

namespace nubora::testing {

// `image` in 8-bit grey, rows top to bottom; empty for a null image.
inline peers::GreyImage GreyOf(const QImage& image)
{
    peers::GreyImage out;
    if (image.isNull())
        return out;
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    out.width = grey.width();
    out.height = grey.height();
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* row = grey.constScanLine(y);
        out.pixels.insert(out.pixels.end(), row, row + grey.width());
    }
    return out;
}

}  // namespace nubora::testing
