// A host for a screen under test without the main menu: the shared state of
// its own, a white brush, scripted answers for the encode driver and the
// dialogs it would run, and a count of every request the screen makes.
#pragma once

#include "nubora/logic/symbol_encoder.h"
#include "nubora/screens/screen_host.h"
#include "tavoqrenc.h"

#include <QBrush>

#include <optional>
#include <string>
#include <vector>

namespace nubora::testing {

class FakeScreenHost final : public ScreenHost {
public:
    CodeState& State() override { return state; }
    const QBrush& WhiteBrush() const override { return brush; }
    bool EncodeText(const std::string& payload) override
    {
        payloads.push_back(payload);
        return encodes;
    }
    bool QueryCodeInfo(const std::string& payload) override
    {
        payloads.push_back(payload);
        return encodes;
    }
    Result<int, CapacityFailure> SymbolCapacity(int version, int level) override
    {
        if (capacityFails)
            return Fail(CapacityFailure{TAVOQRENC_E_BAD_ARGUMENT});
        return QuerySymbolCapacity(version, level);
    }
    void UpdateSettingsSummary(ScreenId) override { ++summaryUpdates; }
    bool RunSettings(QWidget*) override { return settingsAccepted; }
    std::optional<std::string> AskForLink(LinkKind, QWidget*) override { return link; }
    void ShowCodeView(ScreenId, const std::string& inputSummary) override { codeViewSummaries.push_back(inputSummary); }
    void ReturnToScreen(ScreenId) override {}
    void ClearScreen(ScreenId) override {}
    void ShowMenu() override { ++menuShown; }
    void RequestExit() override { ++exitRequests; }

    CodeState state;
    QBrush brush{Qt::white};
    bool encodes = true;
    bool settingsAccepted = false;
    // True: the capacity query fails as the engine does for values it refuses.
    bool capacityFails = false;
    std::optional<std::string> link;
    std::vector<std::string> payloads;
    std::vector<std::string> codeViewSummaries;
    int summaryUpdates = 0;
    int menuShown = 0;
    int exitRequests = 0;
};

}  // namespace nubora::testing
