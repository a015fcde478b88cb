#include "nubora/input/tel_link_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

TelLinkDialog::TelLinkDialog(MainMenuDialog& owner)
    : fw::Dialog(res::dlg::kTelLink), owner_(owner)
{
    setWindowTitle(QStringLiteral("TELリンク"));
}

}  // namespace nubora
