#include "nubora/input/address_book_dialog.h"

#include "nubora/resources/resource_ids.h"

namespace nubora {

AddressBookDialog::AddressBookDialog(MainMenuDialog& owner)
    : InputScreenDialog(owner, res::dlg::kAddressBook, QStringLiteral("アドレス帳用コード入力画面"), 0)
{
}

bool AddressBookDialog::IsAllEmpty() const
{
    return name.empty() && reading.empty() && tel1.empty() && tel2.empty() && mail1.empty() && mail2.empty() &&
           address.empty() && memo.empty();
}

void AddressBookDialog::ClearEntries()
{
    for (std::string* entry : {&name, &reading, &memo, &mail2, &mail1, &address, &tel1, &tel2})
        entry->clear();
}

}  // namespace nubora
