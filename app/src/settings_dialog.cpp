#include "nubora/app/settings_dialog.h"

#include "nubora/app/code_setting_items.h"
#include "nubora/framework/accessibility.h"
#include "nubora/framework/up_down.h"
#include "nubora/logic/code_settings.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_encoder.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

#include <QBrush>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

namespace nubora {
namespace {

namespace id = ctl::settings;

constexpr int kMaxSplitCount = 16;

// A combo box's rectangle holds its drop-down part; the closed box is one
// line of this many dialog units.
constexpr int kComboHeight = 14;

// Selects item `index` of `list`; the first item when there is no such item.
void SelectItem(QComboBox* list, int index) { list->setCurrentIndex(index >= 0 && index < list->count() ? index : 0); }

}  // namespace

SettingsDialog::SettingsDialog(ScreenHost& host) : fw::Dialog(res::dlg::kSettings), host_(host)
{
    // A caption bar without a system menu or close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setWindowTitle(QStringLiteral("設定"));
}

void SettingsDialog::OnInitDialog()
{
    setFixedSize(Units().ToPixels(QRect(0, 0, 169, 200)).size());
    CreateControls();
    ConnectHandlers();
}

void SettingsDialog::AddLabel(const char* text, const QRect& templateRect, int controlId)
{
    auto* label = new QLabel(QString::fromUtf8(text), this);
    label->setGeometry(Units().ToPixels(templateRect));
    label->setBuddy(Control(controlId));
    SetAccessibleName(controlId, fw::NameOfLabel(label->text()));
}

void SettingsDialog::CreateControls()
{
    // Created in tab order.
    automatic_ = AddControl(id::kAutomatic, new QRadioButton(QStringLiteral("自動調整")), QRect(15, 13, 43, 10));
    manual_ = AddControl(id::kManual, new QRadioButton(QStringLiteral("任意調整")), QRect(15, 33, 43, 10));
    // Beside the mode, in both modes: which texts the screens encode.
    form_ = AddControl(id::kPayloadForm, new QComboBox, QRect(95, 11, 60, kComboHeight));
    AddFormItems(*form_);
    level_ = AddControl(id::kLevel, new QComboBox, QRect(95, 50, 50, kComboHeight));
    AddLevelItems(*level_);
    cellSize_ = AddControl(id::kCellSize, new QComboBox, QRect(95, 69, 50, kComboHeight));
    AddCellSizeItems(*cellSize_);
    version_ = AddControl(id::kVersion, new QComboBox, QRect(95, 88, 50, kComboHeight));
    AddVersionItems(*version_);
    splitCount_ = AddControl(id::kSplitCount, new QLineEdit, QRect(95, 138, 50, 15));
    splitCount_->setReadOnly(true);
    QPalette white = splitCount_->palette();
    white.setBrush(QPalette::Base, host_.WhiteBrush());
    splitCount_->setPalette(white);
    splitSpinner_ = AddControl(id::kSplitSpinner, new fw::UpDownControl, QRect(145, 138, 10, 14));
    splitSpinner_->SetBuddy(splitCount_);
    auto* ok = AddControl(ctl::kOk, new QPushButton(QStringLiteral("OK")), QRect(30, 171, 50, 14));
    ok->setDefault(true);
    ok->setAutoDefault(true);
    AddControl(ctl::kCancel, new QPushButton(QStringLiteral("ｷｬﾝｾﾙ")), QRect(91, 171, 50, 14));
    printArea_ = AddControl(id::kPrintArea, new QLineEdit, QRect(95, 107, 50, 15));
    printArea_->setReadOnly(true);
    printArea_->setFocusPolicy(Qt::ClickFocus);

    AddLabel("形式：", QRect(72, 14, 21, 8), id::kPayloadForm);
    AddLabel("誤り訂正レベル：", QRect(35, 53, 49, 8), id::kLevel);
    AddLabel("セルサイズ：", QRect(35, 72, 37, 8), id::kCellSize);
    AddLabel("バージョン：", QRect(35, 91, 35, 8), id::kVersion);
    AddLabel("印刷領域：", QRect(35, 110, 32, 8), id::kPrintArea);
    // The spinner goes by the name of the box it writes into.
    AddLabel("QRコード分割数：", QRect(34, 141, 51, 8), id::kSplitCount);
}

void SettingsDialog::ConnectHandlers()
{
    OnClicked(id::kAutomatic, [this] { EnableManualChoices(false); });
    OnClicked(id::kManual, [this] { EnableManualChoices(true); });
    OnTextChanged(id::kCellSize, [this] { UpdatePrintArea(); });
    OnTextChanged(id::kVersion, [this] { UpdatePrintArea(); });
    OnClicked(ctl::kOk, [this] { OnOK(); });
    OnClicked(ctl::kCancel, [this] { reject(); });
}

void SettingsDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.Text(id::kSplitCount, splitCountText);
    exchange.Text(id::kPrintArea, printAreaText);
}

void SettingsDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        OnOpen();
    fw::Dialog::showEvent(event);
}

void SettingsDialog::OnOpen()
{
    CodeSettings& s = host_.State().codeSettings;
    splitCountText.clear();
    printAreaText.clear();
    UpdateData(fw::Exchange::ToControls);
    automatic_->setChecked(s.autoAdjust);
    manual_->setChecked(!s.autoAdjust);
    form_->setCurrentIndex(s.form == PayloadForm::Standard ? 1 : 0);
    if (s.autoAdjust) {
        const CodeSettings initial;
        s.shownLevel = initial.shownLevel;
        s.cellSizeIndex = initial.cellSizeIndex;
        s.shownVersion = initial.shownVersion;
    }
    SelectItem(level_, s.shownLevel - 1);
    SelectItem(cellSize_, s.cellSizeIndex);
    SelectItem(version_, s.shownVersion - 1);
    UpdatePrintArea();
    EnableManualChoices(!s.autoAdjust);
    splitSpinner_->SetRange(1, kMaxSplitCount);
    splitSpinner_->SetPos(s.splitCount);
    automatic_->setFocus(Qt::OtherFocusReason);
}

void SettingsDialog::EnableManualChoices(bool enabled)
{
    for (int control : {id::kLevel, id::kCellSize, id::kVersion, id::kPrintArea})
        EnableControl(control, enabled);
}

void SettingsDialog::UpdatePrintArea()
{
    if (!version_ || !cellSize_)
        return;
    UpdateData(fw::Exchange::FromControls);
    const SymbolSizes sizes = SizesFor(cellSize_->currentIndex(), version_->currentIndex() + 1);
    printAreaText = FormatMm2(sizes.printMm) + "mm";
    UpdateData(fw::Exchange::ToControls);
}

void SettingsDialog::accept()
{
    // The default button (Enter) is OK.
    OnOK();
}

void SettingsDialog::OnOK()
{
    UpdateData(fw::Exchange::FromControls);
    CodeSettings& s = host_.State().codeSettings;
    if (automatic_->isChecked()) {
        const CodeSettings initial;
        s.autoAdjust = true;
        s.level = initial.level;
        s.shownLevel = initial.shownLevel;
        s.cellSizeIndex = initial.cellSizeIndex;
        s.version = initial.version;
        s.shownVersion = initial.shownVersion;
    } else if (!StoreManualChoices(s)) {
        return;
    }
    // The spinner writes the box: a number of 1..16.
    if (const Result<int, NumberFailure> count = ParseInteger(splitCountText))
        s.splitCount = *count;
    s.form = form_->currentIndex() == 1 ? PayloadForm::Standard : PayloadForm::Legacy;
    // The UTF-8 entry point tells what a whole split holds, its headers paid;
    // should it not tell, the engine's status stays as the capacity.
    if (!s.autoAdjust && s.form == PayloadForm::Standard) {
        const Result<int, CapacityFailure> split = host_.SymbolCapacity(s.form, s.version, s.level, s.splitCount);
        s.availableLength = split ? *split : split.Error().engineStatus;
    } else if (!s.autoAdjust) {
        s.availableLength *= s.splitCount;
    }
    UpdateData(fw::Exchange::FromControls);
    EndDialog(QDialog::Accepted);
}

bool SettingsDialog::StoreManualChoices(CodeSettings& s)
{
    s.autoAdjust = false;
    s.level = level_->currentIndex() + 1;
    s.shownLevel = s.level;
    s.cellSizeIndex = cellSize_->currentIndex();
    s.version = version_->currentIndex() + 1;
    s.shownVersion = s.version;
    const Result<int, CapacityFailure> capacity = host_.SymbolCapacity(PayloadForm::Legacy, s.version, s.level, 1);
    // A failed query leaves the engine's negative status as the capacity.
    s.availableLength = capacity ? *capacity : capacity.Error().engineStatus;
    if (!capacity) {
        ShowMessage(this, res::str::kCapacityQueryFailed);
        return false;
    }
    return true;
}

}  // namespace nubora
