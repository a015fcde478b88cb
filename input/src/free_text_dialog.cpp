#include "nubora/input/free_text_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

FreeTextDialog::FreeTextDialog(MainMenuDialog& owner)
    : InputScreenDialog(owner, res::dlg::kFreeText, QStringLiteral("フリーテキスト用コード入力画面"), 2,
                        res::bmp::kFreeTextBackground)
{
}

}  // namespace nubora
