// The code view (template 132): so far its window, the ways out — back to
// the input screen, back to the menu and the end of the program — and a plain
// showing of the result: the symbol drawn two pixels a module, its
// information text, the input summary and the symbol spinner of a split.
// The save, print and copy buttons and the final layout come with the view.
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
    void DoDataExchange(fw::DataExchange& exchange) override;
    void paintEvent(QPaintEvent* event) override;
    bool PreTranslateMessage(QObject* target, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool RunButton(int id);
    void CreateResultControls();

    MainMenuDialog& owner_;
};

}  // namespace nubora
