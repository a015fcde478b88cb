// What a screen asks of the window that owns it, as far as it needs no
// window: the shared code state, the ways between the screens, the encode
// driver, the capacity the settings dialog asks for and the end of the
// program. The screens reach it through their ScreenHost
// (nubora/screens/screen_host.h), which adds what takes a widget.
#pragma once

#include "nubora/logic/code_state.h"
#include "nubora/logic/result.h"
#include "nubora/logic/symbol_encoder.h"

#include <string>

namespace nubora {

class WindowFreeHost {
public:
    virtual ~WindowFreeHost() = default;

    // The settings, symbols and flags the screens share.
    virtual CodeState& State() = 0;

    // Encodes `payload`, in the charset of the shared settings' form (CP932
    // for the legacy form, UTF-8 for the standard one), into the state's
    // symbol bitmaps and fills the code view's information text. False after
    // the failure was reported (kSplitImpossible, kDataTooLong or
    // kEncodeFailed), with no bitmaps held.
    [[nodiscard]] virtual bool EncodeText(const std::string& payload) = 0;
    // Sets the settings' texts to what automatic mode would use for
    // `payload` (in the form's charset). False after reporting kDataTooLong.
    [[nodiscard]] virtual bool QueryCodeInfo(const std::string& payload) = 0;
    // The bytes of payload in `form` that `symbolCount` symbols of `version`
    // and `level` hold, as AvailableBytes gives them; the settings dialog
    // reports a failure.
    virtual Result<int, CapacityFailure> SymbolCapacity(PayloadForm form, int version, int level, int symbolCount) = 0;
    // Rewrites the settings summary of input screen `screen`.
    virtual void UpdateSettingsSummary(ScreenId screen) = 0;

    // Shows the code view of the symbols just encoded by screen `from`,
    // with `inputSummary` (in that screen's charset) as its summary of the
    // entered data.
    virtual void ShowCodeView(ScreenId from, const std::string& inputSummary) = 0;
    // Shows input screen `screen` again, as it was left.
    virtual void ReturnToScreen(ScreenId screen) = 0;
    // Empties every entry of input screen `screen`, controls included.
    virtual void ClearScreen(ScreenId screen) = 0;
    // Shows the main menu.
    virtual void ShowMenu() = 0;
    // Asks, queued, whether to end the program (the menu's exit question).
    virtual void RequestExit() = 0;
};

}  // namespace nubora
