#include "nubora/input/tel_link_dialog.h"

#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

namespace nubora {
namespace {

const LinkDialogTemplate kTemplate{
    res::dlg::kTelLink, "TELリンク",
    {187, 65},          "電話番号を入力してください。",
    {16, 8, 86, 8},     ctl::links::kTelNumber,
    {15, 20, 155, 15},  36,
    {38, 43, 50, 14},   {98, 43, 50, 14},
};

}  // namespace

TelLinkDialog::TelLinkDialog() : LinkDialog(kTemplate, telNumber) {}

int TelLinkDialog::CheckValue(const std::string& value) const
{
    return CheckChars(value, TelChars) == 0 ? 0 : res::str::kBadTelChars;
}

}  // namespace nubora
