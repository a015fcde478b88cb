#include "nubora/input/input_screen_dialog.h"

#include "nubora/framework/cp932.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/services.h"
#include "nubora/framework/trace.h"
#include "nubora/logic/entry_checks.h"
#include "nubora/logic/validation.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/input_screen_layout.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/picture_button.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextBlock>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace nubora {
namespace {

namespace id = ctl::input;
namespace b = res::bmp;

constexpr int kClientSide = 600;
// The QRコード読込 link, client pixels: below 保存データを開く, where no frame button stands.
constexpr QRect kReadCodeButtonRect(525, 252, 75, 47);
// The 画面から読込 link under it, in the free panel above 設定.
constexpr QRect kReadRegionButtonRect(525, 302, 75, 47);
// The window manager draws the frame: the dialog-frame height counts as 0.
constexpr int kDialogFrameHeight = 0;

// Frame buttons with their client-pixel rectangles and pictures, in the
// order the pointer hover tests them.
constexpr struct {
    int id;
    int x, y, width, height;
    const char* caption;
    res::ButtonPictures pictures;
} kFrameButtons[] = {
    {id::kCreateCode,
     49,
     512 - kDialogFrameHeight,
     126,
     61,
     "QRコード作成",
     {b::kCreateCodeNormal, b::kCreateCodePressed, b::kCreateCodeFocused}},
    {id::kBackToMenu,
     429,
     512 - kDialogFrameHeight,
     126,
     61,
     "メインへ",
     {b::kBackToMenuNormal, b::kBackToMenuPressed, b::kBackToMenuFocused}},
    {id::kExit,
     303,
     512 - kDialogFrameHeight,
     126,
     61,
     "終了",
     {b::kScreenExitNormal, b::kScreenExitPressed, b::kScreenExitFocused}},
    {id::kClearInput,
     525,
     102,
     75,
     47,
     "入力データクリア",
     {b::kClearInputNormal, b::kClearInputPressed, b::kClearInputFocused}},
    {id::kSaveInput,
     525,
     152,
     75,
     47,
     "入力データ保存",
     {b::kSaveInputNormal, b::kSaveInputPressed, b::kSaveInputFocused}},
    {id::kOpenInput,
     525,
     202,
     75,
     47,
     "保存データを開く",
     {b::kOpenInputNormal, b::kOpenInputPressed, b::kOpenInputFocused}},
    {id::kSettings, 525, 442, 75, 47, "設定", {b::kSettingsNormal, b::kSettingsPressed, b::kSettingsFocused}},
    {id::kConfirm, 255, 400, 82, 23, "確認", {b::kConfirmNormal, b::kConfirmPressed, b::kConfirmFocused}},
};

// True when `widget` is a field the user can type into.
bool IsEditableField(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    return false;
}

// Ctrl+V with a picture or picture files on the clipboard: read by the host.
// A text on it goes to the field that has the focus, as ever, even with a
// picture beside it (a spreadsheet's cells come with one); copied files,
// whose paths come as text too, are read.
bool IsPasteOfPicture(QEvent* event, ScreenHost& host)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Paste))
        return false;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return false;
    const bool files = std::ranges::any_of(data->urls(), [](const QUrl& url) { return url.isLocalFile(); });
    if (data->hasText() && !files && IsEditableField(QApplication::focusWidget()))
        return false;
    return (data->hasImage() || data->hasUrls()) && host.ReadCodeFromMime(*data);
}

// A picture or files dragged over the screen, also over a field: taken and
// read by the host when dropped.
bool FilterDrop(QEvent* event, ScreenHost& host)
{
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    if (!data || !(data->hasImage() || data->hasUrls()))
        return false;
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        host.ReadCodeFromMime(*data);
    return true;
}

// Events a user makes; each starts a new message for suppressFocusCheck.
bool IsInputEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::InputMethod: return true;
    default: return false;
    }
}

// The message of a data file that could not be saved or opened.
int DataFileMessage(DataFileStatus status)
{
    switch (status) {
    case DataFileStatus::Unreadable: return res::str::kFileReadFailed;
    case DataFileStatus::InUse: return res::str::kFileInUse;
    case DataFileStatus::CannotOpen: break;
    }
    return res::str::kFileOpenFailed;
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// How many characters without a CP932 code a message names at most.
constexpr std::size_t kNamedUncoded = 5;

// The text of an entry field control.
QString FieldText(const QWidget* field)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(field))
        return line->text();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(field))
        return plain->toPlainText();
    return QString();
}

// "「é」「😀」" for the characters of `characters`, "など" after the limit.
QString QuotedCharacters(const QString& characters)
{
    QString quoted;
    std::size_t named = 0;
    for (qsizetype i = 0; i < characters.size();) {
        const qsizetype width = fw::CharacterWidth(characters, i);
        if (named++ == kNamedUncoded)
            return quoted + QStringLiteral("など");
        quoted += QStringLiteral("「") + characters.mid(i, width) + QStringLiteral("」");
        i += width;
    }
    return quoted;
}

// The settings summary 1027: a read-only box whose lines stand a fixed
// distance apart, level with the labels the background paints beside them.
class SettingsSummaryBox final : public QPlainTextEdit {
public:
    explicit SettingsSummaryBox(int lineHeight) : lineHeight_(lineHeight) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(viewport());
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::Text));
        const int ascent = fontMetrics().ascent();
        int top = 0;
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next(), top += lineHeight_)
            painter.drawText(QPoint(0, top + ascent), block.text());
    }

private:
    int lineHeight_;  // pixels from one line's top to the next
};

}  // namespace

InputScreenDialog::InputScreenDialog(ScreenHost& host, int templateId, const QString& title, ScreenId screen,
                                     int backgroundId)
    : fw::Dialog(templateId), host_(host), title_(title), screen_(screen), backgroundId_(backgroundId)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
}

void InputScreenDialog::OnInitDialog()
{
    setWindowTitle(title_);
    setWindowIcon(res::LoadProgramIcon());
    SetClientSize(kClientSide, kClientSide);
    move(10, 10);
    SetBackground(res::BitmapSource(backgroundId_));
    setAcceptDrops(true);
    CreateFields();
    CreateFrameButtons();
    CreateSummaryAndGauge();
    suppressFocusCheck = false;
    ShowAutomaticPresentation();
}

void InputScreenDialog::LabelField(const res::labels::FieldLabel& field)
{
    const QString text = QString::fromUtf8(field.text);
    auto* label = new QLabel(text, this);
    label->setGeometry(Units().ToPixels(QRect(8, field.templateRect.y() + 3, 55, 10)));
    label->hide();
    SetAccessibleName(field.controlId, text);
}

void InputScreenDialog::CreateFrameButtons()
{
    for (const auto& f : kFrameButtons) {
        res::AddPictureButton(*this, f.id, f.caption, QRect(f.x, f.y, f.width, f.height), f.pictures);
        OnClicked(f.id, [this, buttonId = f.id] { RunButton(buttonId); });
    }
    // Beside 保存データを開く, where no frame button stands: reading a code
    // from a picture file, and under it from an area of the screen.
    AddLink(kReadCodeButtonName, res::str::kReadCodeButton, kReadCodeButtonRect,
            [this] { host_.ReadCodeFromPictureFile(this); });
    AddLink(kReadRegionButtonName, res::str::kReadRegionButton, kReadRegionButtonRect,
            [this] { host_.ReadCodeFromScreen(this); });
    // The exit button stays hidden; Esc and the close box do not end the program either.
    ShowControl(id::kExit, false);
}

void InputScreenDialog::AddLink(const char* name, int captionId, const QRect& rect, std::function<void()> run)
{
    const QString caption = res::LoadString(captionId);
    auto* link = new QLabel(QStringLiteral("<a href=\"read\">%1</a>").arg(caption.toHtmlEscaped()), this);
    link->setObjectName(QString::fromLatin1(name));
    link->setAccessibleName(caption);
    link->setAlignment(Qt::AlignCenter);
    link->setWordWrap(true);
    link->setGeometry(rect);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setFocusPolicy(Qt::TabFocus);
    connect(link, &QLabel::linkActivated, this, std::move(run));
}

void InputScreenDialog::CreateSummaryAndGauge()
{
    namespace corner = res::layout::inputScreen;
    auto* summary = AddControl(id::kSettingsSummary, new SettingsSummaryBox(corner::SummaryLineHeight(Units())),
                               corner::kSummaryTemplate);
    // Where the box runs past the background's settings panel (into the
    // bottom button row) it shows nothing.
    const QRect visible = corner::SummaryVisibleRect(Units());
    summary->setMask(QRegion(visible.translated(-summary->pos())));
    summary->setReadOnly(true);
    summary->setFrameShape(QFrame::NoFrame);
    summary->setTextInteractionFlags(Qt::NoTextInteraction);
    summary->setFocusPolicy(Qt::NoFocus);
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summary->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // No margin: the labels of the background stand level with the lines.
    summary->document()->setDocumentMargin(0);
    QPalette palette = summary->palette();
    palette.setBrush(QPalette::Base, host_.WhiteBrush());
    summary->setPalette(palette);
    // Heard with the labels that the background shows beside its lines.
    SetAccessibleName(id::kSettingsSummary, QString::fromUtf8(res::labels::kSettingsHeading));
    SetLineLabels(id::kSettingsSummary, res::labels::kSummaryLineLabels);

    // The payload form, named only when it is not the legacy one: in the
    // panel's free corner above the gauge, where no control stands.
    AddControlAtPixels(id::kFormSummary, new QLabel, res::layout::inputScreen::kFormSummary);

    auto* gauge = AddControl(id::kGauge, new QProgressBar, corner::kGaugeTemplate);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    gauge->setTextVisible(false);
    SetAccessibleName(id::kGauge, QString::fromUtf8(res::labels::kGaugeName));
}

void InputScreenDialog::DoDataExchange(fw::DataExchange& exchange)
{
    exchange.Text(id::kSettingsSummary, settingsSummary);
    exchange.Text(id::kFormSummary, formSummary);
    if (exchange.Saving())
        TakeCharset();
    else
        ApplyFormToFields();
    exchange.SetCharset(charset);
}

void InputScreenDialog::TakeCharset()
{
    // A field the user has not changed keeps its member's bytes: it needs
    // UTF-8 only when those do. A changed one needs it when its text has no
    // CP932 form.
    bool utf8 = false;
    for (const EntryMember& member : EntryMembers()) {
        if (ShowsExchangedText(member.controlId, charset))
            utf8 = utf8 || (charset == text::TextCharset::Utf8 && !text::Utf8ToCp932(*member.value));
        else
            utf8 = utf8 || !fw::ToCp932(FieldText(Control(member.controlId)));
    }
    const text::TextCharset taken = utf8 ? text::TextCharset::Utf8 : text::TextCharset::Cp932;
    if (taken == charset)
        return;
    // A member that the take leaves alone (after a refused value) still
    // reads right in the new charset.
    for (const EntryMember& member : EntryMembers()) {
        *member.value = utf8 ? text::ToUtf8(*member.value, charset) : text::ToCp932Lossy(*member.value, charset);
    }
    charset = taken;
}

void InputScreenDialog::ApplyFormToFields()
{
    const PayloadForm form = host_.State().codeSettings.form;
    const std::vector<EntryMember> members = EntryMembers();
    if (fieldsForm_ == form || members.empty() || !Control(members.front().controlId))
        return;
    fieldsForm_ = form;
    toldUncoded_.clear();
    const fw::UncodedCharacters policy = form == PayloadForm::Standard ? fw::UncodedCharacters::Take
                                                                       : fw::UncodedCharacters::Refuse;
    for (const EntryMember& member : members) {
        const int controlId = member.controlId;
        auto tell = [this, controlId](const QString& characters) { TellUncodedRefused(controlId, characters); };
        if (auto* line = ControlAs<fw::Cp932LineEdit>(controlId)) {
            line->SetUncodedCharacters(policy);
            line->SetUncodedRefusalHandler(tell);
        } else if (auto* plain = ControlAs<fw::Cp932TextEdit>(controlId)) {
            plain->SetUncodedCharacters(policy);
            plain->SetUncodedRefusalHandler(tell);
        }
    }
}

void InputScreenDialog::TellUncodedRefused(int controlId, const QString& characters)
{
    if (!toldUncoded_.insert(controlId).second)
        return;
    // Told after the edit has finished refusing the input, not inside it.
    const QString text = res::LoadString(res::str::kUncodedCharRefused).arg(QuotedCharacters(characters));
    QMetaObject::invokeMethod(
        this, [this, text] { ShowMessageText(this, res::str::kUncodedCharRefused, text); }, Qt::QueuedConnection);
}

bool InputScreenDialog::FitsTheForm()
{
    if (host_.State().codeSettings.form != PayloadForm::Legacy || charset == text::TextCharset::Cp932)
        return true;
    QString uncoded;
    int firstField = 0;
    for (const EntryMember& member : EntryMembers()) {
        for (const std::string& character : text::CharactersWithoutCp932(*member.value, kNamedUncoded + 1)) {
            const QString name = QString::fromStdString(character);
            if (!uncoded.contains(name))
                uncoded += name;
            if (firstField == 0)
                firstField = member.controlId;
        }
    }
    if (firstField == 0)
        return true;
    const QString text = res::LoadString(res::str::kLegacyFormUncodedChars).arg(QuotedCharacters(uncoded));
    ReportCheckFailure(firstField, res::str::kLegacyFormUncodedChars, text);
    return false;
}

void InputScreenDialog::ShowAutomaticPresentation()
{
    ShowControl(id::kConfirm, true);
    ShowControl(id::kGauge, false);
}

void InputScreenDialog::ShowManualPresentation()
{
    ShowControl(id::kConfirm, false);
    ShowControl(id::kGauge, true);
}

void InputScreenDialog::UpdateGauge(fw::Exchange take)
{
    auto* gauge = ControlAs<QProgressBar>(id::kGauge);
    if (!gauge || !UpdateData(take))
        return;
    const int position = GaugePosition(IsAllEmpty(), static_cast<int64_t>(BuildPayload().size()),
                                       host_.State().codeSettings.availableLength);
    gauge->setValue(position);
}

bool InputScreenDialog::TakeAndValidate() { return UpdateData(fw::Exchange::FromControls) && ValidateAll(); }

void InputScreenDialog::OnCreateCode()
{
    if (!TakeAndValidate() || !FitsTheForm())
        return;
    if (!host_.EncodeText(BuildPayload()))
        return;
    hide();
    host_.ShowCodeView(screen_, BuildInputSummary());
}

void InputScreenDialog::OnBackToMenu()
{
    if (!UpdateData(fw::Exchange::FromControls))
        return;
    if (!IsAllEmpty()) {
        if (ShowMessage(this, res::str::kBackToMenuDiscardEdits) != fw::Answer::Yes)
            return;
        ClearEntries();
        RememberEntries();
        if (auto* gauge = ControlAs<QProgressBar>(id::kGauge))
            gauge->setValue(0);
    }
    LeaveToMenu();
}

void InputScreenDialog::LeaveToMenu()
{
    FocusFirstField();
    UpdateData(fw::Exchange::ToControls);
    host_.State().codeSettings.autoAdjust = true;
    hide();
    host_.ShowMenu();
}

void InputScreenDialog::OnClearInput()
{
    if (!UpdateData(fw::Exchange::FromControls) || IsAllEmpty())
        return;
    if (ShowMessage(this, res::str::kClearInputQuestion) != fw::Answer::Yes)
        return;
    ClearEntries();
    RememberEntries();
    FocusFirstField();
    UpdateData(fw::Exchange::ToControls);
    if (!host_.State().codeSettings.autoAdjust)
        UpdateGauge();
}

void InputScreenDialog::OnExit()
{
    // The menu's question tells by the entries whether typed data would be
    // lost: they must hold what is typed. A refused take stops the exit.
    if (!UpdateData(fw::Exchange::FromControls))
        return;
    host_.RequestExit();
}

void InputScreenDialog::OnSettings()
{
    if (!TakeAndValidate())
        return;
    if (!host_.RunSettings(this))
        return;
    if (host_.State().codeSettings.autoAdjust) {
        ShowAutomaticPresentation();
    } else {
        ShowManualPresentation();
        UpdateGauge();
    }
    host_.UpdateSettingsSummary(screen_);
}

void InputScreenDialog::OnConfirm()
{
    if (!TakeAndValidate() || !FitsTheForm())
        return;
    if (host_.QueryCodeInfo(BuildPayload()))
        host_.UpdateSettingsSummary(screen_);
}

void InputScreenDialog::OnSaveInput()
{
    if (!TakeAndValidate())
        return;
    if (LosesTrailingBackslash() && ShowMessage(this, res::str::kTrailingBackslashQuestion) != fw::Answer::Yes)
        return;
    const std::optional<QString> path = fw::CurrentServices().files->SaveFileName(this, DataFileRequest());
    if (!path || !UpdateData(fw::Exchange::FromControls))
        return;
    const Result<void, DataFileStatus> saved = SaveDataFile(LocalPath(*path));
    if (!saved) {
        ShowMessage(this, DataFileMessage(saved.Error()));
        return;
    }
    RememberEntries();
}

void InputScreenDialog::OnOpenInput()
{
    const std::optional<QString> path = fw::CurrentServices().files->OpenFileName(this, DataFileRequest());
    if (path && OpenInputFile(*path))
        fw::WriteTrace(QStringLiteral("opened %1").arg(*path));
}

bool InputScreenDialog::OpenInputFile(const QString& path, QWidget* reportOver)
{
    QWidget* owner = reportOver ? reportOver : this;
    if (QFileInfo(path).suffix() != DataFileRequest().defaultSuffix) {
        ShowMessage(owner, res::str::kWrongFileKind);
        return false;
    }
    const Result<void, DataFileStatus> opened = OpenDataFile(LocalPath(path));
    if (!opened) {
        ShowMessage(owner, DataFileMessage(opened.Error()));
        return false;
    }
    RememberEntries();
    UpdateData(fw::Exchange::ToControls);
    // A hidden screen is given its gauge when it is shown, in that mode.
    if (isVisible() && !host_.State().codeSettings.autoAdjust)
        UpdateGauge();
    return true;
}

void InputScreenDialog::OpenCode(const CodeEntry& entry)
{
    PlaceCode(entry);
    UpdateData(fw::Exchange::ToControls);
    // A field past its limit is named by the reader's own message.
    if (isVisible() && !host_.State().codeSettings.autoAdjust)
        UpdateGauge(fw::Exchange::FromControlsUnchecked);
}

void InputScreenDialog::KeepShownInput() { UpdateData(fw::Exchange::FromControlsUnchecked); }

bool InputScreenDialog::HoldsUnsavedInput() const { return !IsAllEmpty() && Entries() != savedEntries_; }

void InputScreenDialog::RememberEntries() { savedEntries_ = Entries(); }

bool InputScreenDialog::RunButton(int buttonId)
{
    switch (buttonId) {
    case id::kCreateCode: OnCreateCode(); return true;
    case id::kBackToMenu: OnBackToMenu(); return true;
    case id::kClearInput: OnClearInput(); return true;
    case id::kExit: OnExit(); return true;
    case id::kSettings: OnSettings(); return true;
    case id::kOpenInput: OnOpenInput(); return true;
    case id::kSaveInput: OnSaveInput(); return true;
    case id::kConfirm: OnConfirm(); return true;
    default: return false;
    }
}

void InputScreenDialog::AddFocusCheck(int controlId, std::function<int()> check, int messageId)
{
    OnFocusLost(controlId, [this, controlId, check = std::move(check), messageId] {
        if (suppressFocusCheck)
            return;
        // Focus that went to another window (a message box, another
        // program) has not moved between the fields.
        const QWidget* now = QApplication::focusWidget();
        if (!now || now->window() != this)
            return;
        if (!UpdateData(fw::Exchange::FromControls))
            return;
        if (check() != 0)
            ReportCheckFailure(controlId, messageId);
    });
}

void InputScreenDialog::ReportCheckFailure(int controlId, int messageId)
{
    ReportCheckFailure(controlId, messageId, res::LoadString(messageId));
}

void InputScreenDialog::ReportCheckFailure(int controlId, const CheckFailure& failure)
{
    ReportCheckFailure(controlId, failure.messageId, QString::fromStdString(CheckFailureMessage(failure)));
}

void InputScreenDialog::ReportCheckFailure(int controlId, int messageId, const QString& text)
{
    ShowMessageText(this, messageId, text);
    QWidget* field = Control(controlId);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
    UpdateData(fw::Exchange::ToControls);
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->deselect();
        line->setCursorPosition(0);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) {
        plain->moveCursor(QTextCursor::Start);
    }
}

bool InputScreenDialog::PreTranslateMessage(QObject* target, QEvent* event)
{
    if (IsInputEvent(event->type()))
        suppressFocusCheck = false;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: return FilterPointer(target, event);
    case QEvent::KeyPress: return IsPasteOfPicture(event, host_) || FilterKey(event);
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: return FilterDrop(event, host_);
    default: return false;
    }
}

bool InputScreenDialog::FilterPointer(QObject* target, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() != QEvent::MouseMove) {
        // The summary box never takes a click, so it never shows a caret.
        const bool leftOrRight = mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton;
        return leftOrRight && ControlId(qobject_cast<QWidget*>(target)) == id::kSettingsSummary;
    }
    std::vector<int> hoverOrder;
    for (const auto& f : kFrameButtons)
        hoverOrder.push_back(f.id);
    // Set before the focus moves, so that the field it leaves is not checked.
    suppressFocusCheck = true;
    if (FocusButtonAt(mouse->globalPosition().toPoint(), hoverOrder) != 0)
        return true;
    suppressFocusCheck = false;
    return false;
}

bool InputScreenDialog::FilterKey(QEvent* event)
{
    return FilterEnterAndEsc(event, [this](int buttonId) { RunButton(buttonId); });
}

void InputScreenDialog::reject() { OnExit(); }

void InputScreenDialog::closeEvent(QCloseEvent* event)
{
    // The close box does nothing on an input screen.
    event->ignore();
}

}  // namespace nubora
