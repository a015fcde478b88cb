// The encode driver of the main menu: payload to symbol bitmaps through the
// engine, the code view's information text, the code information of
// automatic mode and the input screens' settings summaries.
#include "nubora/app/main_menu_dialog.h"

#include "nubora/app/messages.h"
#include "nubora/app/shell_rules.h"
#include "nubora/framework/up_down.h"
#include "nubora/input/input_screen_dialog.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "tavoqrenc.h"

#include <cstring>

namespace nubora {
namespace {

// The payload as the engine takes it: zero-terminated, with room to spare.
std::string EngineBuffer(const std::string& payload)
{
    std::string buffer(payload.size() + 2, '\0');
    std::memcpy(buffer.data(), payload.data(), payload.size());
    return buffer;
}

}  // namespace

int MainMenuDialog::EncodeText(const std::string& payload)
{
    const std::string buffer = EngineBuffer(payload);
    QrEncodeParams params{codeSettings.version, codeSettings.level};
    codeBitmaps.Release();

    const int count = codeSettings.splitCount;
    QrBitmap** bitmaps = nullptr;
    const int result = TavoQREnc_QrEncode(buffer.c_str(), static_cast<int32_t>(std::strlen(buffer.c_str())), count,
                                          &bitmaps, &params);
    if (result != 0) {
        // The engine leaves nothing to release on failure; should it ever
        // store an array anyway, it is not leaked.
        TavoQREnc_FreeBitmaps(bitmaps, count);
        ShowMessage(VisibleScreen(), EncodeFailureMessageId(result));
        return 0;
    }
    codeBitmaps.Adopt(bitmaps, count);

    const std::string cellSize = CellSizeText(codeSettings.cellSizeIndex);
    codeSettings.printSizeMm = SizesFor(cellSize, params.version).printMm;
    codeView->informationText = CodeInformationText(params.level, codeSettings.cellSizeIndex, params.version);
    return 1;
}

int MainMenuDialog::ShowCodeView()
{
    const int count = codeSettings.splitCount;
    if (auto* spinner = codeView->ControlAs<fw::UpDownControl>(ctl::codeView::kSymbolSpinner)) {
        spinner->SetRange(1, count);
        spinner->SetPos(1);
    }
    shownSymbol = 0;
    const bool split = count > 1;
    codeView->ShowControl(ctl::codeView::kSymbolNumber, split);
    codeView->ShowControl(ctl::codeView::kSymbolSpinner, split);
    codeView->EnableControl(ctl::codeView::kSymbolSpinner, split);
    codeView->update();
    codeView->show();
    codeView->repaint();
    codeView->raise();
    codeView->activateWindow();
    return 1;
}

int MainMenuDialog::UpdateSettingsSummary(int screenIndex)
{
    if (screenIndex < 0 || screenIndex > 2)
        return 1;
    InputScreenDialog& screen = Screen(screenIndex);
    screen.settingsSummary = SettingsSummaryText(codeSettings);
    screen.UpdateData(false);
    return 1;
}

int MainMenuDialog::QueryCodeInfo(const std::string& payload)
{
    const std::string buffer = EngineBuffer(payload);
    QrEncodeParams info{0, 0};
    const int result = TavoQREnc_GetCodeInfo(buffer.c_str(), codeSettings.splitCount, &info);
    if (result < 0) {
        ShowMessage(this, res::str::kDataTooLong);
        return 0;
    }
    codeSettings.levelText = LevelText(info.level);
    codeSettings.cellSizeText = CellSizeText(codeSettings.cellSizeIndex);
    codeSettings.versionText = std::to_string(info.version);
    return 1;
}

}  // namespace nubora
