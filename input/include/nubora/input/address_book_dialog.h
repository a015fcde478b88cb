// The address-book entry screen (template 129). So far its frame and its
// entry members; the fields, payload and checks come with the screen itself.
#pragma once

#include "nubora/input/input_screen_dialog.h"

namespace nubora {

class AddressBookDialog final : public InputScreenDialog {
public:
    explicit AddressBookDialog(MainMenuDialog& owner);

    bool IsAllEmpty() const override;
    void ClearEntries() override;

    // Entries, CP932 bytes.
    std::string name;
    std::string reading;
    std::string memo;
    std::string mail2;
    std::string mail1;
    std::string address;
    std::string tel1;
    std::string tel2;
};

}  // namespace nubora
