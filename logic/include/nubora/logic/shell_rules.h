// Rules of the application shell that need no window: which exit question
// to ask, the symbol sizes in millimetres and the settings summary text.
#pragma once

#include "nubora/logic/code_settings.h"
#include "nubora/logic/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace nubora {

// The string id of the exit question: from the code view, kExitQuestion
// when the code was saved as BMP, else kExitDiscardUnsaved; otherwise
// kExitQuestion when every entry of the input screens is empty, else
// kExitDiscardEdits.
int ExitQuestionId(bool exitFromCodeView, bool bmpSaved, bool allEntriesEmpty);

struct SymbolSizes {
    double codeMm;   // cell size × modules per side
    double printMm;  // the symbol with its quiet zone of four modules a side
};

// Sizes for cell size `cellSizeIndex` (0..7; any other counts as 0 mm) and
// `version` (modules per side 4 × version + 17).
SymbolSizes SizesFor(int cellSizeIndex, int version);

// `value` formatted like "%.2f", independent of the locale.
std::string FormatMm2(double value);

// "L(7%)", "M(15%)", "Q(25%)", "H(30%)" for levels 1..4; empty otherwise.
std::string LevelText(int level);
// "0.25", "0.3", ... "0.6" for cellSizeIndex 0..7; empty otherwise.
std::string CellSizeText(int cellSizeIndex);
// The same cell size in millimetres; 0 outside 0..7.
double CellSizeMm(int cellSizeIndex);
// cellSizeIndex 0..7 for one of the eight cell-size texts (exact); nothing
// for any other text.
std::optional<int> CellSizeIndexFromText(std::string_view cellSizeText);

// Why a text gave no integer.
enum class NumberFailure {
    NotANumber,  // it does not begin with a decimal integer
    OutOfRange,  // its integer does not fit in an int
};

// The decimal integer at the start of `text` (an optional minus sign, then
// digits; anything after them is ignored).
Result<int, NumberFailure> ParseInteger(std::string_view text);

// The string id of the message for a failed encoding: kSplitImpossible when
// the data cannot be split into the symbols (TAVOQRENC_E_SPLIT_IMPOSSIBLE),
// kDataTooLong when it is too long (TAVOQRENC_E_DATA_TOO_LONG), kEncodeFailed for
// any other failure.
int EncodeFailureMessageId(int engineResult);

// The code view's five-line information text (CP932 bytes, lines ending in
// CR LF): the level the engine used, the cell size, the version it used, the
// print size and the code size, each after the full-width colon and a space.
std::string CodeInformationText(int level, int cellSizeIndex, int version);

// The six-line settings summary of an input screen (CP932 bytes, lines
// ending in CR LF): level, cell size, version, print size, code size and
// split count, each after the full-width colon and a space.
std::string SettingsSummaryText(const CodeSettings& settings);

// The payload form beside that summary (CP932): "形式： 標準形式（UTF-8）" for
// the standard form, empty for the legacy one, which is not named.
std::string PayloadFormSummaryText(const CodeSettings& settings);

}  // namespace nubora
