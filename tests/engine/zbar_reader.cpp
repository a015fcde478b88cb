// zbar apart from zxing-cpp: their headers cannot share a translation unit
// (zxing's error macros clash with zbar's C++ wrappers).
#include <zbar.h>

#include <memory>

#include "decoders.h"

namespace nubora::peers {

std::vector<std::string> ReadWithZbar(const GreyImage& image, bool asText)
{
    using namespace zbar;  // the C++ view of zbar.h puts its C interface there
    std::vector<std::string> found;
    if (image.pixels.empty())
        return found;

    const std::unique_ptr<zbar_image_scanner_t, decltype(&zbar_image_scanner_destroy)> scanner(
        zbar_image_scanner_create(), &zbar_image_scanner_destroy);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 0);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_QRCODE, ZBAR_CFG_ENABLE, 1);
    zbar_image_scanner_set_config(scanner.get(), ZBAR_QRCODE, ZBAR_CFG_BINARY, asText ? 0 : 1);

    const std::unique_ptr<zbar_image_t, decltype(&zbar_image_destroy)> picture(zbar_image_create(),
                                                                               &zbar_image_destroy);
    zbar_image_set_format(picture.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(picture.get(), static_cast<unsigned>(image.width), static_cast<unsigned>(image.height));
    // zbar only reads the pixels; they stay owned by `image`.
    zbar_image_set_data(picture.get(), image.pixels.data(), image.pixels.size(), nullptr);

    if (zbar_scan_image(scanner.get(), picture.get()) <= 0)
        return found;
    for (const zbar_symbol_t* symbol = zbar_image_first_symbol(picture.get()); symbol != nullptr;
         symbol = zbar_symbol_next(symbol)) {
        if (zbar_symbol_get_type(symbol) != ZBAR_QRCODE)
            continue;
        found.emplace_back(zbar_symbol_get_data(symbol), zbar_symbol_get_data_length(symbol));
    }
    return found;
}

}  // namespace nubora::peers
