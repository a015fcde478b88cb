#include "nubora/input/navi_link_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

NaviLinkDialog::NaviLinkDialog(MainMenuDialog& owner)
    : fw::Dialog(res::dlg::kNaviLink), owner_(owner)
{
    setWindowTitle(QStringLiteral("ナビリンク"));
}

}  // namespace nubora
