// The free-text entry screen (template 131). So far its frame and its entry
// member; the text field and the link buttons come with the screen itself.
#pragma once

#include "nubora/input/input_screen_dialog.h"

namespace nubora {

class FreeTextDialog final : public InputScreenDialog {
public:
    explicit FreeTextDialog(MainMenuDialog& owner);

    bool IsAllEmpty() const override { return text.empty(); }
    void ClearEntries() override { text.clear(); }
    // Until the screen's own field comes: no payload, no summary, no checks.
    std::string BuildPayload() const override { return {}; }
    std::string BuildInputSummary() const override { return {}; }
    int ValidateAll() override { return 0; }

    // The entry, CP932 bytes, lines ending in CR LF.
    std::string text;

protected:
    void CreateFields() override {}
    void FocusFirstField() override {}
};

}  // namespace nubora
