// A host for screens under test without the main menu, made of the real
// parts the menu puts together: the shared state, the encoder logic with the
// read-back check, the settings dialog, the link dialogs and the code view.
// What only the menu does (its own window, the exit question) is recorded.
#pragma once

#include "nubora/app/settings_dialog.h"
#include "nubora/input/input_screen_dialog.h"
#include "nubora/input/navi_link_dialog.h"
#include "nubora/input/one_seg_link_dialog.h"
#include "nubora/input/tel_link_dialog.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/string_ids.h"
#include "nubora/screens/screen_host.h"
#include "tavoqrenc.h"

#include <QBrush>

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace nubora::testing {

class FakeScreenHost final : public ScreenHost {
public:
    FakeScreenHost() { codeView.Create(false); }

    // Makes `screen` the input screen of its kind that this host writes to,
    // returns to and empties.
    void Hold(InputScreenDialog& screen)
    {
        const auto slot = static_cast<size_t>(screen.Id());
        screens_[slot] = &screen;
        // A screen destroyed before the host is forgotten (the code view, a
        // member, ends the connection with the host).
        QObject::connect(&screen, &QObject::destroyed, &codeView, [this, slot] { screens_[slot] = nullptr; });
    }
    // Shows input screen `id` as the menu opens one: the settings back to
    // automatic, the screen in its automatic presentation with its summary.
    void OpenScreen(ScreenId id)
    {
        ResetToAutomatic(state.codeSettings);
        Screen(id).Create(false);
        Screen(id).ShowAutomaticPresentation();
        UpdateSettingsSummary(id);
        Screen(id).show();
    }

    CodeState& State() override { return state; }
    const QBrush& WhiteBrush() const override { return brush; }
    // Encodes and reads back through the menu's own EncodeReadBack, `beforeReadBack` in between.
    bool EncodeText(const std::string& payload) override
    {
        const Result<EncodeSuccess, EncodeFailure> made = EncodeReadBack(
            payload, state.codeSettings, state.codeBitmaps, PayloadCharset(state.codeSettings.form), beforeReadBack);
        if (!made) {
            ShowMessage(Front(), made.Error().messageId);
            return false;
        }
        payload_ = payload;
        codeView.informationText = made->informationText;
        state.codeVersion = made->version;
        state.codeLevel = made->level;
        return true;
    }
    bool QueryCodeInfo(const std::string& payload) override
    {
        const Result<void, EncodeFailure> info = QueryAutomaticCodeInfo(payload, state.codeSettings);
        if (!info)
            ShowMessage(Front(), info.Error().messageId);
        return info.Ok();
    }
    Result<int, CapacityFailure> SymbolCapacity(PayloadForm form, int version, int level, int symbolCount) override
    {
        if (capacityFails)
            return Fail(CapacityFailure{TAVOQRENC_E_BAD_ARGUMENT});
        return AvailableBytes(form, version, level, symbolCount);
    }
    void UpdateSettingsSummary(ScreenId id) override
    {
        InputScreenDialog& screen = Screen(id);
        screen.settingsSummary = SettingsSummaryText(state.codeSettings);
        screen.formSummary = PayloadFormSummaryText(state.codeSettings);
        screen.UpdateData(fw::Exchange::ToControls);
    }
    bool RunSettings(QWidget* over) override { return settings.DoModal(over) == QDialog::Accepted; }
    std::optional<std::string> AskForLink(LinkKind kind, QWidget* over) override
    {
        const auto ask = [over](fw::Dialog& dialog, const std::string& value) {
            return dialog.DoModal(over) == QDialog::Accepted ? std::optional(value) : std::nullopt;
        };
        switch (kind) {
        case LinkKind::Tel: return ask(telLink, telLink.telNumber);
        case LinkKind::Navi: return ask(naviLink, naviLink.naviAddress);
        case LinkKind::OneSeg: break;
        }
        return ask(oneSegLink, oneSegLink.oneSegParam);
    }
    void ShowCodeView(ScreenId from, const std::string& inputSummary) override
    {
        state.currentScreen = from;
        codeView.ShowCode(inputSummary, Screen(from).charset, payload_);
    }
    void ReturnToScreen(ScreenId id) override { Screen(id).show(); }
    void ClearScreen(ScreenId id) override
    {
        Screen(id).ClearEntries();
        Screen(id).RememberEntries();
        Screen(id).UpdateData(fw::Exchange::ToControls);
    }
    void ShowMenu() override { menuShown = true; }
    void RequestExit() override { ++exitRequests; }

    CodeState state;
    QBrush brush{Qt::white};
    SettingsDialog settings{*this};
    TelLinkDialog telLink;
    NaviLinkDialog naviLink;
    OneSegLinkDialog oneSegLink;
    CodeViewDialog codeView{*this};
    // Runs on the symbols just made, before they are read back.
    std::function<void(SymbolBitmaps&)> beforeReadBack;
    // True: the capacity query fails as the engine does for values it refuses.
    bool capacityFails = false;
    bool menuShown = false;
    int exitRequests = 0;

private:
    InputScreenDialog& Screen(ScreenId id) { return *screens_[static_cast<size_t>(id)]; }
    // The window a message is owned by: the visible screen or code view.
    QWidget* Front()
    {
        for (QWidget* window : screens_) {
            if (window && window->isVisible())
                return window;
        }
        return &codeView;
    }

    std::array<InputScreenDialog*, 3> screens_{};
    std::string payload_;
};

}  // namespace nubora::testing
