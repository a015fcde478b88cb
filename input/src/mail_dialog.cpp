#include "nubora/input/mail_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

MailDialog::MailDialog(MainMenuDialog& owner)
    : InputScreenDialog(owner, res::dlg::kMail, QStringLiteral("Eメール用コード入力画面"), 1,
                        res::bmp::kMailBackground)
{
}

bool MailDialog::IsAllEmpty() const { return to.empty() && subject.empty() && body.empty(); }

void MailDialog::ClearEntries()
{
    to.clear();
    subject.clear();
    body.clear();
}

}  // namespace nubora
