// The settings dialog (template 196, caption "設定"), run modally by the
// input screens. So far the dialog and its owner reference; its controls and
// the rules of automatic and manual mode come with the dialog itself.
#pragma once

#include "nubora/framework/dialog.h"

namespace nubora {

class MainMenuDialog;

class SettingsDialog final : public fw::Dialog {
public:
    explicit SettingsDialog(MainMenuDialog& owner);

private:
    [[maybe_unused]] MainMenuDialog& owner_;
};

}  // namespace nubora
