// The code view (template 132): so far its window and the ways out — back to
// the input screen, back to the menu and the end of the program. Drawing the
// symbol, its texts and the save, print and copy buttons come with the view.
#pragma once

#include "nubora/framework/dialog.h"

#include <string>

namespace nubora {

class MainMenuDialog;

class CodeViewDialog final : public fw::Dialog {
public:
    explicit CodeViewDialog(MainMenuDialog& owner);

    // "戻る": back to the input screen that made the code; the bitmaps go.
    void OnBack();
    // "メインへ戻る": asks (113 saved, 135 not), then clears that screen's
    // entries, releases the bitmaps and shows the menu.
    void OnBackToMenu();
    // End of the program: the menu asks, knowing the request comes from here.
    void OnExit();

    std::string inputSummary;     // control 1004
    std::string informationText;  // control 1027

protected:
    void OnInitDialog() override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool RunButton(int id);

    MainMenuDialog& owner_;
};

}  // namespace nubora
