#include "nubora/input/navi_link_dialog.h"

#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"

namespace nubora {
namespace {

const LinkDialogTemplate kTemplate{
    res::dlg::kNaviLink,      "ナビリンク",      {187, 65}, "住所を入力してください。", {16, 8, 86, 8},
    ctl::links::kNaviAddress, {15, 20, 155, 15}, 80,        {38, 43, 50, 14},           {98, 43, 50, 14},
};

}  // namespace

NaviLinkDialog::NaviLinkDialog() : LinkDialog(kTemplate, naviAddress) {}

}  // namespace nubora
