/*
 * tavoqrenc.h — the ヌボラ QR Code engine (ISO/IEC 18004 model 2, versions 1..15).
 *
 * Texts are zero-terminated Shift-JIS (CP932) byte strings, except for the
 * functions ending in Utf8, which take UTF-8 bytes and a length and mark their
 * symbols as UTF-8 with an ECI; the engine does no character set conversion.
 * Every function returns a signed 32-bit status:
 * 0, or a non-negative count for the queries, on success; one of the negative
 * TAVOQRENC_E_* codes otherwise. The engine keeps no state between calls and
 * every function is re-entrant.
 *
 * Ownership: on success an encode function stores in *outBitmaps an array of
 * symbol bitmaps, one per symbol, allocated by the engine. The caller owns the
 * array and every bitmap in it and releases them with TavoQREnc_FreeBitmaps
 * (or, from C++, by deleting each bitmap and then calling free() on the array).
 * On failure *outBitmaps is left as it was and nothing has to be released.
 */
#ifndef TAVOQRENC_H
#define TAVOQRENC_H

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#if defined(TAVOQRENC_BUILDING)
#define TAVOQRENC_API __attribute__((visibility("default")))
#else
#define TAVOQRENC_API
#endif

/* Status codes. There is no -305. */
#define TAVOQRENC_OK 0
#define TAVOQRENC_E_DATA_TOO_LONG (-301)    /* no version up to 15 holds the data at the level */
#define TAVOQRENC_E_BAD_ARGUMENT (-302)     /* null pointer, zero count, value out of range */
#define TAVOQRENC_E_OUT_OF_MEMORY (-303)    /* an allocation failed */
#define TAVOQRENC_E_CONTEXT (-304)          /* the work context could not be prepared */
#define TAVOQRENC_E_SPLIT_IMPOSSIBLE (-306) /* the text cannot be divided into the symbols */
#define TAVOQRENC_E_BAD_TEXT (-307)         /* a UTF-8 text is not well-formed or holds a zero byte */

/* Error correction levels, as used in QrEncodeParams and every query. */
#define TAVOQRENC_LEVEL_DEFAULT 0 /* same as M */
#define TAVOQRENC_LEVEL_L 1
#define TAVOQRENC_LEVEL_M 2
#define TAVOQRENC_LEVEL_Q 3
#define TAVOQRENC_LEVEL_H 4

/*
 * The request of an encode or information call, and its result.
 * On entry: version 0 = choose automatically, 1..15 = exactly this version;
 *           level 0 = default (M), 1 = L, 2 = M, 3 = Q, 4 = H.
 * On success: the version (1..15) and level (1..4) actually used.
 */
typedef struct QrEncodeParams {
    int32_t version;
    int32_t level;
} QrEncodeParams;

#ifdef __cplusplus

/*
 * One symbol as a 1-bit image: side s = 4 * version + 17 + 8 pixels, one pixel
 * per module inside a light quiet zone of 4 modules on every side. Rows run top
 * to bottom, each padded to a whole number of 16-bit words; within a byte the
 * most significant bit is the leftmost pixel; a 0 bit is dark, a 1 bit light.
 * The nominal dimension (the size property consumers read s from) is s × s.
 */
class QrBitmap {
public:
    /* Takes ownership of bits, which must come from new uint8_t[side * Stride(side)]. */
    QrBitmap(int32_t side, uint8_t* bits) noexcept : side_(side), bits_(bits), dimensionX_(side), dimensionY_(side) {}
    QrBitmap(const QrBitmap&) = delete;
    QrBitmap& operator=(const QrBitmap&) = delete;
    virtual ~QrBitmap() { delete[] bits_; }

    /* Bytes per row for a side of `side` pixels: rows padded to 16 bits. */
    static int32_t Stride(int32_t side) noexcept { return ((side + 15) / 16) * 2; }

    /* Side in pixels (width = height). */
    int32_t Side() const noexcept { return side_; }
    int32_t Stride() const noexcept { return Stride(side_); }
    const uint8_t* Bits() const noexcept { return bits_; }

    /* The nominal dimension, s × s. */
    int32_t DimensionX() const noexcept { return dimensionX_; }
    int32_t DimensionY() const noexcept { return dimensionY_; }

    /* True when pixel (x, y) is dark; x and y in 0..Side()-1. */
    bool IsDark(int32_t x, int32_t y) const noexcept { return ((bits_[y * Stride() + x / 8] >> (7 - x % 8)) & 1) == 0; }

private:
    int32_t side_;
    uint8_t* bits_;
    int32_t dimensionX_;
    int32_t dimensionY_;
};

extern "C" {
#else
typedef struct QrBitmap QrBitmap;
#endif

/*
 * Encodes `text` as symbolCount symbols: 1 = one ordinary symbol, 2..16 = a
 * structured-append sequence, all of one version and level.
 *   text        zero-terminated; the engine measures it itself
 *   length      must be non-zero; otherwise unused
 *   symbolCount 1..16
 *   outBitmaps  *outBitmaps must be NULL on entry; receives symbolCount bitmaps
 *   params      request on entry (version 0..15, level 0..4), result on success
 * Returns 0, -301, -302, -303, -304 or -306.
 */
TAVOQRENC_API int32_t TavoQREnc_QrEncode(const char* text, int32_t length, int32_t symbolCount, QrBitmap*** outBitmaps,
                                         QrEncodeParams* params);

/*
 * Encodes each of textCount texts as one independent symbol, in order, with
 * the version and level of params; on success params holds those of the last
 * text. When text i cannot be encoded, i is stored in *failedIndex.
 * Returns 0, -301, -302, -303, -304 or -306.
 */
TAVOQRENC_API int32_t TavoQREnc_QrEncode2(const char* const* texts, int32_t textCount, QrBitmap*** outBitmaps,
                                          QrEncodeParams* params, int32_t* failedIndex);

/*
 * versionLevel points to two integers, version 1..40 and level 1..4.
 * Returns the number of Kanji-mode characters one such symbol holds, or -302.
 */
TAVOQRENC_API int32_t TavoQREnc_GetAvailableLength(const int32_t* versionLevel);

/*
 * printWidth: the printable width in hundredths of a millimetre, at least 29
 * modules of the chosen size; cellSizeIndex 0..7 selects 0.25, 0.30 ... 0.60 mm.
 * outVersion receives the largest version (at most 15) whose symbol with its
 * quiet zone fits the width, then 0. Returns the Kanji-mode capacity of that
 * version at level M, or -302.
 */
TAVOQRENC_API int32_t TavoQREnc_GetAvailableVersion(int32_t printWidth, int32_t cellSizeIndex, int32_t* outVersion);

/*
 * Tells the version and level that encoding `text` into symbolCount symbols
 * with the request in params would need, without encoding. An empty text
 * gives version 1, level 2. Returns 0, -301, -302 or -306.
 */
TAVOQRENC_API int32_t TavoQREnc_GetCodeInfo(const char* text, int32_t symbolCount, QrEncodeParams* params);

/*
 * Encodes `text`, UTF-8, as symbolCount symbols like TavoQREnc_QrEncode, for
 * readers that take the bytes as UTF-8. Every symbol begins with the ECI
 * designator 26 (UTF-8), after its structured-append header when there is
 * one, unless the text holds only the 45 characters of alphanumeric mode
 * (digits, capitals, space and $ % * + - . / :), which read the same in every
 * reader without it. Then come the data: runs of digits in numeric and of
 * digits and capitals in alphanumeric mode wherever that takes fewer bits
 * than bytes, everything else in byte mode, never Kanji mode, the modes
 * chosen for the fewest bits. The symbols are of the smallest version at the
 * level that holds them (or of the requested version). A structured-append
 * sequence divides the text only between characters, as evenly as that
 * version allows, so that every symbol alone holds well-formed UTF-8; the
 * parity is that of all `length` bytes.
 *   text        `length` bytes of UTF-8, not necessarily zero-terminated; it
 *               must be well-formed (no stray continuation byte, no cut-off or
 *               overlong sequence, no surrogate, nothing above U+10FFFF) and
 *               hold no zero byte
 *   length      bytes of text, at least 1
 *   symbolCount 1..16
 *   outBitmaps  *outBitmaps must be NULL on entry; receives symbolCount bitmaps
 *   params      request on entry (version 0..15, level 0..4), result on success
 * Returns 0; -302 for a bad argument; -307 when the text is not well-formed
 * (checked whole, after the arguments); -306 when it has fewer characters than
 * symbolCount; -301 when no version up to 15 (or not the requested one) holds
 * it in symbolCount symbols; -303.
 */
TAVOQRENC_API int32_t TavoQREnc_QrEncodeUtf8(const char* text, int32_t length, int32_t symbolCount,
                                             QrBitmap*** outBitmaps, QrEncodeParams* params);

/*
 * Tells the version and level that TavoQREnc_QrEncodeUtf8 would use for the
 * same arguments, without encoding, and how full the fullest symbol is.
 *   text, symbolCount  as for TavoQREnc_QrEncodeUtf8
 *   length             bytes of text, 0 or more
 *   params             request on entry, result on success
 * Returns the data bits the fullest symbol needs (headers, segments, without
 * terminator and padding) in percent of its data capacity, rounded up:
 * 1..100. A length of 0 returns 0 with the requested version (1 when
 * automatic) and level (M for the default). On failure the codes of
 * TavoQREnc_QrEncodeUtf8, and params is left as it was.
 */
TAVOQRENC_API int32_t TavoQREnc_GetCodeInfoUtf8(const char* text, int32_t length, int32_t symbolCount,
                                                QrEncodeParams* params);

/*
 * versionLevel points to two integers, version 1..40 and level 1..4;
 * symbolCount 1..16. Returns the bytes of UTF-8 text that symbolCount symbols
 * of that version and level hold together in byte mode: for each symbol, its
 * data bits less 20 for the structured-append header (symbolCount > 1), 12
 * for the ECI header and 4 + 8 (versions 1..9) or 4 + 16 (versions 10..40)
 * for one byte segment's mode and count indicators, in whole bytes, times
 * symbolCount; for example 16 for version 1 level L. Digits and capitals may
 * make room for more; a division between characters may leave up to 3 bytes
 * unused in a symbol. Returns -302 for values outside the ranges.
 */
TAVOQRENC_API int32_t TavoQREnc_GetAvailableBytesUtf8(const int32_t* versionLevel, int32_t symbolCount);

/* Side of a symbol bitmap in pixels, or 0 for NULL. */
TAVOQRENC_API int32_t TavoQREnc_GetBitmapSide(const QrBitmap* bitmap);

/* The pixel rows of a symbol bitmap (layout as for QrBitmap above); *stride,
 * when stride is not NULL, receives the bytes per row. NULL for NULL. */
TAVOQRENC_API const uint8_t* TavoQREnc_GetBitmapBits(const QrBitmap* bitmap, int32_t* stride);

/* Destroys each of the count bitmaps (NULL entries are skipped), then frees
 * the array. Does nothing for a NULL array. */
TAVOQRENC_API void TavoQREnc_FreeBitmaps(QrBitmap** bitmaps, int32_t count);

#ifdef __cplusplus
}
#endif

#endif /* TAVOQRENC_H */
