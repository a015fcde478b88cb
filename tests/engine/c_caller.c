/* A plain C99 caller of the engine: the header compiles as C and the shared
 * library answers the queries. Exits non-zero on the first wrong answer. */
#include <stdio.h>

#include "tavoqrenc.h"

static int failures = 0;

static void expect(const char* what, long got, long want)
{
    if (got != want) {
        fprintf(stderr, "%s: got %ld, want %ld\n", what, got, want);
        ++failures;
    }
}

int main(void)
{
    int32_t versionLevel[2] = {1, TAVOQRENC_LEVEL_L};
    expect("length 1-L", TavoQREnc_GetAvailableLength(versionLevel), 10);
    versionLevel[1] = TAVOQRENC_LEVEL_H;
    expect("length 1-H", TavoQREnc_GetAvailableLength(versionLevel), 4);
    versionLevel[1] = 0;
    expect("length level 0", TavoQREnc_GetAvailableLength(versionLevel), TAVOQRENC_E_BAD_ARGUMENT);

    int32_t outVersion[2] = {-1, -1};
    expect("available version", TavoQREnc_GetAvailableVersion(1000, 0, outVersion), 26);
    expect("available version's version", outVersion[0], 3);
    expect("available version's second", outVersion[1], 0);

    QrEncodeParams params = {0, 0};
    expect("code info", TavoQREnc_GetCodeInfo("01234567", 1, &params), 0);
    expect("code info version", params.version, 1);
    expect("code info level", params.level, TAVOQRENC_LEVEL_M);

    QrBitmap** bitmaps = NULL;
    params.version = 16;
    expect("encode version 16", TavoQREnc_QrEncode("A", 1, 1, &bitmaps, &params), TAVOQRENC_E_BAD_ARGUMENT);
    expect("slot untouched", bitmaps == NULL, 1);

    params.version = 0;
    params.level = 0;
    expect("encode 01234567", TavoQREnc_QrEncode("01234567", 8, 1, &bitmaps, &params), 0);
    if (bitmaps != NULL) {
        int32_t stride = 0;
        const uint8_t* bits = TavoQREnc_GetBitmapBits(bitmaps[0], &stride);
        expect("encode version", params.version, 1);
        expect("encode level", params.level, TAVOQRENC_LEVEL_M);
        expect("side", TavoQREnc_GetBitmapSide(bitmaps[0]), 29);
        expect("stride", stride, 4);
        expect("bits", bits != NULL, 1);
        if (bits != NULL) {
            /* Row 0 is quiet zone; row 4 starts the finder at pixel 4: 1111 0000. */
            expect("quiet row", bits[0], 0xFF);
            expect("finder row", bits[4 * stride], 0xF0);
        }
        TavoQREnc_FreeBitmaps(bitmaps, 1);
        bitmaps = NULL;
    }

    versionLevel[1] = TAVOQRENC_LEVEL_L;
    expect("utf8 bytes 1-L", TavoQREnc_GetAvailableBytesUtf8(versionLevel, 1), 16);
    expect("utf8 overlong", TavoQREnc_QrEncodeUtf8("\xC0\xAF", 2, 1, &bitmaps, &params), TAVOQRENC_E_BAD_TEXT);
    expect("utf8 info", TavoQREnc_GetCodeInfoUtf8("\xE7\x94\xB0\xE4\xB8\xAD", 6, 1, &params) > 0, 1);

    TavoQREnc_FreeBitmaps(NULL, 3);
    expect("side of NULL", TavoQREnc_GetBitmapSide(NULL), 0);
    expect("bits of NULL", TavoQREnc_GetBitmapBits(NULL, NULL) == NULL, 1);

    if (failures == 0)
        printf("C caller: all answers right\n");
    return failures == 0 ? 0 : 1;
}
