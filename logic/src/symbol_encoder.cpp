#include "nubora/logic/symbol_encoder.h"

#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_readback.h"
#include "nubora/resources/string_ids.h"
#include "tavoqrenc.h"

#include <cstring>

namespace nubora {

Result<EncodeSuccess, EncodeFailure> EncodeSymbols(const std::string& payload, CodeSettings& settings,
                                                   SymbolBitmaps& bitmaps)
{
    QrEncodeParams params{settings.version, settings.level};
    bitmaps.Release();

    const int count = settings.splitCount;
    QrBitmap** made = nullptr;
    // The Shift-JIS entry point reads the text up to its first zero byte, as
    // it always has; the UTF-8 one refuses a zero byte.
    const int result = settings.form == PayloadForm::Standard
                           ? TavoQREnc_QrEncodeUtf8(payload.data(), static_cast<int32_t>(payload.size()), count, &made,
                                                    &params)
                           : TavoQREnc_QrEncode(payload.c_str(), static_cast<int32_t>(std::strlen(payload.c_str())),
                                                count, &made, &params);
    if (result != 0) {
        // The engine leaves nothing to release on failure; should it ever
        // store an array anyway, it is not leaked.
        TavoQREnc_FreeBitmaps(made, count);
        return Fail(EncodeFailure{EncodeFailureMessageId(result)});
    }
    bitmaps.Adopt(made, count);

    settings.printSizeMm = SizesFor(settings.cellSizeIndex, params.version).printMm;
    return EncodeSuccess{CodeInformationText(params.level, settings.cellSizeIndex, params.version), params.version,
                         params.level};
}

Result<void, EncodeFailure> QueryAutomaticCodeInfo(const std::string& payload, CodeSettings& settings)
{
    QrEncodeParams info{0, 0};
    const int result = settings.form == PayloadForm::Standard
                           ? TavoQREnc_GetCodeInfoUtf8(payload.data(), static_cast<int32_t>(payload.size()),
                                                       settings.splitCount, &info)
                           : TavoQREnc_GetCodeInfo(payload.c_str(), settings.splitCount, &info);
    if (result < 0)
        return Fail(EncodeFailure{res::str::kDataTooLong});
    settings.shownLevel = info.level;
    settings.shownVersion = info.version;
    return {};
}

Result<int, CapacityFailure> AvailableBytes(PayloadForm form, int version, int level, int symbolCount)
{
    const int32_t versionLevel[2] = {version, level};
    const int32_t capacity = form == PayloadForm::Standard ? TavoQREnc_GetAvailableBytesUtf8(versionLevel, symbolCount)
                                                           : TavoQREnc_GetAvailableLength(versionLevel);
    if (capacity < 0)
        return Fail(CapacityFailure{capacity});
    return form == PayloadForm::Standard ? capacity : capacity * symbolCount;
}

Result<EncodeSuccess, EncodeFailure> EncodeReadBack(const std::string& payload, CodeSettings& settings,
                                                    SymbolBitmaps& bitmaps, text::TextCharset charset,
                                                    const BeforeReadBack& beforeReadBack)
{
    Result<EncodeSuccess, EncodeFailure> made = EncodeSymbols(payload, settings, bitmaps);
    if (!made)
        return made;
    if (beforeReadBack)
        beforeReadBack(bitmaps);
    if (!ReadsBackAs(bitmaps, payload, charset)) {
        bitmaps.Release();
        return Fail(EncodeFailure{res::str::kReadBackFailed});
    }
    return made;
}

}  // namespace nubora
