#include "nubora/input/one_seg_link_dialog.h"

#include "nubora/logic/validation.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

namespace nubora {
namespace {

const LinkDialogTemplate kTemplate{
    res::dlg::kOneSegLink,
    "ワンセグリンク",
    {205, 65},
    "Mimoテレビ ワンセグの視聴予約用パラメータを入力してください。",
    {14, 8, 182, 8},
    ctl::links::kOneSegParam,
    {14, 20, 177, 15},
    1250,
    {47, 44, 50, 14},
    {107, 44, 50, 14},
};

}  // namespace

OneSegLinkDialog::OneSegLinkDialog() : LinkDialog(kTemplate, oneSegParam) {}

int OneSegLinkDialog::CheckValue(const std::string& value) const
{
    return CheckChars(value, LinkParamChars) == 0 ? 0 : res::str::kBadOneSegChars;
}

}  // namespace nubora
