// The e-mail entry screen (template 130, "Eメール用コード入力画面"):
// recipient, subject and body on the common input-screen frame. Makes the
// mail text ("MAILTO:" / "SUBJECT:" / "BODY:") a phone turns into a new mail.
#pragma once

#include "nubora/input/input_screen_dialog.h"
#include "nubora/logic/mail_text.h"

namespace nubora {

class MailDialog final : public InputScreenDialog {
public:
    explicit MailDialog(ScreenHost& host);

    bool IsAllEmpty() const override;
    std::vector<std::string> Entries() const override;
    void ClearEntries() override;
    std::string BuildPayload() const override;
    std::string BuildInputSummary() const override;
    // The checks of create and save: the recipient required, then MailToChars.
    [[nodiscard]] bool ValidateAll() override { return ValidateAll(recipientRequired_); }
    // With `recipientRequired` an empty recipient fails (kEmptyMailTo); a
    // recipient outside MailToChars always fails (kBadMailToChars). True when both pass.
    [[nodiscard]] bool ValidateAll(bool recipientRequired);

    // The mail as one record, and back.
    MailEntry Entry() const;
    void SetEntry(const MailEntry& entry);

    // Entries, in `charset`, with their limits in bytes (text::LimitLength).
    std::string to;       // 1009, 640
    std::string subject;  // 1014, 100
    std::string body;     // 1000, 10,000; line breaks CR LF

protected:
    void CreateFields() override;
    void FocusFirstField() override;
    std::vector<EntryMember> EntryMembers() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    // Settings and confirm check without requiring the recipient.
    bool RunButton(int id) override;
    // The ".eqr" file.
    fw::FileDialogRequest DataFileRequest() const override;
    Result<void, DataFileStatus> SaveDataFile(const std::string& path) const override;
    Result<void, DataFileStatus> OpenDataFile(const std::string& path) override;
    void PlaceCode(const CodeEntry& entry) override;
    bool LosesTrailingBackslash() const override;

private:
    bool recipientRequired_ = true;
};

}  // namespace nubora
