#include "nubora/input/input_screen_dialog.h"

#include "nubora/app/main_menu_dialog.h"
#include "nubora/app/messages.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>

namespace nubora {
namespace {

namespace id = ctl::input;

// Frame buttons with their client-pixel rectangles, in the order the pointer
// hover tests them. Buttons a screen does not have yet are skipped.
constexpr struct {
    int id;
    int x, y, width, height;
    const char* caption;
} kFrameButtons[] = {
    {id::kCreateCode, 49, 512, 126, 61, "QRコード作成"},
    {id::kBackToMenu, 429, 512, 126, 61, "メインへ"},
    {id::kExit, 303, 512, 126, 61, "終了"},
    {id::kClearInput, 525, 102, 75, 47, "入力データクリア"},
    {id::kSaveInput, 525, 152, 75, 47, "入力データ保存"},
    {id::kOpenInput, 525, 202, 75, 47, "保存データを開く"},
    {id::kSettings, 525, 442, 75, 47, "設定"},
    {id::kConfirm, 255, 400, 82, 23, "確認"},
};

}  // namespace

InputScreenDialog::InputScreenDialog(MainMenuDialog& owner, int templateId, const QString& title, int screenIndex)
    : fw::Dialog(templateId), owner_(owner), title_(title), screenIndex_(screenIndex)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void InputScreenDialog::OnInitDialog()
{
    setWindowTitle(title_);
    setWindowIcon(res::LoadProgramIcon());
    SetClientSize(600, 600);
    move(10, 10);

    // The buttons this frame has so far: back to the menu, the exit button
    // (hidden for good) and the confirm button of automatic mode.
    for (const auto& b : kFrameButtons) {
        if (b.id != id::kBackToMenu && b.id != id::kExit && b.id != id::kConfirm)
            continue;
        auto* button = AddControlAtPixels(b.id, new fw::BitmapButton(QString::fromUtf8(b.caption)),
                                          QRect(b.x, b.y, b.width, b.height));
        button->setCursor(res::LoadButtonCursor());
    }
    ShowControl(id::kExit, false);
    OnClicked(id::kBackToMenu, [this] { OnBackToMenu(); });
    OnClicked(id::kExit, [this] { OnExit(); });

    auto* summary = AddControl(id::kSettingsSummary, new QPlainTextEdit, QRect(60, 269, 75, 48));
    summary->setReadOnly(true);
    summary->setFrameShape(QFrame::NoFrame);
    summary->setTextInteractionFlags(Qt::NoTextInteraction);
    summary->setFocusPolicy(Qt::NoFocus);
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = summary->palette();
    palette.setBrush(QPalette::Base, owner_.whiteBrush);
    summary->setPalette(palette);

    auto* gauge = AddControl(id::kGauge, new QProgressBar, QRect(156, 295, 125, 20));
    gauge->setRange(0, 100);
    gauge->setValue(0);
    gauge->setTextVisible(false);
    ShowAutomaticPresentation();
}

void InputScreenDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.Text(id::kSettingsSummary, settingsSummary);
}

void InputScreenDialog::ShowAutomaticPresentation()
{
    ShowControl(id::kConfirm, true);
    ShowControl(id::kGauge, false);
}

void InputScreenDialog::OnBackToMenu()
{
    UpdateData(true);
    if (!IsAllEmpty()) {
        if (ShowMessage(this, res::str::kBackToMenuDiscardEdits) != fw::Answer::Yes)
            return;
        ClearEntries();
        if (auto* gauge = ControlAs<QProgressBar>(id::kGauge))
            gauge->setValue(0);
    }
    LeaveToMenu();
}

void InputScreenDialog::LeaveToMenu()
{
    FocusFirstField();
    UpdateData(false);
    owner_.codeSettings.autoAdjust = 1;
    hide();
    owner_.ShowMenu();
}

void InputScreenDialog::OnExit() { owner_.PostCloseRequest(); }

bool InputScreenDialog::RunButton(int buttonId)
{
    switch (buttonId) {
    case id::kBackToMenu: OnBackToMenu(); return true;
    case id::kExit: OnExit(); return true;
    default: return false;
    }
}

bool InputScreenDialog::PreTranslateMessage(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        for (const auto& b : kFrameButtons) {
            QWidget* button = Control(b.id);
            if (button && button->isVisible() && button->rect().contains(button->mapFromGlobal(pointer))) {
                button->setFocus(Qt::MouseFocusReason);
                return true;
            }
        }
        return false;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape)
            return true;
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunButton(FocusedControlId());
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

void InputScreenDialog::reject() { OnExit(); }

void InputScreenDialog::closeEvent(QCloseEvent* event)
{
    // The close box does nothing on an input screen.
    event->ignore();
}

}  // namespace nubora
