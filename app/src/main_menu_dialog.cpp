#include "nubora/app/main_menu_dialog.h"

#include "nubora/app/about_dialog.h"
#include "nubora/app/code_import.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/app/sheet_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/services.h"
#include "nubora/framework/trace.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/input/navi_link_dialog.h"
#include "nubora/input/one_seg_link_dialog.h"
#include "nubora/input/tel_link_dialog.h"
#include "nubora/logic/data_file.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/messages.h"
#include "nubora/resources/picture_button.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace nubora {
namespace {

namespace id = ctl::menu;

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 350;
// The window manager draws the frame: the dialog-frame height counts as 0.
constexpr int kDialogFrameHeight = 0;

}  // namespace

MainMenuDialog::MainMenuDialog() : fw::Dialog(res::dlg::kMainMenu)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(res::LoadString(res::str::kCaption));
    // The owned dialogs exist with the menu; their windows come later.
    addressBook = std::make_unique<AddressBookDialog>(*this);
    mail = std::make_unique<MailDialog>(*this);
    freeText = std::make_unique<FreeTextDialog>(*this);
    codeView = std::make_unique<CodeViewDialog>(*this);
    telLink = std::make_unique<TelLinkDialog>();
    naviLink = std::make_unique<NaviLinkDialog>();
    oneSegLink = std::make_unique<OneSegLinkDialog>();
    settings = std::make_unique<SettingsDialog>(*this);
}

MainMenuDialog::~MainMenuDialog()
{
    // The screens go first, in this order, then the menu itself.
    addressBook.reset();
    mail.reset();
    freeText.reset();
    codeView.reset();
}

void MainMenuDialog::OnInitDialog()
{
    BindButtons();
    setAcceptDrops(true);
    // Step 2 (the about item) is offered by the context menu: AddSystemMenuItems.
    sheetAction = new QAction(res::LoadString(res::str::kSheetMenuItem), this);
    sheetAction->setShortcut(QKeySequence(kSheetDialogKeys));
    sheetAction->setShortcutContext(Qt::WindowShortcut);
    connect(sheetAction, &QAction::triggered, this, [this] { OpenSheetDialog(); });
    addAction(sheetAction);
    setWindowIcon(res::LoadProgramIcon());
    PlaceWindowAndButtons();
    CreateScreens();
    whiteBrush = QBrush(Qt::white);
    InitialiseState();
    addressBookButton->setFocus(Qt::OtherFocusReason);
}

void MainMenuDialog::BindButtons()
{
    SetBackground(res::BitmapSource(res::bmp::kMenuBackground));
    // Placed by PlaceWindowAndButtons.
    const auto make = [this](int controlId, const char* caption, res::ButtonPictures pictures) {
        return res::AddPictureButton(*this, controlId, caption, QRect(), pictures);
    };
    namespace b = res::bmp;
    freeTextButton = make(id::kFreeTextButton, "フリーテキスト",
                          {b::kFreeTextNormal, b::kFreeTextPressed, b::kFreeTextFocused});
    exitButton = make(id::kExitButton, "終了", {b::kExitNormal, b::kExitPressed, b::kExitFocused});
    mailButton = make(id::kMailButton, "Eメール", {b::kMailNormal, b::kMailPressed, b::kMailFocused});
    addressBookButton = make(id::kAddressBookButton, "アドレス帳",
                             {b::kAddressBookNormal, b::kAddressBookPressed, b::kAddressBookFocused});
    setTabOrder(addressBookButton, mailButton);
    setTabOrder(mailButton, freeTextButton);
    setTabOrder(freeTextButton, exitButton);

    OnClicked(id::kAddressBookButton, [this] { OpenAddressBook(); });
    OnClicked(id::kMailButton, [this] { OpenMail(); });
    OnClicked(id::kFreeTextButton, [this] { OpenFreeText(); });
    OnClicked(id::kExitButton, [this] { ConfirmExit(); });
}

void MainMenuDialog::PlaceWindowAndButtons()
{
    move(10, 10);
    SetClientSize(kClientWidth, kClientHeight);
    MoveControl(id::kAddressBookButton, QRect(10, 78, 131, 191));
    MoveControl(id::kMailButton, QRect(145, 78, 131, 191));
    MoveControl(id::kFreeTextButton, QRect(280, 78, 131, 191));
    MoveControl(id::kExitButton, QRect(49, 292 - kDialogFrameHeight, 124, 42));
}

void MainMenuDialog::CreateScreens()
{
    addressBook->Create(false);
    mail->Create(false);
    freeText->Create(false);
    codeView->Create(false);
}

void MainMenuDialog::InitialiseState()
{
    state.currentScreen = ScreenId::AddressBook;
    state.exitFromCodeView = false;
    state.bmpSaved = false;
    state.codeBitmaps.Release();
    state.shownSymbol = 0;
    state.codeSettings = CodeSettings();
}

void MainMenuDialog::OpenAddressBook() { OpenScreen(ScreenId::AddressBook); }
void MainMenuDialog::OpenMail() { OpenScreen(ScreenId::Mail); }
void MainMenuDialog::OpenFreeText() { OpenScreen(ScreenId::FreeText); }

void MainMenuDialog::OpenScreen(ScreenId id)
{
    hide();
    ResetToAutomatic(state.codeSettings);
    InputScreenDialog& screen = Screen(id);
    screen.ShowAutomaticPresentation();
    UpdateSettingsSummary(id);
    screen.show();
    screen.raise();
    screen.activateWindow();
}

InputScreenDialog& MainMenuDialog::Screen(ScreenId screen)
{
    switch (screen) {
    case ScreenId::Mail: return *mail;
    case ScreenId::FreeText: return *freeText;
    case ScreenId::AddressBook: break;
    }
    return *addressBook;
}

bool MainMenuDialog::AllEntriesEmpty() const
{
    return addressBook->IsAllEmpty() && mail->IsAllEmpty() && freeText->IsAllEmpty();
}

void MainMenuDialog::ConfirmExit()
{
    const int question = ExitQuestionId(state.exitFromCodeView, state.bmpSaved, AllEntriesEmpty());
    // Asked over the screen that asks, not over the hidden menu.
    if (ShowMessage(VisibleScreen(), question) != fw::Answer::Yes) {
        state.exitFromCodeView = false;
        return;
    }
    if (state.exitFromCodeView)
        state.codeBitmaps.Release();
    DestroyScreenWindows();
    EndDialog(QDialog::Accepted);
}

void MainMenuDialog::DestroyScreenWindows()
{
    addressBook->hide();
    mail->hide();
    freeText->hide();
    codeView->hide();
}

void MainMenuDialog::RequestExit()
{
    QMetaObject::invokeMethod(
        this, [this] { ConfirmExit(); }, Qt::QueuedConnection);
}

void MainMenuDialog::ShowMenu()
{
    show();
    raise();
    activateWindow();
}

void MainMenuDialog::ReturnToScreen(ScreenId screen) { Screen(screen).show(); }

void MainMenuDialog::OpenDataFile(const QString& path)
{
    QWidget* front = VisibleScreen();
    const std::optional<ScreenId> kind = ScreenForDataFile(QFile::encodeName(path).toStdString());
    if (!kind && IsPictureName(path)) {
        OpenCodePictures(CodeSource{{path}, {}}, QFileInfo(path).fileName());
        return;
    }
    if (!kind) {
        ShowMessage(front, res::str::kWrongFileKind);
        return;
    }
    if (Busy(front, [this, path] { OpenDataFile(path); }))
        return;
    // What is typed on the input screen in front becomes its entries as it
    // stands, since no check may stop the file: on the screen of the file's
    // kind it decides the question before it is replaced; on another it
    // shows again when that screen opens and counts for the exit question.
    InputScreenDialog* shown = dynamic_cast<InputScreenDialog*>(front);
    InputScreenDialog& target = Screen(*kind);
    if (shown == &target)
        target.KeepShownInput();
    if (target.HoldsUnsavedInput()) {
        const QString question = res::LoadString(res::str::kReplaceUnsavedQuestion).arg(QFileInfo(path).fileName());
        if (ShowMessageText(front, res::str::kReplaceUnsavedQuestion, question) != fw::Answer::Yes)
            return;
    }
    // The file is read into its screen before that screen is shown: a
    // failure is reported over the screen in front, which stays.
    if (!target.OpenInputFile(path, front))
        return;
    if (shown != &target) {
        if (shown) {
            shown->KeepShownInput();
            shown->hide();
        }
        OpenScreen(*kind);
    }
    fw::WriteTrace(QStringLiteral("opened %1").arg(path));
}

void MainMenuDialog::OpenFiles(const QStringList& paths)
{
    // Data files one by one; the pictures together, for a split whose
    // parts are in several of them.
    QStringList pictures;
    for (const QString& path : paths) {
        if (IsPictureName(path) && !ScreenForDataFile(QFile::encodeName(path).toStdString()))
            pictures << path;
        else
            OpenDataFile(path);
    }
    if (!pictures.isEmpty())
        OpenCodePictures(CodeSource{pictures, {}}, QFileInfo(pictures.front()).fileName());
}

void MainMenuDialog::OpenCodePictures(const CodeSource& source, const QString& name)
{
    QWidget* front = VisibleScreen();
    if (Busy(front, [this, source, name] { OpenCodePictures(source, name); }))
        return;
    readingCode_ = true;
    const Result<std::vector<ReadCode>, OffThreadFailure> codes = ReadCodesOffThread(source);
    readingCode_ = false;
    if (!codes) {
        // The user's own cancel needs no message.
        if (IsCancelled(codes.Error()))
            return;
        const ReadFailure& failure = std::get<ReadFailure>(codes.Error());
        ShowMessageText(front, ReadFailureMessageId(failure.kind), QString::fromStdString(ReadFailureMessage(failure)));
        return;
    }
    const std::optional<std::size_t> chosen = ChooseCode(*codes, front);
    if (!chosen)
        return;
    const ReadCode& code = (*codes)[*chosen];
    const Result<ParsedCode, TextFailure> parsed = ParseCodeText(code.text);
    if (!parsed) {
        ShowMessage(front, res::str::kCodeTextUnreadable);
        return;
    }
    const CodeEntry entry = EntryForCode(*parsed, code);
    // As for a data file: the screen in front keeps what it shows, and the
    // screen of the code asks before its unsaved input is replaced.
    InputScreenDialog* shown = dynamic_cast<InputScreenDialog*>(front);
    InputScreenDialog& target = Screen(entry.screen);
    if (shown == &target)
        target.KeepShownInput();
    if (target.HoldsUnsavedInput()) {
        const QString question = res::LoadString(res::str::kReplaceUnsavedQuestion).arg(name);
        if (ShowMessageText(front, res::str::kReplaceUnsavedQuestion, question) != fw::Answer::Yes)
            return;
    }
    target.OpenCode(entry);
    if (shown != &target) {
        if (shown) {
            shown->KeepShownInput();
            shown->hide();
        }
        OpenScreen(entry.screen);
    }
    ApplyCodeSettings(entry.settings, target);
    fw::WriteTrace(QStringLiteral("read code %1").arg(name));
    if (!entry.tooLong.empty())
        ShowMessageText(&target, res::str::kCodeFieldsTooLong, QString::fromStdString(TooLongMessage(entry)));
}

void MainMenuDialog::ApplyCodeSettings(const CodeEntrySettings& fromCode, InputScreenDialog& screen)
{
    CodeSettings& s = state.codeSettings;
    nubora::ApplyCodeSettings(fromCode, s);
    if (!s.autoAdjust) {
        const Result<int, CapacityFailure> capacity = SymbolCapacity(PayloadForm::Legacy, s.version, s.level, 1);
        if (!capacity) {
            // The engine cannot tell: the code's form and split stay, automatically adjusted.
            const CodeSettings initial;
            s.autoAdjust = true;
            s.version = initial.version;
            s.level = initial.level;
        } else {
            s.availableLength = *capacity * s.splitCount;
        }
    }
    if (s.autoAdjust) {
        screen.ShowAutomaticPresentation();
    } else {
        screen.ShowManualPresentation();
        screen.UpdateGauge(fw::Exchange::FromControlsUnchecked);
    }
    UpdateSettingsSummary(screen.Id());
}

void MainMenuDialog::ReadCodeFromPictureFile(QWidget* over)
{
    static const QString kPictures = QStringLiteral("*.png;*.jpg;*.jpeg;*.bmp;*.gif;*.pdf");
    const fw::FileDialogRequest request{
        QStringLiteral("画像ファイル(%1)|%1|すべてのファイル(*.*)|*.*||").arg(kPictures), QStringLiteral("png"),
        fw::InitialFolder(QStringLiteral("Bitmap"))};  // where the symbols are saved
    const std::optional<QString> path = fw::CurrentServices().files->OpenFileName(over, request);
    if (path)
        OpenCodePictures(CodeSource{{*path}, {}}, QFileInfo(*path).fileName());
}

bool MainMenuDialog::ReadCodeFromMime(const QMimeData& mime)
{
    std::optional<CodeSource> source = CodeSourceOf(mime);
    if (!source)
        return false;
    // Files open as from the command line: data files in their screens.
    if (!source->paths.isEmpty())
        QMetaObject::invokeMethod(
            this, [this, paths = source->paths] { OpenFiles(paths); }, Qt::QueuedConnection);
    else
        QMetaObject::invokeMethod(
            this, [this, source = std::move(*source)] { OpenCodePictures(source, QString()); }, Qt::QueuedConnection);
    return true;
}

void MainMenuDialog::ReadCodeFromScreen(QWidget* over)
{
    QWidget* front = over ? over : VisibleScreen();
    // A second pick asked for under the picker is the same pick.
    if (Busy(front, {}))
        return;
    if (!ScreenGrabAllowed()) {
        ShowMessage(front, res::str::kScreenGrabUnsupported);
        return;
    }
    // Nothing else opens while the windows are away.
    readingCode_ = true;
    pickingArea_ = true;
    front->hide();
    QEventLoop gone;
    QTimer::singleShot(kHideDelayMs, &gone, &QEventLoop::quit);
    gone.exec(QEventLoop::ExcludeUserInputEvents);
    const QImage screen = grabScreen();
    std::optional<QImage> area;
    if (!screen.isNull())
        area = PickScreenArea(screen, QGuiApplication::primaryScreen()->virtualGeometry());
    pickingArea_ = false;
    // What came meanwhile runs once this pick has ended: refused as any
    // request while the area's reading runs, with a message the user sees.
    for (std::function<void()>& retry : std::exchange(afterPicking_, {}))
        QMetaObject::invokeMethod(this, std::move(retry), Qt::QueuedConnection);
    front->show();
    front->raise();
    front->activateWindow();
    readingCode_ = false;
    if (screen.isNull()) {
        ShowMessage(front, res::str::kScreenGrabFailed);
        return;
    }
    if (area)
        OpenCodePictures(CodeSource{{}, *area}, QString());
}

bool MainMenuDialog::Busy(QWidget* front, std::function<void()> retry)
{
    if (pickingArea_) {
        if (retry)
            afterPicking_.push_back(std::move(retry));
        return true;
    }
    if (!codeView->isVisible() && !QApplication::activeModalWidget() && !readingCode_)
        return false;
    ShowMessage(front, res::str::kCannotOpenNow);
    return true;
}

void MainMenuDialog::ClearScreen(ScreenId screen)
{
    InputScreenDialog& input = Screen(screen);
    input.ClearEntries();
    input.RememberEntries();
    input.UpdateData(fw::Exchange::ToControls);
}

bool MainMenuDialog::RunSettings(QWidget* over) { return settings->DoModal(over) == QDialog::Accepted; }

Result<int, CapacityFailure> MainMenuDialog::SymbolCapacity(PayloadForm form, int version, int level, int symbolCount)
{
    return AvailableBytes(form, version, level, symbolCount);
}

std::optional<std::string> MainMenuDialog::AskForLink(LinkKind kind, QWidget* over)
{
    switch (kind) {
    case LinkKind::Tel:
        if (telLink->DoModal(over) == QDialog::Accepted)
            return telLink->telNumber;
        break;
    case LinkKind::Navi:
        if (naviLink->DoModal(over) == QDialog::Accepted)
            return naviLink->naviAddress;
        break;
    case LinkKind::OneSeg:
        if (oneSegLink->DoModal(over) == QDialog::Accepted)
            return oneSegLink->oneSegParam;
        break;
    }
    return std::nullopt;
}

QWidget* MainMenuDialog::VisibleScreen()
{
    for (QWidget* window :
         std::initializer_list<QWidget*>{addressBook.get(), mail.get(), freeText.get(), codeView.get()}) {
        if (window->isVisible())
            return window;
    }
    return this;
}

void MainMenuDialog::BringToFront()
{
    QWidget* window = VisibleScreen();
    fw::WriteTrace(QStringLiteral("front %1").arg(window->windowTitle()));
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

void MainMenuDialog::OpenSheetDialog()
{
    SheetDialog dialog(state.codeSettings, this);
    dialog.exec();
}

void MainMenuDialog::AddSheetMenuItem(QMenu& menu)
{
    if (sheetAction)
        menu.addAction(sheetAction);
}

void MainMenuDialog::AddSystemMenuItems(QMenu& menu)
{
    const QString text = res::LoadString(res::str::kAboutMenuItem);
    if (text.isEmpty())
        return;
    menu.addSeparator();
    QAction* about = menu.addAction(text);
    about->setData(id::kAboutCommand);
    connect(about, &QAction::triggered, this, [this] { OnSysCommand(id::kAboutCommand); });
}

void MainMenuDialog::AddReadCodeItem(QMenu& menu)
{
    QAction* read = menu.addAction(res::LoadString(res::str::kReadCodeMenuItem));
    connect(read, &QAction::triggered, this, [this] { ReadCodeFromPictureFile(this); });
    QAction* region = menu.addAction(res::LoadString(res::str::kReadRegionMenuItem));
    connect(region, &QAction::triggered, this, [this] { ReadCodeFromScreen(this); });
}

void MainMenuDialog::OnSysCommand(int command)
{
    if ((command & 0xFFF0) == id::kAboutCommand) {
        AboutDialog about(this);
        about.DoModal();
    }
}

void MainMenuDialog::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    AddReadCodeItem(menu);
    AddSheetMenuItem(menu);
    AddSystemMenuItems(menu);
    menu.exec(event->globalPos());
}

bool MainMenuDialog::PreTranslateMessage(QObject*, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove: {
        static constexpr int kHoverOrder[] = {id::kAddressBookButton, id::kMailButton, id::kFreeTextButton,
                                              id::kExitButton};
        return FocusButtonAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), kHoverOrder) != 0;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData() || !CodeSourceOf(*drop->mimeData()))
            return false;
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            ReadCodeFromMime(*drop->mimeData());
        return true;
    }
    case QEvent::KeyPress: {
        if (static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
            const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
            if (!clipboard || !ReadCodeFromMime(*clipboard))
                ShowMessage(this, res::str::kClipboardHasNoPicture);
            return true;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        switch (FocusedControlId()) {
        case id::kMailButton: OpenMail(); break;
        case id::kFreeTextButton: OpenFreeText(); break;
        case id::kAddressBookButton: OpenAddressBook(); break;
        case id::kExitButton: ConfirmExit(); break;
        default: break;
        }
        return true;
    }
    default: return false;
    }
}

void MainMenuDialog::reject()
{
    // Esc and the close box ask like the exit button.
    ConfirmExit();
}

}  // namespace nubora
