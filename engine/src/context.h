// The work context of one engine call: everything an encode or query builds,
// owned here and released when the call returns.
#pragma once

#include <cstdint>
#include <vector>

#include "tables.h"

namespace tavoqr {

// Modes, numbered by their 4-bit mode indicator.
inline constexpr int32_t kModeNumeric = 1;
inline constexpr int32_t kModeAlphanumeric = 2;
inline constexpr int32_t kModeStructuredAppend = 3;
inline constexpr int32_t kModeByte = 4;
inline constexpr int32_t kModeEci = 7;
inline constexpr int32_t kModeKanji = 8;

// ECI designator of UTF-8, and the bits of an ECI header with a designator
// below 128: mode indicator and one 8-bit designator codeword.
inline constexpr int32_t kEciUtf8 = 26;
inline constexpr int32_t kEciHeaderBits = 12;

// Largest structured-append sequence: index and N - 1 are 4-bit header fields.
inline constexpr int32_t kMaxSymbolCount = 16;
// Bits of a structured-append header: indicator, index, N - 1, parity.
inline constexpr int32_t kStructuredAppendHeaderBits = 20;

// A run of one character class, or a segment of one mode, over consecutive
// bytes of the text.
struct QrSegment {
    int32_t mode;       // 1, 2, 4 or 8
    int32_t bitLength;  // mode indicator + count indicator + data bits
    int32_t count;      // bytes held (two per Kanji character)
    int32_t offset;     // first byte in the text
};

// Characters of a run or segment: bytes, except two bytes per Kanji character.
constexpr int32_t CharacterCount(const QrSegment& s) noexcept { return s.mode == kModeKanji ? s.count / 2 : s.count; }

// The RS block structure of one symbol: group 1's blocks first, then group 2's.
struct QrBlockLayout {
    int32_t count = 0;                // blocks N1 + N2
    int32_t kmax = 0;                 // largest data codeword count of a block
    int32_t dataCount[kMaxBlocks]{};  // k_i
    int32_t ecCount[kMaxBlocks]{};    // e_i
    int32_t offset[kMaxBlocks]{};     // where block i's buffer starts in the storage
    int32_t storageSize = 0;          // sum of (k_i + e_i + 1)
};

// Block i's buffer of k_i + e_i + 1 bytes: data codewords at 0 .. k_i - 1,
// error correction codewords at kmax .. kmax + e_i - 1 (a block one codeword
// shorter than kmax has an unread gap at k_i).
QrBlockLayout MakeBlockLayout(const QrSymbolSpec& symbol) noexcept;

// Symbol construction: the mask chosen for the symbol being built.
struct QrMaskChoice {
    int32_t mask = -1;  // 0..7 once chosen, -1 before
    int32_t score = 0;  // its penalty (may be negative)
};

struct QrEncodeContext {
    // The text, measured up to its terminating zero.
    const uint8_t* text = nullptr;
    int32_t textLength = 0;

    QrSymbolSpec request{};  // only version and level set
    int32_t eci = -1;        // ECI designator (0..127) every symbol begins with, -1 for none
    QrSymbolSpec symbol{};   // the version estimate of the analysis, later the chosen symbol

    // Analysis.
    bool byteOnly = false;  // every byte is class 4
    std::vector<QrSegment> segments;
    int32_t totalCharacters = 0;

    // Structured append.
    std::vector<int32_t> quotas;  // N + 1 characters per symbol, the last always 0
    int32_t overflowBits = 0;     // X: bits by which the division exceeded the budget
    int32_t capacityBits = 0;     // of a fixed version
    uint8_t parity = 0;

    // The data and error correction codewords of the symbol being written.
    QrBlockLayout blocks{};
    std::vector<uint8_t> blockStorage;
    std::vector<uint8_t> dataCodewords;  // the symbol's data codeword sequence before blocking

    // Where the next symbol's characters begin: segment index and characters
    // of that segment already written.
    int32_t cursorSegment = 0;
    int32_t cursorCharacter = 0;

    // ---- Symbol construction: matrix, mask choice, bitmap ----------------
    // Working memory of the symbol being built. Sized on the first symbol of a
    // call and reused by every later one, so that a call allocates it once;
    // released with the context.
    int32_t side = 0;                 // w, modules per side of the symbol being built
    int32_t rasterStride = 0;         // bytes per raster row: ((w + 15) / 16) * 2
    std::vector<uint8_t> raster;      // w rows, 1 bit per module, MSB leftmost, bit 1 light
    std::vector<uint8_t> moduleMap;   // w * w: 0/1 light/dark data, 2/3 light/dark function
    std::vector<uint8_t> reserveMap;  // w * w: 1 = reserved or already holding a codeword bit
    std::vector<uint64_t> maskRows;   // bit rows of the mask choice (masking.cpp)
    QrMaskChoice maskChoice{};
    // ---- end of symbol construction ---------------------------------------
};

}  // namespace tavoqr
