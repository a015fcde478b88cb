#include "nubora/output/code_view_dialog.h"

#include "nubora/app/main_menu_dialog.h"
#include "nubora/app/messages.h"
#include "nubora/input/input_screen_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/up_down.h"
#include "nubora/output/symbol_image.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

namespace nubora {
namespace {

namespace id = ctl::codeView;

// Buttons this view has so far, in the order the pointer hover tests them.
constexpr struct {
    int id;
    int x, y, width, height;
    const char* caption;
} kButtons[] = {
    {id::kBack, 303, 512, 126, 61, "戻る"},
    {id::kExit, 303, 440, 126, 61, "終了"},
    {id::kBackToMenu, 429, 512, 126, 61, "メインへ戻る"},
};

// Where the result shows until the view's own layout comes: client pixels.
constexpr QRect kPictureRect(20, 20, 200, 210);
constexpr QRect kInformationRect(240, 20, 200, 96);
constexpr QRect kSymbolNumberRect(240, 130, 40, 22);
constexpr QRect kSymbolSpinnerRect(280, 130, 16, 22);
constexpr QRect kInputSummaryRect(20, 250, 480, 180);
// The symbol's top-left corner inside the picture area; pixels per module.
constexpr QPoint kSymbolOffset(11, 24);
constexpr int kSymbolScale = 2;

QPlainTextEdit* ReadOnlyBox(const QBrush& background)
{
    auto* box = new QPlainTextEdit;
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::NoTextInteraction);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setBrush(QPalette::Base, background);
    box->setPalette(palette);
    return box;
}

}  // namespace

CodeViewDialog::CodeViewDialog(MainMenuDialog& owner) : fw::Dialog(res::dlg::kCodeView), owner_(owner)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void CodeViewDialog::OnInitDialog()
{
    setWindowTitle(QStringLiteral("コード表示画面"));
    setWindowIcon(res::LoadProgramIcon());
    SetClientSize(600, 600);
    move(10, 10);
    for (const auto& b : kButtons) {
        auto* button = AddControlAtPixels(b.id, new fw::BitmapButton(QString::fromUtf8(b.caption)),
                                          QRect(b.x, b.y, b.width, b.height));
        button->setCursor(res::LoadButtonCursor());
    }
    ShowControl(id::kExit, false);
    CreateResultControls();
    OnClicked(id::kBack, [this] { OnBack(); });
    OnClicked(id::kBackToMenu, [this] { OnBackToMenu(); });
    OnClicked(id::kExit, [this] { OnExit(); });
}

void CodeViewDialog::CreateResultControls()
{
    auto* picture = AddControlAtPixels(id::kPicture, new QFrame, kPictureRect);
    picture->setFrameShape(QFrame::NoFrame);
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    AddControlAtPixels(id::kInformation, ReadOnlyBox(owner_.whiteBrush), kInformationRect);
    AddControlAtPixels(id::kInputSummary, ReadOnlyBox(owner_.whiteBrush), kInputSummaryRect);
    auto* number = AddControlAtPixels(id::kSymbolNumber, new QLineEdit, kSymbolNumberRect);
    number->setReadOnly(true);
    auto* spinner = AddControlAtPixels(id::kSymbolSpinner, new fw::UpDownControl, kSymbolSpinnerRect);
    spinner->SetBuddy(number);
    spinner->OnPositionChanged([this, spinner] {
        owner_.shownSymbol = spinner->Pos() - 1;
        update();
    });
    ShowControl(id::kSymbolNumber, false);
    ShowControl(id::kSymbolSpinner, false);
}

void CodeViewDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.Text(id::kInputSummary, inputSummary);
    exchange.Text(id::kInformation, informationText);
}

void CodeViewDialog::paintEvent(QPaintEvent* event)
{
    fw::Dialog::paintEvent(event);
    const QImage symbol = SymbolImage(owner_.codeBitmaps.At(owner_.shownSymbol));
    if (symbol.isNull())
        return;
    QPainter painter(this);
    // Nearest neighbour: every module stays a crisp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QRect target(kPictureRect.topLeft() + kSymbolOffset, symbol.size() * kSymbolScale);
    painter.drawImage(target, symbol);
}

void CodeViewDialog::OnBack()
{
    hide();
    owner_.Screen(owner_.currentScreen).show();
    owner_.codeBitmaps.Release();
    owner_.bmpSaved = 0;
}

void CodeViewDialog::OnBackToMenu()
{
    const int question = owner_.bmpSaved == 1 ? res::str::kBackToMenuQuestion : res::str::kBackToMenuDiscardUnsaved;
    if (ShowMessage(this, question) != fw::Answer::Yes)
        return;
    InputScreenDialog& screen = owner_.Screen(owner_.currentScreen);
    screen.ClearEntries();
    screen.UpdateData(false);
    hide();
    owner_.ShowMenu();
    owner_.codeBitmaps.Release();
    owner_.bmpSaved = 0;
}

void CodeViewDialog::OnExit()
{
    owner_.exitFromCodeView = 1;
    owner_.PostCloseRequest();
}

bool CodeViewDialog::RunButton(int buttonId)
{
    switch (buttonId) {
    case id::kBack: OnBack(); return true;
    case id::kBackToMenu: OnBackToMenu(); return true;
    case id::kExit: OnExit(); return true;
    default: return false;
    }
}

bool CodeViewDialog::PreTranslateMessage(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        const QPoint pointer = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        for (const auto& b : kButtons) {
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

void CodeViewDialog::reject() { OnExit(); }

void CodeViewDialog::closeEvent(QCloseEvent* event)
{
    // The close box does nothing on the code view.
    event->ignore();
}

}  // namespace nubora
