// Pictures from files, as grey pixels for the code reader: PNG, JPEG, BMP,
// GIF and the other formats of gdk-pixbuf's loaders, and the first page of a
// PDF document rendered by poppler. Both libraries need no display; they sit
// in a module of their own (libnubora_pictures.so), loaded at the first
// picture, so that a program that reads none starts without them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "nubora/logic/result.h"

namespace nubora {

// An 8-bit grey picture, rows top to bottom without padding: pixel (x, y)
// is pixels[y * width + x], 0 black to 255 white.
struct GreyPicture {
    std::vector<uint8_t> pixels;
    int width = 0;   // pixels, >= 1 in a loaded picture
    int height = 0;  // pixels, >= 1 in a loaded picture
};

// Why a file gave no picture.
enum class PictureFailure {
    FileUnreadable,  // no such file, no access, or reading it failed
    NotAnImage,      // no image format the loaders know, a broken image, or a PDF without a readable first page
    TooLarge,        // the picture does not fit in memory, or has more than kMaxPicturePixels
    ReaderMissing,   // the picture module is not installed beside the program
};

// The most pixels a picture may have: twice a 100-megapixel photograph. Its
// reading takes up to some 6 bytes a pixel at once (the loader's RGB, the
// grey copy, the decoder's binarised one).
inline constexpr int64_t kMaxPicturePixels = int64_t{200} << 20;

// The resolution at which the first page of a PDF document is rendered, in
// pixels per inch: 3 pixels to a module of 0.25 mm.
inline constexpr double kPdfRenderDpi = 300.0;

// The picture in the file at `path`. A file that begins with "%PDF-" is a
// PDF document, and its first page is rendered at kPdfRenderDpi; every other
// file goes to gdk-pixbuf. Transparent pixels are laid on white. Fails as
// PictureFailure says; never throws.
Result<GreyPicture, PictureFailure> LoadPicture(const std::string& path);

}  // namespace nubora
