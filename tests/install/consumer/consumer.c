/* An outside C program on the installed engine: encodes "01234567", prints the
 * side of the symbol and fails unless it is the 29 pixels of a version 1
 * symbol with its quiet zone. */
#include <stdio.h>
#include <string.h>
#include <tavoqrenc.h>

int main(void)
{
    const char* text = "01234567";
    QrBitmap** bitmaps = NULL;
    QrEncodeParams params = {0, 0};
    int32_t status = TavoQREnc_QrEncode(text, (int32_t)strlen(text), 1, &bitmaps, &params);
    if (status != TAVOQRENC_OK) {
        fprintf(stderr, "TavoQREnc_QrEncode: %d\n", (int)status);
        return 1;
    }
    int32_t side = TavoQREnc_GetBitmapSide(bitmaps[0]);
    printf("version %d, side %d\n", (int)params.version, (int)side);
    TavoQREnc_FreeBitmaps(bitmaps, 1);
    return params.version == 1 && side == 29 ? 0 : 1;
}
