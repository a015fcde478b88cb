// The frame shared by the three input screens: a 600 × 600 window at (10, 10)
// with the frame buttons, the settings summary box (1027) and the capacity
// gauge (1056), pointer-hover focus and the Enter and Esc keys. Each screen
// adds its entry fields and members.
#pragma once

#include "nubora/framework/dialog.h"

#include <QString>

#include <string>

namespace nubora {

class MainMenuDialog;

class InputScreenDialog : public fw::Dialog {
public:
    // `screenIndex`: 0 address book, 1 e-mail, 2 free text.
    InputScreenDialog(MainMenuDialog& owner, int templateId, const QString& title, int screenIndex);

    int ScreenIndex() const { return screenIndex_; }

    // True when every entry member is empty.
    virtual bool IsAllEmpty() const = 0;
    // Empties every entry member (not the controls; UpdateData(false) does that).
    virtual void ClearEntries() = 0;

    // The presentation of automatic mode: confirm button shown, gauge hidden.
    void ShowAutomaticPresentation();

    // "メインへ": back to the menu, asking first (114) when an entry is filled.
    void OnBackToMenu();
    // "終了" and the cancel command: the menu asks and ends the program.
    void OnExit();

    // Text of the summary box 1027, written by the menu only.
    std::string settingsSummary;

protected:
    void OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

    // Gives the first entry field the focus; nothing while the screen has no fields.
    virtual void FocusFirstField() {}
    // Runs the handler of button `id`; false when `id` is no button of the screen.
    virtual bool RunButton(int id);

    MainMenuDialog& owner_;

private:
    void LeaveToMenu();

    QString title_;
    int screenIndex_;
};

}  // namespace nubora
