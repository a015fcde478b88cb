// The main menu (template 102): the program's main window and the owner of
// every screen, of the shared symbol settings and of the state that ties the
// screens together. A 500 × 350 picture with four picture buttons: address
// book, e-mail, free text and exit. Exactly one of the menu, an input screen
// or the code view is visible at a time.
#pragma once

#include "nubora/app/screen_area.h"
#include "nubora/framework/dialog.h"
#include "nubora/logic/code_entry.h"
#include "nubora/logic/code_state.h"
#include "nubora/screens/screen_host.h"

#include <QBrush>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QMimeData;

namespace nubora {

struct CodeSource;
class AddressBookDialog;
class MailDialog;
class FreeTextDialog;
class CodeViewDialog;
class TelLinkDialog;
class NaviLinkDialog;
class OneSegLinkDialog;
class SettingsDialog;
class InputScreenDialog;

namespace fw {
class BitmapButton;
}

class MainMenuDialog final : public fw::Dialog, public ScreenHost {
public:
    MainMenuDialog();
    ~MainMenuDialog() override;

    // Switching from the menu to an input screen.
    void OpenAddressBook();
    void OpenMail();
    void OpenFreeText();
    // Asks, over the visible screen, whether to end the program
    // (kExitQuestion, kExitDiscardEdits or kExitDiscardUnsaved by the state);
    // on Yes ends the menu's loop, on No only clears exitFromCodeView.
    void ConfirmExit();
    // The running copy was asked to come to the front: raises and activates
    // the visible screen.
    void BringToFront();
    // A data file given on the command line (or handed over by a second
    // copy): opened in the input screen of its kind as 保存データを開く opens
    // it, that screen shown in place of the menu or another input screen
    // (whose entries keep what it shows, unchecked). When the screen of its
    // kind holds input not yet saved, asks first (kReplaceUnsavedQuestion,
    // naming the file); No drops the request. Every message is owned by the
    // screen in front, which stays in front on any failure with nothing
    // changed: kWrongFileKind when the name is no data file's; kCannotOpenNow
    // while the code view or a modal dialog is up; the open's own failures.
    // A picture's name (IsPictureName) is read as a picture (OpenCodePictures).
    void OpenDataFile(const QString& path);
    // Opens `paths` (from the command line, another copy, a drop or the
    // clipboard) in order: each data file, or a name that is no picture's,
    // as OpenDataFile; then every picture (IsPictureName) in one reading
    // (OpenCodePictures), since the parts of a split may lie in several.
    void OpenFiles(const QStringList& paths);
    // Opens the dialog of "CSVから一括作成…" over the menu, modally, starting
    // from the shared code settings (which it leaves as they are).
    void OpenSheetDialog();
    // The keys that open it from the menu: Ctrl+B.
    static constexpr QKeyCombination kSheetDialogKeys{Qt::ControlModifier, Qt::Key_B};
    // Runs the command of the context-menu item (kAboutCommand: the about box).
    void OnSysCommand(int command);
    // Adds the item "CSVから一括作成…" (sheetAction: kSheetMenuItem, with its keys).
    void AddSheetMenuItem(QMenu& menu);
    // The codes in the pictures of `source`, read off the GUI thread with a
    // busy cursor; of several codes the user picks one. The code opens in the
    // screen of its kind like a data file (the same question over unsaved
    // input, the same refusal while the code view, a dialog or another
    // reading is up), its fields in place and the settings following the
    // code; fields moved into the memo or body are named (kCodeFieldsTooLong).
    // Every failure is reported over the screen in front, which stays as it
    // was; a reading cancelled with Esc ends here silently, nothing changed.
    // `name` is the name the question gives (a file's, or empty).
    void OpenCodePictures(const CodeSource& source, const QString& name);
    void ReadCodeFromPictureFile(QWidget* over) override;
    // Queues the opening of the files `mime` holds (OpenFiles), or else the
    // reading of its picture, so that a drop or a key press ends first.
    bool ReadCodeFromMime(const QMimeData& mime) override;
    // The window in front hides, and kHideDelayMs later the whole desktop is
    // taken (grabScreen) and shown for the user to drag out an area
    // (PickScreenArea); the window comes back and the area is read as a
    // picture from the clipboard is (OpenCodePictures). A cancel changes
    // nothing. Refused like OpenCodePictures (kCannotOpenNow); on Wayland
    // says why it cannot (kScreenGrabUnsupported), and when the picture
    // comes back empty, that it could not (kScreenGrabFailed), both over the
    // window in front.
    void ReadCodeFromScreen(QWidget* over) override;
    // Adds the reading of a code from a picture file (kReadCodeMenuItem) and
    // from the screen (kReadRegionMenuItem), the first items of the context menu.
    void AddReadCodeItem(QMenu& menu);
    // Adds the about item (kAboutMenuItem, command kAboutCommand) after a separator.
    void AddSystemMenuItems(QMenu& menu);

    // True when every entry of the three input screens, as last stored, is empty.
    bool AllEntriesEmpty() const;
    InputScreenDialog& Screen(ScreenId screen);
    // The window that is on screen now: the menu, an input screen or the code view.
    QWidget* VisibleScreen();

    // What the screens ask of the menu (the encode driver in encode_driver.cpp).
    CodeState& State() override { return state; }
    const QBrush& WhiteBrush() const override { return whiteBrush; }
    // Encodes with CodeSettings into codeBitmaps (any earlier bitmaps
    // released first), reads every symbol back, stores the print size and
    // writes the code view's information text. A failure, also of the read
    // back (kReadBackFailed, no bitmaps kept), is reported owned by the
    // visible screen.
    [[nodiscard]] bool EncodeText(const std::string& payload) override;
    // Reports kDataTooLong, owned by the menu, when the engine cannot tell.
    [[nodiscard]] bool QueryCodeInfo(const std::string& payload) override;
    Result<int, CapacityFailure> SymbolCapacity(PayloadForm form, int version, int level, int symbolCount) override;
    void UpdateSettingsSummary(ScreenId screen) override;
    [[nodiscard]] bool RunSettings(QWidget* over) override;
    [[nodiscard]] std::optional<std::string> AskForLink(LinkKind kind, QWidget* over) override;
    // Takes `from` as the screen that made the code held and shows that
    // code on the code view (CodeViewDialog::ShowCode).
    void ShowCodeView(ScreenId from, const std::string& inputSummary) override;
    void ReturnToScreen(ScreenId screen) override;
    void ClearScreen(ScreenId screen) override;
    // Shows the menu again (the screens' ways back).
    void ShowMenu() override;
    // A close request from any screen: ConfirmExit, queued.
    void RequestExit() override;

    // Owned screens and dialogs, in their order of declaration.
    std::unique_ptr<AddressBookDialog> addressBook;
    std::unique_ptr<MailDialog> mail;
    std::unique_ptr<FreeTextDialog> freeText;
    std::unique_ptr<CodeViewDialog> codeView;
    std::unique_ptr<TelLinkDialog> telLink;
    std::unique_ptr<NaviLinkDialog> naviLink;
    std::unique_ptr<OneSegLinkDialog> oneSegLink;
    std::unique_ptr<SettingsDialog> settings;

    // State shared by the screens.
    CodeState state;
    // Background of the read-only boxes; white before the screens are made,
    // since they take it when they make their boxes.
    QBrush whiteBrush{Qt::white};

    // The picture buttons (controls 1001, 1012, 1000, 1002).
    fw::BitmapButton* freeTextButton = nullptr;
    fw::BitmapButton* exitButton = nullptr;
    fw::BitmapButton* mailButton = nullptr;
    fw::BitmapButton* addressBookButton = nullptr;
    // The action of "CSVから一括作成…", also bound to kSheetDialogKeys on the menu.
    QAction* sheetAction = nullptr;
    // Takes the picture of the whole desktop for ReadCodeFromScreen;
    // replaceable, since a test's platform has no screen to take.
    ScreenGrabber grabScreen = GrabWholeDesktop;

protected:
    void OnInitDialog() override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void reject() override;

private:
    void OpenScreen(ScreenId screen);
    void BindButtons();
    void PlaceWindowAndButtons();
    void CreateScreens();
    void InitialiseState();
    void DestroyScreenWindows();
    // The shared settings as the code read says, shown on `screen`.
    void ApplyCodeSettings(const CodeEntrySettings& fromCode, InputScreenDialog& screen);

    // True when nothing may open now (the code view, a modal dialog, a
    // reading or the area picker is up): tells so over `front`
    // (kCannotOpenNow), except under the area picker, whose stay-on-top
    // overlay holds the keyboard and would hide the message: there `retry`
    // is kept and runs once the picker has closed.
    bool Busy(QWidget* front, std::function<void()> retry);

    // The payload of the code held, for the advice beside it.
    std::string encodedPayload_;
    // True while pictures are read: nothing else opens meanwhile.
    bool readingCode_ = false;
    // True from the window's hiding for a screen grab until the user has
    // picked an area: no message may pop up meanwhile.
    bool pickingArea_ = false;
    // Requests that came while the area picker was up, in order.
    std::vector<std::function<void()>> afterPicking_;
};

}  // namespace nubora
