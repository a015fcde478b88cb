#include "nubora/logic/shell_rules.h"

#include "nubora/resources/string_ids.h"
#include "tavoqrenc.h"

#include <charconv>

namespace nubora {
namespace {

// "： ": the full-width colon U+FF1A in CP932, then one half-width space.
constexpr std::string_view kSeparator = "\x81\x46 ";
constexpr std::string_view kLineEnd = "\r\n";

double ParseDecimal(std::string_view text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

constexpr std::string_view kLevelTexts[] = {"L(7%)", "M(15%)", "Q(25%)", "H(30%)"};
constexpr std::string_view kCellSizeTexts[] = {"0.25", "0.3", "0.35", "0.4", "0.45", "0.5", "0.55", "0.6"};

}  // namespace

Result<int, NumberFailure> ParseInteger(std::string_view text)
{
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return Fail(NumberFailure::OutOfRange);
    if (result.ec != std::errc())
        return Fail(NumberFailure::NotANumber);
    return value;
}

std::string LevelText(int level)
{
    return level >= 1 && level <= 4 ? std::string(kLevelTexts[level - 1]) : std::string();
}

std::string CellSizeText(int cellSizeIndex)
{
    return cellSizeIndex >= 0 && cellSizeIndex <= 7 ? std::string(kCellSizeTexts[cellSizeIndex]) : std::string();
}

double CellSizeMm(int cellSizeIndex) { return ParseDecimal(CellSizeText(cellSizeIndex)); }

std::optional<int> CellSizeIndexFromText(std::string_view cellSizeText)
{
    for (int i = 0; i < 8; ++i) {
        if (kCellSizeTexts[i] == cellSizeText)
            return i;
    }
    return std::nullopt;
}

int EncodeFailureMessageId(int engineResult)
{
    switch (engineResult) {
    case TAVOQRENC_E_SPLIT_IMPOSSIBLE: return res::str::kSplitImpossible;
    case TAVOQRENC_E_DATA_TOO_LONG: return res::str::kDataTooLong;
    default: return res::str::kEncodeFailed;
    }
}

std::string CodeInformationText(int level, int cellSizeIndex, int version)
{
    const SymbolSizes sizes = SizesFor(cellSizeIndex, version);
    std::string text;
    const auto line = [&text](std::string_view a, std::string_view b = {}) {
        text.append(kSeparator).append(a).append(b).append(kLineEnd);
    };
    line(LevelText(level));
    line(CellSizeText(cellSizeIndex), "mm");
    line(std::to_string(version));
    line(FormatMm2(sizes.printMm), "mm");
    line(FormatMm2(sizes.codeMm), "mm");
    return text;
}

int ExitQuestionId(bool exitFromCodeView, bool bmpSaved, bool allEntriesEmpty)
{
    if (exitFromCodeView)
        return bmpSaved ? res::str::kExitQuestion : res::str::kExitDiscardUnsaved;
    return allEntriesEmpty ? res::str::kExitQuestion : res::str::kExitDiscardEdits;
}

SymbolSizes SizesFor(int cellSizeIndex, int version)
{
    const double cell = CellSizeMm(cellSizeIndex);
    const int modules = 4 * version + 17;
    const double code = cell * modules;
    return {code, cell * 8 + code};
}

std::string FormatMm2(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::string(buffer, result.ptr);
}

std::string SettingsSummaryText(const CodeSettings& settings)
{
    const SymbolSizes sizes = SizesFor(settings.cellSizeIndex, settings.shownVersion);
    std::string text;
    const auto line = [&text](std::string_view a, std::string_view b = {}) {
        text.append(kSeparator).append(a).append(b).append(kLineEnd);
    };
    line(LevelText(settings.shownLevel));
    line(CellSizeText(settings.cellSizeIndex), "mm");
    line(std::to_string(settings.shownVersion));
    line(FormatMm2(sizes.printMm), "mm");
    line(FormatMm2(sizes.codeMm), "mm");
    line(std::to_string(settings.splitCount));
    return text;
}

std::string PayloadFormSummaryText(const CodeSettings& settings)
{
    if (settings.form == PayloadForm::Legacy)
        return {};
    return "\x8C\x60\x8E\xAE\x81\x46 \x95\x57\x8F\x80\x8C\x60\x8E\xAE\x81\x69UTF-8\x81\x6A";  // "形式：
                                                                                              // 標準形式（UTF-8）"
}

}  // namespace nubora
