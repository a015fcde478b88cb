// Independent QR Code decoders for the tests: zxing-cpp and zbar read the
// symbols the engine draws, so a symbol counts as correct only when real
// readers get the exact input bytes back from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tavoqrenc.h"

namespace nubora::peers {

// An 8-bit grey picture, one byte per pixel (0 black, 255 white), rows of
// `width` bytes top to bottom.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// Pixels per module of the pictures handed to the decoders.
inline constexpr int kModulePixels = 4;

// Draws a 1-bit symbol picture in the layout of QrBitmap (side pixels square,
// rows of `stride` bytes, most significant bit leftmost, 0 bit dark) as grey,
// every pixel enlarged to scale × scale. Returns an empty image for a null
// `bits`, a side below 1 or a scale below 1.
GreyImage RenderGrey(const uint8_t* bits, int32_t side, int32_t stride, int scale = kModulePixels);

// The same for an engine bitmap, read through the C interface only.
GreyImage RenderGrey(const QrBitmap* bitmap, int scale = kModulePixels);

// Places the pictures in one row, left to right with `gap` white pixels
// between them, on a white ground as tall as the tallest.
GreyImage SideBySide(const std::vector<GreyImage>& images, int gap = 8);

// What zxing-cpp read from one picture.
struct ZxingReading {
    bool valid = false;      // a QR Code symbol was found and decoded
    std::string bytes;       // the raw data bytes (Kanji mode as Shift-JIS)
    std::string ecLevel;     // "L", "M", "Q" or "H"
    int sequenceIndex = -1;  // structured append: 0-based position, else -1
    int sequenceSize = -1;   // structured append: number of symbols, else -1
    std::string sequenceId;  // structured append: the parity byte in decimal
    std::string error;       // the decoder's complaint when not valid
    std::string text{};      // the data as UTF-8, converted as the ECI (or a guess) says
    bool hasEci = false;     // the data carry an ECI designator
};

// Decodes the one QR Code symbol in `image` with zxing-cpp, QR Code only.
ZxingReading ReadWithZxing(const GreyImage& image);

// Every QR Code symbol zbar finds in `image`, in zbar's order, as raw bytes
// (binary mode) or, with `asText`, as UTF-8 text converted as the ECI (or
// zbar's guess) says. zbar joins the symbols of a complete structured-append
// sequence standing in the same picture into one result.
std::vector<std::string> ReadWithZbar(const GreyImage& image, bool asText = false);

// Exclusive-or of every byte of `text`: the parity of a structured-append header.
uint8_t Parity(const std::string& text);

// Escapes non-printable bytes as \xNN, for failure messages.
std::string Printable(const std::string& bytes);

}  // namespace nubora::peers
