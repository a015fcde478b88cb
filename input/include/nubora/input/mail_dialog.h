// The e-mail entry screen (template 130). So far its frame and its entry
// members; the fields, payload and checks come with the screen itself.
#pragma once

#include "nubora/input/input_screen_dialog.h"

namespace nubora {

class MailDialog final : public InputScreenDialog {
public:
    explicit MailDialog(MainMenuDialog& owner);

    bool IsAllEmpty() const override;
    void ClearEntries() override;
    // Until the screen's own fields come: no payload, no summary, no checks.
    std::string BuildPayload() const override { return {}; }
    std::string BuildInputSummary() const override { return {}; }
    int ValidateAll() override { return 0; }

    // Entries, CP932 bytes.
    std::string to;
    std::string subject;
    std::string body;

protected:
    void CreateFields() override {}
    void FocusFirstField() override {}
};

}  // namespace nubora
