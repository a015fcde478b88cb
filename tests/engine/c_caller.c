/* A plain C99 caller of the engine: the header compiles as C and the shared
 * library answers the queries. Exits non-zero on the first wrong answer. */
#include <stdio.h>

#include "tavoqrenc.h"

static int failures = 0;

static void expect(const char* what, long got, long want) {
    if (got != want) {
        fprintf(stderr, "%s: got %ld, want %ld\n", what, got, want);
        ++failures;
    }
}

int main(void) {
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

    TavoQREnc_FreeBitmaps(NULL, 3);
    expect("side of NULL", TavoQREnc_GetBitmapSide(NULL), 0);
    expect("bits of NULL", TavoQREnc_GetBitmapBits(NULL, NULL) == NULL, 1);

    if (failures == 0) printf("C caller: all answers right\n");
    return failures == 0 ? 0 : 1;
}
