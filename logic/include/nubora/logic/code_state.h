// The state that ties the screens together: the shared symbol settings, the
// symbol bitmaps of the code now held, which of them the code view shows,
// whether it was saved, and which input screen made it.
#pragma once

#include "nubora/logic/code_settings.h"
#include "nubora/logic/symbol_bitmaps.h"

namespace nubora {

// The three input screens, numbered as the settings summary and the exit
// rules count them.
enum class ScreenId { AddressBook = 0, Mail = 1, FreeText = 2 };

struct CodeState {
    CodeSettings codeSettings;
    // The engine's symbol bitmaps, or none.
    SymbolBitmaps codeBitmaps;
    // The version (1..15) and level (1 L .. 4 H) the engine used for the
    // bitmaps held; 0 before the first code.
    int codeVersion = 0;
    int codeLevel = 0;
    // 0-based symbol the code view shows.
    int shownSymbol = 0;
    // True once the code held was saved as BMP.
    bool bmpSaved = false;
    // The input screen that made the code held.
    ScreenId currentScreen = ScreenId::AddressBook;
    // True while an exit asked from the code view is being confirmed.
    bool exitFromCodeView = false;
};

}  // namespace nubora
