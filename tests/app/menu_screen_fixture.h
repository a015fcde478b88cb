// The set-up of the tests of what the menu does for an input screen: the
// real menu with one of its three screens open, with the gestures and checks
// of ScreenFixture.
#pragma once

#include "nubora/app/main_menu_dialog.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "screen_fixture.h"

#include <type_traits>

namespace nubora::testing {

template <class Screen>
class MenuScreenFixture : public ScreenFixture<Screen, MenuScreenFixture<Screen>> {
protected:
    friend class ScreenFixture<Screen, MenuScreenFixture<Screen>>;
    void Open()
    {
        menu.Create(true);
        if constexpr (std::is_same_v<Screen, AddressBookDialog>)
            menu.OpenAddressBook();
        else if constexpr (std::is_same_v<Screen, MailDialog>)
            menu.OpenMail();
        else
            menu.OpenFreeText();
    }

    MainMenuDialog menu;
    Screen& screen = [this]() -> Screen& {
        if constexpr (std::is_same_v<Screen, AddressBookDialog>)
            return *menu.addressBook;
        else if constexpr (std::is_same_v<Screen, MailDialog>)
            return *menu.mail;
        else
            return *menu.freeText;
    }();
};

}  // namespace nubora::testing
