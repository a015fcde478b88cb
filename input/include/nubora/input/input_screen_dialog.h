// The frame shared by the three input screens: a 600 × 600 window at (10, 10)
// on its background picture, the eight frame buttons with their pictures,
// the settings summary box (1027) and the capacity gauge (1056) or the
// confirm button (1057) by mode; pointer-hover focus, the Enter, Esc and
// close-box filtering; and the handlers every screen shares — create the
// code, back to the menu, clear, settings, confirm. Each screen adds its
// entry fields, its members, its payload, its summary and its checks.
#pragma once

#include "nubora/framework/dialog.h"
#include "nubora/framework/file_service.h"
#include "nubora/logic/code_entry.h"
#include "nubora/logic/code_state.h"
#include "nubora/logic/data_file.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/resources/screen_labels.h"
#include "nubora/screens/screen_host.h"

#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace nubora {

struct CheckFailure;

// The object name of the QRコード読込 link (a QLabel), which reads a code
// from a picture file (it is no control of the screen's template).
inline constexpr const char* kReadCodeButtonName = "readCode";
// The object name of the 画面から読込 link under it, which reads a code from
// an area of the screen that the user drags out.
inline constexpr const char* kReadRegionButtonName = "readRegion";

class InputScreenDialog : public fw::Dialog {
public:
    // `screen`: which of the three this is. `backgroundId`: the screen's
    // 600 × 600 background bitmap.
    InputScreenDialog(ScreenHost& host, int templateId, const QString& title, ScreenId screen, int backgroundId);

    ScreenId Id() const { return screen_; }

    // True when every entry member is empty.
    virtual bool IsAllEmpty() const = 0;
    // Every entry member, in the screen's order.
    virtual std::vector<std::string> Entries() const = 0;
    // Empties every entry member (not the controls; UpdateData(fw::Exchange::ToControls) does that)
    // and sets `charset` back to CP932.
    virtual void ClearEntries() = 0;
    // The payload of the current members in the form of the shared settings:
    // CP932 bytes for the legacy form, UTF-8 for the standard one.
    virtual std::string BuildPayload() const = 0;
    // The summary of the entered data for the code view, in `charset`.
    virtual std::string BuildInputSummary() const = 0;
    // True when every checked field passes; false after reporting the first failure.
    [[nodiscard]] virtual bool ValidateAll() = 0;

    // The presentation of automatic mode: confirm button shown, gauge hidden;
    // of manual mode: the reverse.
    void ShowAutomaticPresentation();
    void ShowManualPresentation();
    // Sets the gauge from the payload length and CodeSettings.availableLength.
    // `take` is how the controls are taken into the members first: with the
    // checks (a failure is reported and the gauge stays), or without.
    void UpdateGauge(fw::Exchange take = fw::Exchange::FromControls);

    // "QRコード作成": check, encode, fill the code view and show it.
    void OnCreateCode();
    // "メインへ": back to the menu, asking first (kBackToMenuDiscardEdits) when an entry is filled.
    void OnBackToMenu();
    // "入力データクリア": asks (kClearInputQuestion) and empties the entries.
    void OnClearInput();
    // "終了" and the cancel command: takes the controls into the members (a
    // refused take stops here), then the menu asks and ends the program.
    void OnExit();
    // "設定": check, run the settings dialog, show the mode, rewrite the summary.
    void OnSettings();
    // "確認": check, ask the engine what automatic mode would use, show it.
    void OnConfirm();
    // "入力データ保存": check, ask before a trailing backslash is dropped,
    // choose the file and write the members to it. Every failure is
    // reported (kFileOpenFailed, kFileInUse) and leaves the old file as it was.
    void OnSaveInput();
    // "保存データを開く": the open dialog, then OpenInputFile.
    void OnOpenInput();
    // Opens the data file at `path` as 保存データを開く does: a file of another
    // kind (its extension compared exactly) gives kWrongFileKind; otherwise
    // every member is replaced with its fields, without a question, and the
    // gauge updated in manual mode while the screen shows; kFileOpenFailed,
    // kFileReadFailed or kFileInUse keep the input as it was. The messages
    // are owned by `reportOver` (null: this screen). True when the file was opened.
    bool OpenInputFile(const QString& path, QWidget* reportOver = nullptr);

    // Replaces every member with the fields of a code read from a picture
    // and shows them, without a question; the members count as not saved.
    void OpenCode(const CodeEntry& entry);
    // Takes what the controls show into the members without the checks:
    // nothing is reported, and a value past its limit is kept as it is.
    void KeepShownInput();
    // True when the members hold input that has not been saved: they differ
    // from what they were when last opened from a file, saved or emptied.
    // Empty members never do.
    bool HoldsUnsavedInput() const;
    // Remembers the members as saved (after an open, a save or a clear).
    void RememberEntries();

    // The character set of every entry member: CP932, or UTF-8 while a field
    // holds a character without a CP932 code. Each take from the controls
    // decides it anew and converts the members when it changes.
    text::TextCharset charset = text::TextCharset::Cp932;

    // Text of the summary box 1027, written by the menu only.
    std::string settingsSummary;
    // The payload form beside it (kFormSummary), written by the menu only;
    // empty for the legacy form.
    std::string formSummary;
    // True while a pointer hover has just moved the focus to a button: the
    // focus-loss checks then do nothing. Reset by every input event.
    bool suppressFocusCheck = false;

protected:
    void OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

    // Adds the screen's entry fields (before the frame's buttons, so that
    // they come first in the tab order) and their handlers.
    virtual void CreateFields() = 0;
    // Places entry field `edit` as control field.controlId at its template
    // rectangle, named for screen readers by the label that the background
    // paints beside it; the template's own label is made too, invisible.
    template <class W>
    W* AddField(const res::labels::FieldLabel& field, W* edit)
    {
        AddControl(field.controlId, edit, field.templateRect);
        LabelField(field);
        return edit;
    }
    // Gives the first entry field the focus.
    virtual void FocusFirstField() = 0;
    // Every entry member with the control that shows it, in screen order.
    struct EntryMember {
        int controlId;
        std::string* value;
    };
    virtual std::vector<EntryMember> EntryMembers() = 0;
    // Runs the handler of button `id`; false when `id` is no button of the screen.
    virtual bool RunButton(int id);

    // The screen's data file: the file dialogs' settings (the default suffix
    // is also the only extension it opens), writing the members to `path`,
    // and replacing them with the fields of `path` (only when it could be
    // read); each fails with the data file's failure.
    virtual fw::FileDialogRequest DataFileRequest() const = 0;
    virtual Result<void, DataFileStatus> SaveDataFile(const std::string& path) const = 0;
    virtual Result<void, DataFileStatus> OpenDataFile(const std::string& path) = 0;
    // The members made the fields of `entry` (its screen is this one).
    virtual void PlaceCode(const CodeEntry& entry) = 0;
    // True when saving would drop a single-byte backslash at the end of a member.
    virtual bool LosesTrailingBackslash() const = 0;

    // Checks field `controlId` with `check` (0 passes) when it loses the
    // focus, unless suppressFocusCheck is set or the focus left the window;
    // a failure is reported with message `messageId`.
    void AddFocusCheck(int controlId, std::function<int()> check, int messageId);
    // Reports a failed check: the warning `messageId`, the focus back to
    // field `controlId`, the caret at its start, the controls refreshed.
    void ReportCheckFailure(int controlId, int messageId);
    // The same for a failure of the entry checks, with its message as
    // CheckFailureMessage gives it (a position filled in).
    void ReportCheckFailure(int controlId, const CheckFailure& failure);
    // Both reports: `text` in the box of message `messageId`, then the field.
    void ReportCheckFailure(int controlId, int messageId, const QString& text);

    ScreenHost& host_;

private:
    void LabelField(const res::labels::FieldLabel& field);
    void CreateFrameButtons();
    // A link of its own (no control of the template, no picture button) named
    // `name`, captioned and heard as string `captionId`, at `rect` in client
    // pixels, reached by the pointer and by Tab; `run` when it is followed.
    void AddLink(const char* name, int captionId, const QRect& rect, std::function<void()> run);
    void CreateSummaryAndGauge();
    bool FilterPointer(QObject* target, QEvent* event);
    bool FilterKey(QEvent* event);
    void LeaveToMenu();
    // Takes the controls into the members and runs ValidateAll; false when
    // either fails (already reported).
    bool TakeAndValidate();
    // Before the entry members are taken: the charset their controls'
    // texts need, the members converted to it when it changes.
    void TakeCharset();
    // Sets what the fields do with characters without a CP932 code by the
    // shared settings' form: the standard form takes them, the legacy one
    // refuses them and says why, once per field while that form stays.
    void ApplyFormToFields();
    void TellUncodedRefused(int controlId, const QString& characters);
    // True unless the legacy form is to encode members holding characters
    // without a CP932 code; then false after naming them (kLegacyFormUncodedChars).
    bool FitsTheForm();

    QString title_;
    ScreenId screen_;
    int backgroundId_;
    // Entries() as last opened, saved or emptied; none before the first.
    std::vector<std::string> savedEntries_;
    // The form the fields were last set for, and the fields told since
    // that they refuse characters without a CP932 code.
    std::optional<PayloadForm> fieldsForm_;
    std::set<int> toldUncoded_;
};

}  // namespace nubora
