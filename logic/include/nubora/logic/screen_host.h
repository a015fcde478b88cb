// What a screen asks of the window that owns it: the shared code state, the
// ways between the screens, the encode driver, the settings and link dialogs
// and the end of the program. The main menu is the host of every screen;
// tests give a screen a host of their own.
#pragma once

#include "nubora/logic/code_state.h"
#include "nubora/logic/free_text_links.h"

#include <optional>
#include <string>

class QBrush;
class QWidget;

namespace nubora {

class ScreenHost {
public:
    virtual ~ScreenHost() = default;

    // The settings, symbols and flags the screens share.
    virtual CodeState& State() = 0;
    // Background of the read-only boxes.
    virtual const QBrush& WhiteBrush() const = 0;

    // Encodes the CP932 `payload` with the shared settings into the state's
    // symbol bitmaps and fills the code view's information text. False after
    // the failure was reported (kSplitImpossible, kDataTooLong or
    // kEncodeFailed), with no bitmaps held.
    [[nodiscard]] virtual bool EncodeText(const std::string& payload) = 0;
    // Sets the settings' texts to what automatic mode would use for
    // `payload`. False after reporting kDataTooLong.
    [[nodiscard]] virtual bool QueryCodeInfo(const std::string& payload) = 0;
    // Rewrites the settings summary of input screen `screen`.
    virtual void UpdateSettingsSummary(ScreenId screen) = 0;

    // Runs the settings dialog over `over`; true when it ended with OK.
    [[nodiscard]] virtual bool RunSettings(QWidget* over) = 0;
    // Runs the link dialog of `kind` over `over`: the value entered, or
    // nothing when it was cancelled.
    [[nodiscard]] virtual std::optional<std::string> AskForLink(LinkKind kind, QWidget* over) = 0;

    // Shows the code view of the symbols just encoded by screen `from`,
    // with `inputSummary` (CP932) as its summary of the entered data.
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
