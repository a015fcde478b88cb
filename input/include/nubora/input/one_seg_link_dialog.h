// The "ワンセグリンク" link dialog (template 217), run modally by the free-text
// screen. It needs no owner reference.
// Its prompt, edit and buttons come with the link dialogs.
#pragma once

#include "nubora/framework/dialog.h"

namespace nubora {

class OneSegLinkDialog final : public fw::Dialog {
public:
    OneSegLinkDialog();
};

}  // namespace nubora
