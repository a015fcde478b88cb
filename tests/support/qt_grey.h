// A Qt picture as the grey picture the test decoders (zxing-cpp, zbar) take.
#pragma once

#include "decoders.h"

#include <QImage>

#include <cstdlib>
#include <string>

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

// Page `page` (1-based) of the PDF file `pdf`, rasterised by pdftoppm at
// `dpi` into `pdf`-`page`.png beside it, in grey; empty when pdftoppm fails.
inline peers::GreyImage RasterisedPdfPage(const std::string& pdf, int page, int dpi = 300)
{
    const std::string p = std::to_string(page), png = pdf + "-" + p;
    const std::string command = "pdftoppm -r " + std::to_string(dpi) + " -png -singlefile -f " + p + " -l " + p + " '" +
                                pdf + "' '" + png + "'";
    if (std::system(command.c_str()) != 0)
        return {};
    return GreyOf(QImage(QString::fromStdString(png + ".png")));
}

}  // namespace nubora::testing
