// The encode driver of the main menu: payload to symbol bitmaps through the
// engine, the code view's information text, the code information of
// automatic mode and the input screens' settings summaries.
#include "nubora/app/main_menu_dialog.h"

#include "nubora/input/input_screen_dialog.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/string_ids.h"

namespace nubora {

bool MainMenuDialog::EncodeText(const std::string& payload)
{
    const Result<EncodeSuccess, EncodeFailure> outcome = EncodeReadBack(payload, state.codeSettings, state.codeBitmaps,
                                                                        PayloadCharset(state.codeSettings.form));
    if (!outcome) {
        ShowMessage(VisibleScreen(), outcome.Error().messageId);
        return false;
    }
    encodedPayload_ = payload;
    codeView->informationText = outcome->informationText;
    state.codeVersion = outcome->version;
    state.codeLevel = outcome->level;
    return true;
}

void MainMenuDialog::ShowCodeView(ScreenId from, const std::string& inputSummary)
{
    state.currentScreen = from;
    codeView->ShowCode(inputSummary, Screen(from).charset, encodedPayload_);
}

void MainMenuDialog::UpdateSettingsSummary(ScreenId screen)
{
    InputScreenDialog& input = Screen(screen);
    input.settingsSummary = SettingsSummaryText(state.codeSettings);
    input.formSummary = PayloadFormSummaryText(state.codeSettings);
    input.UpdateData(fw::Exchange::ToControls);
}

bool MainMenuDialog::QueryCodeInfo(const std::string& payload)
{
    if (const Result<void, EncodeFailure> info = QueryAutomaticCodeInfo(payload, state.codeSettings); !info) {
        ShowMessage(this, info.Error().messageId);
        return false;
    }
    return true;
}

}  // namespace nubora
