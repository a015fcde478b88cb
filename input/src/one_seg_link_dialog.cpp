#include "nubora/input/one_seg_link_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

OneSegLinkDialog::OneSegLinkDialog()
    : fw::Dialog(res::dlg::kOneSegLink)
{
    setWindowTitle(QStringLiteral("ワンセグリンク"));
}

}  // namespace nubora
