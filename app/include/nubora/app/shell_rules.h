// Rules of the application shell that need no window: which exit question
// to ask, the symbol sizes in millimetres and the settings summary text.
#pragma once

#include "nubora/app/code_settings.h"

#include <string>
#include <string_view>

namespace nubora {

// The string id of the exit question: from the code view, 110 when the code
// was saved as BMP, else 112; otherwise 110 when every entry of the input
// screens is empty, else 111.
int ExitQuestionId(int exitFromCodeView, int bmpSaved, bool allEntriesEmpty);

struct SymbolSizes {
    double codeMm;   // cell size × modules per side
    double printMm;  // the symbol with its quiet zone of four modules a side
};

// Sizes for a cell size given as its text ("0.25"; a text that is no number
// counts as 0) and a version (modules per side 4 × version + 17).
SymbolSizes SizesFor(std::string_view cellSizeText, int version);

// `value` formatted like "%.2f", independent of the locale.
std::string FormatMm2(double value);

// The six-line settings summary of an input screen (CP932 bytes, lines
// ending in CR LF): level, cell size, version, print size, code size and
// split count, each after the full-width colon and a space.
std::string SettingsSummaryText(const CodeSettings& settings);

}  // namespace nubora
