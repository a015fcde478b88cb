// The about box (template 100, 235 × 55 dialog units): the program icon, the
// program's name and version, and OK. Closes with OK, Esc or its close box.
#pragma once

#include "nubora/framework/dialog.h"

namespace nubora {

class AboutDialog final : public fw::Dialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);

protected:
    void OnInitDialog() override;
};

}  // namespace nubora
