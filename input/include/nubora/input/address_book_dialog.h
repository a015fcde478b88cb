// The address-book entry screen (template 129, "アドレス帳用コード入力画面"):
// name, reading, two telephone numbers, two e-mail addresses, postal
// address and memo on the common input-screen frame. Makes the phone's
// address-book registration text (the MEMORY payload).
#pragma once

#include "nubora/input/input_screen_dialog.h"
#include "nubora/logic/address_book_text.h"

namespace nubora {

class AddressBookDialog final : public InputScreenDialog {
public:
    explicit AddressBookDialog(ScreenHost& host);

    bool IsAllEmpty() const override;
    std::vector<std::string> Entries() const override;
    void ClearEntries() override;
    std::string BuildPayload() const override;
    std::string BuildInputSummary() const override;
    // The reading, telephone 1 and 2, e-mail 1 and 2, in that order.
    [[nodiscard]] bool ValidateAll() override;

    // The entry as one record, and back.
    AddressBookEntry Entry() const;
    void SetEntry(const AddressBookEntry& entry);

    // Entries, in `charset`, with their limits in bytes (text::LimitLength).
    std::string name;     // 1003, 24
    std::string reading;  // 1005, 24
    std::string memo;     // 1010, 80
    std::string mail2;    // 1008, 64
    std::string mail1;    // 1007, 64
    std::string address;  // 1009, 80
    std::string tel1;     // 1004, 36
    std::string tel2;     // 1006, 36

protected:
    void CreateFields() override;
    void FocusFirstField() override;
    std::vector<EntryMember> EntryMembers() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    // The ".aqr" file.
    fw::FileDialogRequest DataFileRequest() const override;
    Result<void, DataFileStatus> SaveDataFile(const std::string& path) const override;
    Result<void, DataFileStatus> OpenDataFile(const std::string& path) override;
    void PlaceCode(const CodeEntry& entry) override;
    bool LosesTrailingBackslash() const override;
};

}  // namespace nubora
