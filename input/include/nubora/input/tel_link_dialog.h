// The "TELリンク" link dialog (template 147), run modally by the free-text
// screen: asks for the telephone number of a "TEL:" link. The number must
// hold only TelChars (kBadTelChars).
#pragma once

#include "nubora/input/link_dialog.h"

namespace nubora {

class TelLinkDialog final : public LinkDialog {
public:
    TelLinkDialog();

    // The number entered, CP932, at most 36 bytes; valid after OK.
    std::string telNumber;

protected:
    int CheckValue(const std::string& value) const override;
};

}  // namespace nubora
