// The "ナビリンク" link dialog (template 148), run modally by the free-text
// screen: asks for the address of a "住所:" link for the phone's navigation.
// Any characters are accepted.
#pragma once

#include "nubora/input/link_dialog.h"

namespace nubora {

class NaviLinkDialog final : public LinkDialog {
public:
    NaviLinkDialog();

    // The address entered, CP932, at most 80 bytes; valid after OK.
    std::string naviAddress;

protected:
    int CheckValue(const std::string&) const override { return 0; }
};

}  // namespace nubora
