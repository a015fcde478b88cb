#include "nubora/output/code_view_dialog.h"

#include "nubora/framework/accessibility.h"
#include "nubora/framework/services.h"
#include "nubora/framework/up_down.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_files.h"
#include "nubora/output/symbol_image.h"
#include "nubora/output/symbol_output.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/code_view_layout.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/picture_button.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/screen_labels.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nubora {
namespace {

namespace id = ctl::codeView;
namespace b = res::bmp;
namespace lay = res::layout::codeView;
namespace labels = res::labels;

// The window manager draws the frame: the dialog-frame height counts as 0.
constexpr int kDialogFrameHeight = 0;
// The smallest size the notes beside the symbol are set at to fit their box,
// and the steps down to it, in points.
constexpr double kSmallestNotesPt = 6.0;
constexpr double kNotesPtStep = 0.5;

// The buttons with their client-pixel rectangles and pictures.
constexpr struct {
    int id;
    QRect rect;
    const char* caption;
    res::ButtonPictures pictures;
} kButtons[] = {
    {id::kSaveBmp,
     {49, 512 - kDialogFrameHeight, 126, 61},
     "QRコード保存(BMP形式)",
     {b::kSaveBmpNormal, b::kSaveBmpPressed, b::kSaveBmpFocused}},
    {id::kBack, {303, 512 - kDialogFrameHeight, 126, 61}, "戻る", {b::kBackNormal, b::kBackPressed, b::kBackFocused}},
    {id::kBackToMenu,
     {429, 512 - kDialogFrameHeight, 126, 61},
     "メインへ戻る",
     {b::kBackToMenuNormal, b::kBackToMenuPressed, b::kBackToMenuFocused}},
    {id::kCopy, {525, 102, 75, 47}, "QRコードコピー", {b::kCopyNormal, b::kCopyPressed, b::kCopyFocused}},
    {id::kPrint, {525, 152, 75, 47}, "印刷", {b::kPrintNormal, b::kPrintPressed, b::kPrintFocused}},
    {id::kExit, lay::kExit, "終了", {b::kScreenExitNormal, b::kScreenExitPressed, b::kScreenExitFocused}},
};

// The order in which the pointer hover tests the buttons, the hidden exit too.
constexpr int kHoverOrder[] = {id::kSaveBmp, id::kPrint, id::kBack, id::kExit, id::kCopy, id::kBackToMenu};

// A read-only text box on white that cannot be clicked into.
QPlainTextEdit* ReadOnlyBox(const QBrush& white)
{
    auto* box = new QPlainTextEdit;
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::NoTextInteraction);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setBrush(QPalette::Base, white);
    box->setPalette(palette);
    return box;
}

}  // namespace

CodeViewDialog::CodeViewDialog(ScreenHost& host) : fw::Dialog(res::dlg::kCodeView), host_(host)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void CodeViewDialog::OnInitDialog()
{
    setWindowTitle(QStringLiteral("コード表示画面"));
    setWindowIcon(res::LoadProgramIcon());
    SetClientSize(lay::kClientSide, lay::kClientSide);
    move(10, 10);
    SetBackground(res::BitmapSource(b::kCodeViewBackground));
    AddControlAtPixels(id::kPicture, new fw::PictureArea, lay::kPicture);
    UpdatePictureName();
    CreateTextBoxes();
    CreateSymbolSpinner();
    CreateButtons();
}

void CodeViewDialog::CreateButtons()
{
    for (const auto& f : kButtons) {
        res::AddPictureButton(*this, f.id, f.caption, f.rect, f.pictures);
        OnClicked(f.id, [this, buttonId = f.id] { RunButton(buttonId); });
    }
    // The exit button stays hidden; it keeps its place for the pointer hover.
    ShowControl(id::kExit, false);
}

void CodeViewDialog::CreateTextBoxes()
{
    auto* information = AddControlAtPixels(id::kInformation, ReadOnlyBox(host_.WhiteBrush()), lay::kInformation);
    information->setFrameShape(QFrame::NoFrame);
    information->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    information->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // No margin: the labels of the background stand level with the lines.
    information->document()->setDocumentMargin(0);
    // Heard with the labels that the background shows beside its lines.
    SetAccessibleName(id::kInformation, QString::fromUtf8(labels::kInformationHeading));
    SetLineLabels(id::kInformation, labels::kInformationLineLabels);
    auto* summary = AddControlAtPixels(id::kInputSummary, ReadOnlyBox(host_.WhiteBrush()), lay::kInputSummary);
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetAccessibleName(id::kInputSummary, QString::fromUtf8(labels::kInputSummaryHeading));
    auto* notes = AddControlAtPixels(id::kCheckNotes, new QLabel, lay::kCheckNotes);
    notes->setWordWrap(true);
    notes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = notes->font();
    small.setPointSizeF(small.pointSizeF() - 1);
    notes->setFont(small);
    notesPt_ = small.pointSizeF();
}

void CodeViewDialog::SetCheckNotes(const std::vector<std::string>& lines)
{
    QStringList shown;
    for (const std::string& line : lines)
        shown << QString::fromStdString(line);
    auto* notes = ControlAs<QLabel>(id::kCheckNotes);
    if (notes == nullptr)
        return;
    notes->setText(shown.join(QLatin1Char('\n')));
    // Every note is read whole: several long ones are set smaller rather
    // than cut off at the bottom of the box.
    QFont font = notes->font();
    for (double pt = notesPt_; pt >= kSmallestNotesPt; pt -= kNotesPtStep) {
        font.setPointSizeF(pt);
        notes->setFont(font);
        if (notes->heightForWidth(notes->width()) <= notes->height())
            break;
    }
}

void CodeViewDialog::ShowCode(const std::string& summary, text::TextCharset summaryCharset, const std::string& payload)
{
    CodeState& state = host_.State();
    inputSummary = summary;
    inputSummaryCharset = summaryCharset;
    UpdateData(fw::Exchange::ToControls);
    std::vector<std::string> notes{res::LoadString(res::str::kReadBackPassed).toStdString()};
    const bool memoryForm = state.currentScreen == ScreenId::AddressBook &&
                            state.codeSettings.form == PayloadForm::Legacy;
    const text::TextCharset payloadCharset = PayloadCharset(state.codeSettings.form);
    for (std::string& advice : ReaderAdvice(payload, state.codeSettings.splitCount, memoryForm, payloadCharset))
        notes.push_back(std::move(advice));
    // The cell size is the printed module: the code view prints and saves at it.
    if (std::optional<std::string> small = SmallModuleAdvice(CellSizeMm(state.codeSettings.cellSizeIndex)))
        notes.push_back(std::move(*small));
    SetCheckNotes(notes);
    const int count = state.codeSettings.splitCount;
    if (auto* spinner = ControlAs<fw::UpDownControl>(id::kSymbolSpinner)) {
        spinner->SetRange(1, count);
        spinner->SetPos(1);
    }
    state.shownSymbol = 0;
    UpdatePictureName();
    const bool split = count > 1;
    ShowControl(id::kSymbolNumber, split);
    ShowControl(id::kSymbolSpinner, split);
    EnableControl(id::kSymbolSpinner, split);
    update();
    show();
    repaint();
    raise();
    activateWindow();
}

void CodeViewDialog::CreateSymbolSpinner()
{
    auto* number = AddControlAtPixels(id::kSymbolNumber, new QLineEdit, lay::kSymbolNumber);
    number->setReadOnly(true);
    number->setAlignment(Qt::AlignRight);
    QPalette palette = number->palette();
    palette.setBrush(QPalette::Base, host_.WhiteBrush());
    number->setPalette(palette);
    // The spinner goes by the same name.
    SetAccessibleName(id::kSymbolNumber, QString::fromUtf8(labels::kSymbolNumber));
    auto* spinner = AddControlAtPixels(id::kSymbolSpinner, new fw::UpDownControl, lay::kSymbolSpinner);
    spinner->SetBuddy(number);
    // "n/N": which symbol of how many.
    spinner->SetBuddyFormat([](int position, int upper) { return QStringLiteral("%1/%2").arg(position).arg(upper); });
    // The spinner writes the number before it reports the move: the first
    // move is acted upon here, every later one by the text change as well.
    spinner->OnPositionChanged([this] {
        spinnerUsed_ = true;
        OnSymbolNumberChanged();
    });
    OnTextChanged(id::kSymbolNumber, [this] { OnSymbolNumberChanged(); });
    ShowControl(id::kSymbolNumber, false);
    ShowControl(id::kSymbolSpinner, false);
}

void CodeViewDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.SetCharset(inputSummaryCharset);
    exchange.Text(id::kInputSummary, inputSummary);
    exchange.SetCharset(text::TextCharset::Cp932);
    exchange.Text(id::kInformation, informationText);
    exchange.Text(id::kSymbolNumber, symbolNumberText);
}

QImage CodeViewDialog::ShownSymbol() const
{
    return SymbolImage(host_.State().codeBitmaps.At(host_.State().shownSymbol));
}

void CodeViewDialog::paintEvent(QPaintEvent* event)
{
    fw::Dialog::paintEvent(event);
    const QImage symbol = ShownSymbol();
    if (!symbol.isNull()) {
        QPainter painter(this);
        // Nearest neighbour: every module stays a crisp square.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QRect target(lay::kPicture.topLeft() + lay::kSymbolOffset, symbol.size() * lay::kSymbolPixelsPerModule);
        painter.drawImage(target, symbol);
    }
}

void CodeViewDialog::OnSymbolNumberChanged()
{
    if (!spinnerUsed_ || !UpdateData(fw::Exchange::FromControls))
        return;
    const int count = std::max(host_.State().codeBitmaps.Count(), 1);
    const int number = QString::fromStdString(symbolNumberText).section(QLatin1Char('/'), 0, 0).toInt();
    host_.State().shownSymbol = std::clamp(number - 1, 0, count - 1);
    UpdatePictureName();
    repaint();
}

void CodeViewDialog::UpdatePictureName()
{
    const CodeState& state = host_.State();
    QString name = QString::fromUtf8(labels::kPictureHeading);
    if (!state.codeBitmaps.IsNull()) {
        if (const int count = state.codeBitmaps.Count(); count > 1)
            name += QStringLiteral(" %1/%2").arg(state.shownSymbol + 1).arg(count);
        const QString level = QString::fromStdString(LevelText(state.codeLevel)).left(1);
        name += QStringLiteral(", バージョン %1, %2").arg(state.codeVersion).arg(level);
    }
    SetAccessibleName(id::kPicture, name);
}

void CodeViewDialog::OnSaveBmp()
{
    const QrBitmap* symbol = host_.State().codeBitmaps.At(host_.State().shownSymbol);
    if (!symbol)
        return;
    const std::optional<QString> path = fw::CurrentServices().files->SaveFileName(this, SymbolSaveRequest());
    if (!path)
        return;
    const CodeState& state = host_.State();
    const std::string file = QFile::encodeName(*path).toStdString();
    if (!SaveCodeFile(file, SavedFormatFor(file), state.codeBitmaps, state.shownSymbol,
                      CellSizeMm(state.codeSettings.cellSizeIndex), state.codeSettings.printSizeMm)) {
        ShowMessage(this, res::str::kFileOpenFailed);
        return;
    }
    host_.State().bmpSaved = true;
}

void CodeViewDialog::OnPrint()
{
    const QImage symbol = ShownSymbol();
    if (symbol.isNull())
        return;
    fw::PrintService& printing = *fw::CurrentServices().printing;
    // With nothing to print on, say so rather than print nothing in silence.
    if (!printing.HasPrinter()) {
        ShowMessage(this, res::str::kNoPrinter);
        return;
    }
    const std::unique_ptr<fw::PrintTarget> printer = printing.ChoosePrinter(this);
    if (!printer)
        return;
    PrintSymbol(*printer, symbol, host_.State().codeSettings.printSizeMm);
}

void CodeViewDialog::OnCopy()
{
    const QImage symbol = ShownSymbol();
    const QrBitmap* bits = host_.State().codeBitmaps.At(host_.State().shownSymbol);
    if (!symbol.isNull() && bits) {
        // Documents take the PNG with its physical size, or the SVG.
        const double cellMm = CellSizeMm(host_.State().codeSettings.cellSizeIndex);
        // A held symbol at a listed cell size always builds; should memory run
        // out, that format is offered empty beside the picture.
        const Result<std::vector<uint8_t>, BuildFailure> png = BuildPngFile(*bits, kClipboardModulePixels, cellMm);
        const Result<std::string, BuildFailure> svg = BuildSvgFile(*bits, cellMm);
        fw::CurrentServices().clipboard->SetImage(
            ClipboardPicture(symbol),
            {{QStringLiteral("image/png"),
              png ? QByteArray(reinterpret_cast<const char*>(png->data()), png->size()) : QByteArray()},
             {QStringLiteral("image/svg+xml"), svg ? QByteArray::fromStdString(*svg) : QByteArray()}});
    }
    ShowMessageText(this, res::str::kCopiedToClipboard, ClipboardNotice(host_.State().codeSettings.printSizeMm));
}

void CodeViewDialog::OnBack()
{
    hide();
    host_.ReturnToScreen(host_.State().currentScreen);
    host_.State().codeBitmaps.Release();
    host_.State().bmpSaved = false;
}

void CodeViewDialog::OnBackToMenu()
{
    const int question = host_.State().bmpSaved ? res::str::kBackToMenuQuestion : res::str::kBackToMenuDiscardUnsaved;
    if (ShowMessage(this, question) != fw::Answer::Yes)
        return;
    host_.ClearScreen(host_.State().currentScreen);
    hide();
    host_.ShowMenu();
    host_.State().codeBitmaps.Release();
    host_.State().bmpSaved = false;
}

void CodeViewDialog::OnExit()
{
    host_.State().exitFromCodeView = true;
    host_.RequestExit();
}

bool CodeViewDialog::RunButton(int buttonId)
{
    switch (buttonId) {
    case id::kSaveBmp: OnSaveBmp(); return true;
    case id::kPrint: OnPrint(); return true;
    case id::kCopy: OnCopy(); return true;
    case id::kBack: OnBack(); return true;
    case id::kBackToMenu: OnBackToMenu(); return true;
    case id::kExit: OnExit(); return true;
    default: return false;
    }
}

bool CodeViewDialog::IsClickOnText(QObject* target, const QEvent* event) const
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: break;
    default: return false;
    }
    const Qt::MouseButton button = static_cast<const QMouseEvent*>(event)->button();
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return false;
    // The summary's scroll bar stays usable.
    for (const QObject* o = target; o; o = o->parent()) {
        if (qobject_cast<const QScrollBar*>(o))
            return false;
    }
    const int control = ControlId(qobject_cast<QWidget*>(target));
    return control == id::kInputSummary || control == id::kInformation;
}

bool CodeViewDialog::PreTranslateMessage(QObject* target, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        return FocusButtonAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), kHoverOrder) != 0;
    if (IsClickOnText(target, event))
        return true;
    return FilterEnterAndEsc(event, [this](int buttonId) { RunButton(buttonId); });
}

void CodeViewDialog::reject() { OnExit(); }

void CodeViewDialog::closeEvent(QCloseEvent* event)
{
    // The close box does nothing on the code view.
    event->ignore();
}

}  // namespace nubora
