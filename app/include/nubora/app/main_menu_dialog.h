// The main menu (template 102): the program's main window and the owner of
// every screen, of the shared symbol settings and of the state that ties the
// screens together. A 500 × 350 picture with four picture buttons: address
// book, e-mail, free text and exit. Exactly one of the menu, an input screen
// or the code view is visible at a time.
#pragma once

#include "nubora/app/code_settings.h"
#include "nubora/app/symbol_bitmaps.h"
#include "nubora/framework/dialog.h"

#include <QBrush>
#include <QIcon>

#include <memory>
#include <string>

class QMenu;

namespace nubora {

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

class MainMenuDialog final : public fw::Dialog {
public:
    MainMenuDialog();
    ~MainMenuDialog() override;

    // Switching from the menu to an input screen.
    void OpenAddressBook();
    void OpenMail();
    void OpenFreeText();
    // Asks whether to end the program (110, 111 or 112 by the state); on Yes
    // ends the menu's loop, on No only resets exitFromCodeView.
    void ConfirmExit();
    // A close request from any screen: ConfirmExit, queued.
    void PostCloseRequest();
    // Shows the menu again (the screens' ways back).
    void ShowMenu();
    // The running copy was asked to come to the front: raises and activates
    // the visible screen.
    void BringToFront();
    // The encode driver (encode_driver.cpp). Each returns 1 on success, 0 on
    // failure.
    //
    // Encodes the CP932 `payload` with CodeSettings into codeBitmaps (any
    // earlier bitmaps released first), stores the print size and writes the
    // code view's information text. On failure reports 136, 127 or 128 by
    // the engine's result, owned by the visible input screen, and leaves
    // codeBitmaps empty and everything else unchanged.
    int EncodeText(const std::string& payload);
    // Prepares the code view's symbol spinner for splitCount symbols, shows
    // the first symbol and shows the code view.
    int ShowCodeView();
    // Writes screen `screenIndex`'s settings summary (0 address book,
    // 1 e-mail, 2 free text) and refreshes its controls; another index
    // changes nothing.
    int UpdateSettingsSummary(int screenIndex);
    // Sets levelText, cellSizeText and versionText to what automatic mode
    // would use for `payload`; reports 127, owned by the menu, when the
    // engine cannot tell.
    int QueryCodeInfo(const std::string& payload);
    // Runs the command of the context-menu item (0x0010: the about box).
    void OnSysCommand(int command);
    // Adds the about item (string 101, command 0x0010) after a separator.
    void AddSystemMenuItems(QMenu& menu);

    // True when every entry of the three input screens, as last stored, is empty.
    bool AllEntriesEmpty() const;
    // Input screen 0 address book, 1 e-mail, 2 free text.
    InputScreenDialog& Screen(int screenIndex);
    // The window that is on screen now: the menu, an input screen or the code view.
    QWidget* VisibleScreen();

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
    int currentScreen = 0;     // input screen that made the code held: 0, 1 or 2
    int exitFromCodeView = 0;  // 1 while an exit asked from the code view is confirmed
    int bmpSaved = 0;          // 1 once the code held was saved as BMP
    SymbolBitmaps codeBitmaps; // the engine's symbol bitmaps, or none
    int shownSymbol = 0;       // 0-based symbol the code view shows
    // Background of the read-only boxes; white before the screens are made,
    // since they take it when they make their boxes.
    QBrush whiteBrush{Qt::white};
    CodeSettings codeSettings;

    // The picture buttons (controls 1001, 1012, 1000, 1002).
    fw::BitmapButton* freeTextButton = nullptr;
    fw::BitmapButton* exitButton = nullptr;
    fw::BitmapButton* mailButton = nullptr;
    fw::BitmapButton* addressBookButton = nullptr;
    QIcon programIcon;

protected:
    void OnInitDialog() override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void reject() override;

private:
    void OpenScreen(int screenIndex);
    void BindButtons();
    void PlaceWindowAndButtons();
    void CreateScreens();
    void InitialiseState();
    void DestroyScreenWindows();

    QImage background_;
};

}  // namespace nubora
