// The free-text entry screen (template 131, "フリーテキスト用コード入力画面"):
// several lines of text, which are the payload themselves, on the common
// input-screen frame; Enter in the text types a line break. Three link
// buttons append a telephone, navigation or one-seg link line at the end of
// the text, asking for its value in the menu's link dialogs; the one-seg
// button is made hidden and stays so.
#pragma once

#include "nubora/input/input_screen_dialog.h"
#include "nubora/logic/free_text_links.h"
#include "nubora/resources/control_ids.h"

namespace nubora {

class FreeTextDialog final : public InputScreenDialog {
public:
    explicit FreeTextDialog(ScreenHost& host);

    bool IsAllEmpty() const override { return text.empty(); }
    std::vector<std::string> Entries() const override { return {text}; }
    void ClearEntries() override;
    // The text itself, nothing added, in the form's charset.
    std::string BuildPayload() const override;
    // The text itself, without a label.
    std::string BuildInputSummary() const override { return text; }
    // The check of create and save: the text must not be empty (kEmptyText).
    [[nodiscard]] bool ValidateAll() override;

    // "ＴＥＬリンク", "ナビリンク", "ワンセグリンク": run the link dialog and, on
    // OK, append its link line at the end of the text.
    void OnTelLink();
    void OnNaviLink();
    void OnOneSegLink();

    // The entry, in `charset`, lines ending in CR LF; no limit of its own.
    std::string text;

protected:
    void CreateFields() override;
    void FocusFirstField() override;
    std::vector<EntryMember> EntryMembers() override { return {{ctl::freeText::kText, &text}}; }
    void DoDataExchange(fw::DataExchange& exchange) override;
    bool RunButton(int id) override;
    // The link buttons join the hover list; Enter in the text goes on to it.
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    // The ".fqr" file.
    fw::FileDialogRequest DataFileRequest() const override;
    Result<void, DataFileStatus> SaveDataFile(const std::string& path) const override;
    Result<void, DataFileStatus> OpenDataFile(const std::string& path) override;
    void PlaceCode(const CodeEntry& entry) override;
    bool LosesTrailingBackslash() const override;

private:
    void CreateLinkButtons();
    // Asks the host for a `kind` link; once given, appends it, moves the
    // focus to the text and leaves the caret at its end.
    void AddLink(LinkKind kind);
    // False while settings and confirm run: they check nothing here.
    bool checkText_ = true;
};

}  // namespace nubora
