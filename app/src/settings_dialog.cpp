#include "nubora/app/settings_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

SettingsDialog::SettingsDialog(MainMenuDialog& owner) : fw::Dialog(res::dlg::kSettings), owner_(owner)
{
    setWindowTitle(QStringLiteral("設定"));
}

}  // namespace nubora
