// The "ワンセグリンク" link dialog (template 217), run modally by the free-text
// screen: asks for the parameters of a one-seg TV reservation ("media:"
// link). The parameters must hold only LinkParamChars (kBadOneSegChars).
#pragma once

#include "nubora/input/link_dialog.h"

namespace nubora {

class OneSegLinkDialog final : public LinkDialog {
public:
    OneSegLinkDialog();

    // The parameters entered, CP932, at most 1250 bytes; valid after OK.
    std::string oneSegParam;

protected:
    int CheckValue(const std::string& value) const override;
};

}  // namespace nubora
