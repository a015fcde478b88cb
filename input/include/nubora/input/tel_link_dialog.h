// The "TELリンク" link dialog (template 147), run modally by the free-text
// screen. Holds its owner reference.
// Its prompt, edit and buttons come with the link dialogs.
#pragma once

#include "nubora/framework/dialog.h"

namespace nubora {

class MainMenuDialog;

class TelLinkDialog final : public fw::Dialog {
public:
    explicit TelLinkDialog(MainMenuDialog& owner);

private:
    [[maybe_unused]] MainMenuDialog& owner_;
};

}  // namespace nubora
