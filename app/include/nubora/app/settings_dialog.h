// The settings dialog (template 196, caption "設定"), run modally by the input
// screens' "設定" buttons. It edits the shared CodeSettings directly: automatic
// or manual mode, in manual mode the level, cell size and version, in both
// the split count (1..16); it shows the print area of the chosen symbol and,
// on OK in manual mode, asks its host for the capacity the gauges use.
#pragma once

#include "nubora/framework/dialog.h"
#include "nubora/screens/screen_host.h"

#include <string>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace nubora {

namespace fw {
class UpDownControl;
}

class SettingsDialog final : public fw::Dialog {
public:
    // Edits the CodeSettings of `host`'s state, paints its read-only boxes
    // with the host's white brush and asks the host for the capacity of the
    // manual choice. The host outlives the dialog.
    explicit SettingsDialog(ScreenHost& host);

    // Recomputes the print area from the selected cell size and version.
    void UpdatePrintArea();
    // OK: stores the chosen settings into CodeSettings and closes, or shows
    // kCapacityQueryFailed and stays open when the capacity cannot be had.
    void OnOK();

    // Text of the split-count box 1043 and of the print-area box 1044.
    std::string splitCountText;
    std::string printAreaText;

protected:
    void OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& exchange) override;
    void showEvent(QShowEvent* event) override;
    void accept() override;

private:
    void CreateControls();
    void ConnectHandlers();
    // The steps of every opening, from CodeSettings.
    void OnOpen();
    void EnableManualChoices(bool enabled);
    // Manual mode of OnOK: false when the capacity query failed (reported).
    bool StoreManualChoices(CodeSettings& settings);
    // The label `text` (UTF-8) at `templateRect`, beside control
    // `controlId`, which a screen reader names after it.
    void AddLabel(const char* text, const QRect& templateRect, int controlId);

    ScreenHost& host_;
    QRadioButton* automatic_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QComboBox* form_ = nullptr;
    QLineEdit* printArea_ = nullptr;
    QLineEdit* splitCount_ = nullptr;
    QComboBox* version_ = nullptr;
    QComboBox* cellSize_ = nullptr;
    QComboBox* level_ = nullptr;
    fw::UpDownControl* splitSpinner_ = nullptr;
};

}  // namespace nubora
