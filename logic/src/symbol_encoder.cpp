#include "nubora/logic/symbol_encoder.h"

#include "nubora/logic/shell_rules.h"
#include "tavoqrenc.h"

#include <cstring>

namespace nubora {
namespace {

// The payload as the engine takes it: zero-terminated, with room to spare.
std::string EngineBuffer(const std::string& payload)
{
    std::string buffer(payload.size() + 2, '\0');
    std::memcpy(buffer.data(), payload.data(), payload.size());
    return buffer;
}

}  // namespace

EncodeOutcome EncodeSymbols(const std::string& payload, CodeSettings& settings, SymbolBitmaps& bitmaps)
{
    const std::string buffer = EngineBuffer(payload);
    QrEncodeParams params{settings.version, settings.level};
    bitmaps.Release();

    const int count = settings.splitCount;
    QrBitmap** made = nullptr;
    const int result = TavoQREnc_QrEncode(buffer.c_str(), static_cast<int32_t>(std::strlen(buffer.c_str())), count,
                                          &made, &params);
    if (result != 0) {
        // The engine leaves nothing to release on failure; should it ever
        // store an array anyway, it is not leaked.
        TavoQREnc_FreeBitmaps(made, count);
        return {false, EncodeFailureMessageId(result), {}};
    }
    bitmaps.Adopt(made, count);

    const std::string cellSize = CellSizeText(settings.cellSizeIndex);
    settings.printSizeMm = SizesFor(cellSize, params.version).printMm;
    return {true, 0, CodeInformationText(params.level, settings.cellSizeIndex, params.version)};
}

bool QueryAutomaticCodeInfo(const std::string& payload, CodeSettings& settings)
{
    const std::string buffer = EngineBuffer(payload);
    QrEncodeParams info{0, 0};
    if (TavoQREnc_GetCodeInfo(buffer.c_str(), settings.splitCount, &info) < 0)
        return false;
    settings.levelText = LevelText(info.level);
    settings.cellSizeText = CellSizeText(settings.cellSizeIndex);
    settings.versionText = std::to_string(info.version);
    return true;
}

}  // namespace nubora
