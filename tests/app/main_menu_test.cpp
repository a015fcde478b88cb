// The main menu driven as a user drives it: buttons, Enter, pointer hover,
// Esc and the close box, the exit question by state, the screens and back.
// Every box is answered by the scripted message service.
#include "nubora/app/about_dialog.h"
#include "nubora/app/main_menu_dialog.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/input/navi_link_dialog.h"
#include "nubora/input/one_seg_link_dialog.h"
#include "nubora/input/tel_link_dialog.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace menuId = ctl::menu;
namespace inputId = ctl::input;
using fw::Answer;
using fw::BoxType;

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.Create(true);
        Activate(&menu);
    }

    static void Activate(QWidget* window) { QApplication::setActiveWindow(window); }
    // Control `id` of `dialog`; a missing control ends the test program.
    static QWidget* Ctl(fw::Dialog& dialog, int id)
    {
        QWidget* control = dialog.Control(id);
        if (!control)
            std::abort();
        return control;
    }
    QWidget* Button(int id) { return Ctl(menu, id); }
    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
    void PressEnter(QWidget* target) { QTest::keyClick(target, Qt::Key_Return); }
    void Hover(QWidget* target, QPoint local = QPoint(5, 5))
    {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    // Runs queued calls, such as a screen's close request to the menu.
    static void Settle() { QCoreApplication::processEvents(); }

    const fw::testing::RecordedBox& LastBox()
    {
        static const fw::testing::RecordedBox none{};
        return services.messages.Boxes().empty() ? none : services.messages.Boxes().back();
    }
    QString Text(int stringId) { return res::LoadString(stringId); }

    fw::testing::ScriptedServices services;
    MainMenuDialog menu;
};

// --- Start ---------------------------------------------------------------

TEST_F(MainMenuTest, StartsAsA500By350PictureTitledNubora)
{
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("ヌボラ"));
    EXPECT_EQ(menu.size(), QSize(500, 350));
    EXPECT_EQ(menu.pos(), QPoint(10, 10));
    EXPECT_FALSE(menu.windowIcon().isNull());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MainMenuTest, PlacesTheFourPictureButtons)
{
    EXPECT_EQ(Button(menuId::kAddressBookButton)->geometry(), QRect(10, 78, 131, 191));
    EXPECT_EQ(Button(menuId::kMailButton)->geometry(), QRect(145, 78, 131, 191));
    EXPECT_EQ(Button(menuId::kFreeTextButton)->geometry(), QRect(280, 78, 131, 191));
    EXPECT_EQ(Button(menuId::kExitButton)->geometry(), QRect(49, 292, 124, 42));
    EXPECT_EQ(menu.addressBookButton, Button(menuId::kAddressBookButton));
    EXPECT_EQ(menu.mailButton, Button(menuId::kMailButton));
    EXPECT_EQ(menu.freeTextButton, Button(menuId::kFreeTextButton));
    EXPECT_EQ(menu.exitButton, Button(menuId::kExitButton));
}

TEST_F(MainMenuTest, ButtonsShowTheirPicturesAndTheButtonCursor)
{
    EXPECT_EQ(menu.mailButton->Picture(fw::BitmapButton::Look::Normal), res::LoadBitmap(res::bmp::kMailNormal));
    EXPECT_EQ(menu.mailButton->Picture(fw::BitmapButton::Look::Pressed), res::LoadBitmap(res::bmp::kMailPressed));
    EXPECT_EQ(menu.exitButton->Picture(fw::BitmapButton::Look::Focused), res::LoadBitmap(res::bmp::kExitFocused));
    for (int id : {menuId::kAddressBookButton, menuId::kMailButton, menuId::kFreeTextButton, menuId::kExitButton}) {
        EXPECT_EQ(Button(id)->cursor().shape(), Qt::BitmapCursor) << id;
        EXPECT_EQ(Button(id)->cursor().hotSpot(), res::LoadButtonCursor().hotSpot()) << id;
    }
    EXPECT_EQ(menu.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(MainMenuTest, FocusStartsOnTheAddressBookAndTabsInButtonOrder)
{
    EXPECT_EQ(menu.FocusedControlId(), menuId::kAddressBookButton);
    const int expected[] = {menuId::kMailButton, menuId::kFreeTextButton, menuId::kExitButton,
                            menuId::kAddressBookButton};
    for (int id : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(menu.FocusedControlId(), id);
    }
}

TEST_F(MainMenuTest, CreatesTheFourScreensHidden)
{
    for (QWidget* screen : std::initializer_list<QWidget*>{menu.addressBook.get(), menu.mail.get(), menu.freeText.get(),
                                                           menu.codeView.get()}) {
        EXPECT_FALSE(screen->isVisible());
        EXPECT_TRUE(static_cast<fw::Dialog*>(screen)->IsCreated());
    }
    EXPECT_EQ(menu.addressBook->windowTitle(), QStringLiteral("アドレス帳用コード入力画面"));
    EXPECT_EQ(menu.mail->windowTitle(), QStringLiteral("Eメール用コード入力画面"));
    EXPECT_EQ(menu.freeText->windowTitle(), QStringLiteral("フリーテキスト用コード入力画面"));
    EXPECT_EQ(menu.codeView->windowTitle(), QStringLiteral("コード表示画面"));
}

TEST_F(MainMenuTest, StartsWithTheInitialState)
{
    EXPECT_EQ(menu.state.currentScreen, ScreenId::AddressBook);
    EXPECT_EQ(menu.state.exitFromCodeView, 0);
    EXPECT_EQ(menu.state.bmpSaved, 0);
    EXPECT_TRUE(menu.state.codeBitmaps.IsNull());
    EXPECT_EQ(menu.state.shownSymbol, 0);
    EXPECT_EQ(menu.whiteBrush.color(), QColor(Qt::white));
    const CodeSettings& s = menu.state.codeSettings;
    EXPECT_EQ(s.level, 0);
    EXPECT_EQ(s.cellSizeIndex, 0);
    EXPECT_EQ(s.version, 0);
    EXPECT_EQ(s.splitCount, 1);
    EXPECT_EQ(LevelText(s.shownLevel), "M(15%)");
    EXPECT_EQ(CellSizeText(s.cellSizeIndex), "0.25");
    EXPECT_EQ(std::to_string(s.shownVersion), "1");
    EXPECT_EQ(std::to_string(s.splitCount), "1");
    EXPECT_EQ(s.autoAdjust, 1);
    EXPECT_EQ(s.printSizeMm, 0.0);
    EXPECT_EQ(s.availableLength, 0);
}

TEST_F(MainMenuTest, PaintsTheBackgroundPicture)
{
    const QImage shown = menu.grab().toImage();
    const QImage background = res::LoadBitmap(res::bmp::kMenuBackground);
    for (QPoint p : {QPoint(5, 5), QPoint(250, 30), QPoint(450, 300), QPoint(300, 340)})
        EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
}

// The captions of the visible picture buttons of `window`, read as a screen
// reader reads them (the accessible name), with each one's tooltip checked.
QStringList VisibleButtonNames(QWidget& window)
{
    QStringList names;
    for (fw::BitmapButton* button : window.findChildren<fw::BitmapButton*>()) {
        if (!button->isVisible())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
        EXPECT_NE(accessible, nullptr);
        if (!accessible)
            continue;
        EXPECT_EQ(accessible->role(), QAccessible::Button);
        const QString name = accessible->text(QAccessible::Name);
        EXPECT_EQ(button->toolTip(), name);
        names << name;
    }
    names.sort();
    return names;
}

QStringList Sorted(QStringList names)
{
    names.sort();
    return names;
}

TEST_F(MainMenuTest, EveryVisiblePictureButtonIsNamedByItsCaption)
{
    EXPECT_EQ(VisibleButtonNames(menu), Sorted({"アドレス帳", "Eメール", "フリーテキスト", "終了"}));
    const QStringList frame = {"QRコード作成", "メインへ", "入力データクリア", "入力データ保存", "保存データを開く",
                               "設定",         "確認"};
    for (ScreenId screen : {ScreenId::AddressBook, ScreenId::Mail, ScreenId::FreeText}) {
        menu.Screen(screen).show();
        const QStringList links = screen == ScreenId::FreeText ? QStringList{"ＴＥＬリンク", "ナビリンク"}
                                                               : QStringList();
        EXPECT_EQ(VisibleButtonNames(menu.Screen(screen)), Sorted(frame + links)) << static_cast<int>(screen);
    }
    menu.codeView->show();
    EXPECT_EQ(VisibleButtonNames(*menu.codeView),
              Sorted({"QRコード保存(BMP形式)", "戻る", "メインへ戻る", "QRコードコピー", "印刷"}));
    // The hidden buttons stay out of reach.
    for (QWidget* exit : {Ctl(*menu.addressBook, inputId::kExit), Ctl(*menu.codeView, ctl::codeView::kExit)})
        EXPECT_FALSE(exit->isVisible());
    EXPECT_FALSE(Ctl(*menu.freeText, ctl::freeText::kOneSegLink)->isVisible());
}

// The name a screen reader gives each control of `dialog`: `names` by id, a
// picture button its caption (above), a control missing from both fails.
void ExpectControlNames(fw::Dialog& dialog, const std::map<int, QString>& names)
{
    for (QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const int id = dialog.ControlId(control);
        if (id == 0)
            continue;
        const auto* button = dynamic_cast<fw::BitmapButton*>(control);
        const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
        EXPECT_EQ(name, names.contains(id) ? names.at(id)
                        : button           ? button->text()
                                           : QStringLiteral("?"))
            << dialog.windowTitle().toStdString() << " " << id;
    }
}

TEST_F(MainMenuTest, EveryControlIsNamedByItsLabel)
{
    menu.OpenAddressBook();
    menu.addressBook->name = "Yamada Taro";
    menu.addressBook->UpdateData(fw::Exchange::ToControls);
    menu.state.codeSettings.form = PayloadForm::Standard;
    menu.state.codeSettings.splitCount = 2;
    const std::map<int, QString> frame = {{inputId::kSettingsSummary, "QRコード設定"},
                                          {inputId::kGauge, "データ容量"},
                                          {inputId::kFormSummary, "形式： 標準形式（UTF-8）"}};
    const auto with = [&frame](std::map<int, QString> fields) { return fields.merge(std::map(frame)), fields; };
    for (ScreenId screen : {ScreenId::AddressBook, ScreenId::Mail, ScreenId::FreeText})
        menu.UpdateSettingsSummary(screen);
    namespace book = ctl::addressBook;
    ExpectControlNames(*menu.addressBook, with({{book::kName, "名前"},
                                                {book::kReading, "名前(ヨミ)"},
                                                {book::kTel1, "電話番号1"},
                                                {book::kTel2, "電話番号2"},
                                                {book::kMail1, "Eメールアドレス1"},
                                                {book::kMail2, "Eメールアドレス2"},
                                                {book::kAddress, "住所"},
                                                {book::kMemo, "メモ"}}));
    ExpectControlNames(*menu.mail,
                       with({{ctl::mail::kTo, "宛先"}, {ctl::mail::kSubject, "件名"}, {ctl::mail::kBody, "本文"}}));
    ExpectControlNames(*menu.freeText, with({{ctl::freeText::kText, "テキスト"}}));
    EXPECT_EQ(
        Ctl(*menu.mail, inputId::kSettingsSummary)->accessibleDescription(),
        "誤り訂正レベル： M(15%)\nセルサイズ： 0.25mm\nバージョン： 1\n印刷サイズ： 7.25mm\nコードサイズ： 5.25mm\n"
        "コード分割数： 2");

    menu.addressBook->OnCreateCode();
    namespace view = ctl::codeView;
    const std::map<int, QString> viewNames = {{view::kPicture, "QRコード 1/2, バージョン 1, M"},
                                              {view::kInputSummary, "入力データ"},
                                              {view::kInformation, "コード情報"},
                                              {view::kSymbolNumber, "表示中のコード"},
                                              {view::kSymbolSpinner, "表示中のコード"},
                                              {view::kCheckNotes,
                                               "読み取り確認済み\n標準形式の分割コードも多くのカメラは部分ごとに読み取"
                                               "ります（各部分は単独でも文字化けしません）。\n" +
                                                   QString::fromStdString(SmallModuleAdvice(0.25).value())}};
    ExpectControlNames(*menu.codeView, viewNames);
    EXPECT_EQ(
        Ctl(*menu.codeView, view::kInformation)->accessibleDescription(),
        "誤り訂正レベル： M(15%)\nセルサイズ： 0.25mm\nバージョン： 1\n印刷サイズ： 7.25mm\nコードサイズ： 5.25mm");
    auto* spinner = QAccessible::queryAccessibleInterface(Ctl(*menu.codeView, view::kSymbolSpinner));
    EXPECT_EQ(spinner->role(), QAccessible::SpinBox);
    spinner->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    EXPECT_EQ(Ctl(*menu.codeView, view::kPicture)->accessibleName(), "QRコード 2/2, バージョン 1, M");
    menu.codeView->OnBack();
    menu.state.codeSettings.splitCount = 1;
    menu.addressBook->OnCreateCode();
    EXPECT_EQ(Ctl(*menu.codeView, view::kPicture)->accessibleName(), "QRコード, バージョン 2, M");

    namespace set = ctl::settings;
    menu.settings->Create(true);
    ExpectControlNames(*menu.settings, {{set::kAutomatic, "自動調整"},
                                        {set::kManual, "任意調整"},
                                        {set::kPayloadForm, "形式"},
                                        {set::kLevel, "誤り訂正レベル"},
                                        {set::kCellSize, "セルサイズ"},
                                        {set::kVersion, "バージョン"},
                                        {set::kPrintArea, "印刷領域"},
                                        {set::kSplitCount, "QRコード分割数"},
                                        {set::kSplitSpinner, "QRコード分割数"},
                                        {ctl::kOk, "OK"},
                                        {ctl::kCancel, "ｷｬﾝｾﾙ"}});
    auto* level = QAccessible::queryAccessibleInterface(Ctl(*menu.settings, set::kLevel));
    EXPECT_EQ(level->role(), QAccessible::ComboBox);
    EXPECT_EQ(level->text(QAccessible::Value), "M(15%)");
    const std::pair<fw::Dialog*, const char*> links[] = {
        {menu.telLink.get(), "電話番号を入力してください。"},
        {menu.naviLink.get(), "住所を入力してください。"},
        {menu.oneSegLink.get(), "Mimoテレビ ワンセグの視聴予約用パラメータを入力してください。"}};
    for (const auto& [link, prompt] : links) {
        link->Create(false);
        const int edit = link->ControlId(link->findChild<QLineEdit*>());
        ExpectControlNames(*link, {{edit, prompt}, {ctl::kOk, "挿入"}, {ctl::kCancel, "ｷｬﾝｾﾙ"}});
    }
    AboutDialog about(&menu);
    about.Create(false);
    const QString version = static_cast<QLabel*>(about.Control(0xFFFD))->text();
    ExpectControlNames(about,
                       {{0xFFFE, "ヌボラ"}, {0xFFFD, version}, {0xFFFC, "QRコード作成ソフト"}, {ctl::kOk, "OK"}});
}

// --- Switching screens ---------------------------------------------------

struct ScreenCase {
    int button;
    ScreenId screenIndex;
    const char* title;
};

class MenuButtonTest : public MainMenuTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(MenuButtonTest, OpensItsScreenAndHidesTheMenu)
{
    const ScreenCase c = GetParam();
    Click(c.button);
    InputScreenDialog& screen = menu.Screen(c.screenIndex);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.windowTitle(), QString::fromUtf8(c.title));
    EXPECT_EQ(screen.size(), QSize(600, 600));
    EXPECT_EQ(menu.VisibleScreen(), &screen);
    // Automatic mode: the confirm button shows, the gauge does not.
    EXPECT_TRUE(Ctl(screen, inputId::kConfirm)->isVisible());
    EXPECT_FALSE(Ctl(screen, inputId::kGauge)->isVisible());
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST_P(MenuButtonTest, MainButtonOfTheScreenComesBack)
{
    const ScreenCase c = GetParam();
    Click(c.button);
    InputScreenDialog& screen = menu.Screen(c.screenIndex);
    Activate(&screen);
    QTest::mouseClick(Ctl(screen, inputId::kBackToMenu), Qt::LeftButton);
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_TRUE(services.messages.Boxes().empty());  // nothing entered: no question
}

TEST_P(MenuButtonTest, EnterOnTheFocusedButtonOpensItsScreen)
{
    const ScreenCase c = GetParam();
    Button(c.button)->setFocus();
    PressEnter(Button(c.button));
    EXPECT_TRUE(menu.Screen(c.screenIndex).isVisible());
    EXPECT_FALSE(menu.isVisible());
}

TEST_P(MenuButtonTest, WritesTheAutomaticSettingsSummaryOnTheScreen)
{
    const ScreenCase c = GetParam();
    Click(c.button);
    InputScreenDialog& screen = menu.Screen(c.screenIndex);
    const std::string expected =
        "\x81\x46 M(15%)\r\n\x81\x46 0.25mm\r\n\x81\x46 1\r\n\x81\x46 7.25mm\r\n\x81\x46 5.25mm\r\n\x81\x46 1\r\n";
    EXPECT_EQ(screen.settingsSummary, expected);
    EXPECT_EQ(screen.ControlAs<QPlainTextEdit>(inputId::kSettingsSummary)->toPlainText(),
              QStringLiteral("： M(15%)\n： 0.25mm\n： 1\n： 7.25mm\n： 5.25mm\n： 1\n"));
}

INSTANTIATE_TEST_SUITE_P(
    EachButton, MenuButtonTest,
    ::testing::Values(ScreenCase{menuId::kAddressBookButton, ScreenId::AddressBook, "アドレス帳用コード入力画面"},
                      ScreenCase{menuId::kMailButton, ScreenId::Mail, "Eメール用コード入力画面"},
                      ScreenCase{menuId::kFreeTextButton, ScreenId::FreeText, "フリーテキスト用コード入力画面"}));

TEST_F(MainMenuTest, EnteringAScreenResetsTheSettingsToAutomatic)
{
    CodeSettings& s = menu.state.codeSettings;
    s = {3, 7, 15, 4, 3, 15, false, 51.0, 1234};
    Click(menuId::kMailButton);
    EXPECT_EQ(s.autoAdjust, 1);
    EXPECT_EQ(s.level, 0);
    EXPECT_EQ(s.cellSizeIndex, 0);
    EXPECT_EQ(s.version, 0);
    EXPECT_EQ(s.splitCount, 1);
    EXPECT_EQ(LevelText(s.shownLevel), "M(15%)");
    EXPECT_EQ(CellSizeText(s.cellSizeIndex), "0.25");
    EXPECT_EQ(std::to_string(s.shownVersion), "1");
    EXPECT_EQ(std::to_string(s.splitCount), "1");
    // The results of the last code stay.
    EXPECT_EQ(s.printSizeMm, 51.0);
    EXPECT_EQ(s.availableLength, 1234);
}

TEST_F(MainMenuTest, BackToTheMenuWithAnEntryAsksAndClearsOnYes)
{
    Click(menuId::kAddressBookButton);
    menu.addressBook->name = "abc";
    menu.addressBook->UpdateData(fw::Exchange::ToControls);  // as if typed: the handler takes the fields first
    services.messages.ScriptAnswers({Answer::No});
    menu.addressBook->OnBackToMenu();
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    EXPECT_EQ(LastBox().text, Text(res::str::kBackToMenuDiscardEdits));
    EXPECT_EQ(LastBox().type, BoxType::Question);
    EXPECT_TRUE(menu.addressBook->isVisible());
    EXPECT_EQ(menu.addressBook->name, "abc");

    services.messages.ScriptAnswers({Answer::Yes});
    menu.addressBook->OnBackToMenu();
    EXPECT_TRUE(menu.addressBook->IsAllEmpty());
    EXPECT_FALSE(menu.addressBook->isVisible());
    EXPECT_TRUE(menu.isVisible());
}

// --- Keyboard and pointer ------------------------------------------------

TEST_F(MainMenuTest, EnterOnTheExitButtonAsksToEnd)
{
    menu.exitButton->setFocus();
    services.messages.ScriptAnswers({Answer::No});
    PressEnter(menu.exitButton);
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    EXPECT_EQ(LastBox().text, Text(res::str::kExitQuestion));
}

TEST_F(MainMenuTest, EnterWithNoButtonFocusedDoesNothing)
{
    menu.setFocus();
    ASSERT_EQ(menu.FocusedControlId(), 0);
    PressEnter(&menu);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(menu.HasEnded());
    EXPECT_TRUE(services.messages.Boxes().empty());
    for (ScreenId i : {ScreenId::AddressBook, ScreenId::Mail, ScreenId::FreeText})
        EXPECT_FALSE(menu.Screen(i).isVisible());
}

TEST_F(MainMenuTest, PointerOverAButtonMovesTheFocusThere)
{
    const struct {
        fw::BitmapButton* button;
        int id;
    } cases[] = {{menu.freeTextButton, menuId::kFreeTextButton},
                 {menu.exitButton, menuId::kExitButton},
                 {menu.mailButton, menuId::kMailButton},
                 {menu.addressBookButton, menuId::kAddressBookButton}};
    for (const auto& c : cases) {
        Hover(c.button, QPoint(60, 20));
        EXPECT_EQ(menu.FocusedControlId(), c.id);
        EXPECT_EQ(c.button->CurrentLook(), fw::BitmapButton::Look::Focused);
    }
    // Off the buttons the focus stays where it is.
    Hover(&menu, QPoint(450, 20));
    EXPECT_EQ(menu.FocusedControlId(), menuId::kAddressBookButton);
}

TEST_F(MainMenuTest, HoverThenEnterOpensThatScreen)
{
    Hover(menu.freeTextButton);
    PressEnter(QApplication::focusWidget());
    EXPECT_TRUE(menu.freeText->isVisible());
}

// --- The exit question ---------------------------------------------------

TEST_F(MainMenuTest, ExitAtStartAsks110AsAQuestionOwnedByTheMenu)
{
    services.messages.ScriptAnswers({Answer::No});
    Click(menuId::kExitButton);
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    EXPECT_EQ(LastBox().text, QStringLiteral("ヌボラを終了します。よろしいですか？"));
    EXPECT_EQ(LastBox().type, BoxType::Question);
    EXPECT_EQ(LastBox().caption, QStringLiteral("ヌボラ"));
    EXPECT_EQ(LastBox().ownerTitle, QStringLiteral("ヌボラ"));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(menu.HasEnded());
}

TEST_F(MainMenuTest, EscAndTheCloseBoxAskLikeTheExitButton)
{
    services.messages.ScriptAnswers({Answer::No, Answer::No});
    QTest::keyClick(menu.addressBookButton, Qt::Key_Escape);
    menu.close();
    ASSERT_EQ(services.messages.Boxes().size(), 2u);
    EXPECT_EQ(services.messages.Boxes()[0].text, Text(res::str::kExitQuestion));
    EXPECT_EQ(services.messages.Boxes()[1].text, Text(res::str::kExitQuestion));
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(menu.HasEnded());
}

TEST_F(MainMenuTest, ExitFromAScreenWithAnEntryAsks111)
{
    Click(menuId::kMailButton);
    menu.mail->subject = "件名";
    menu.mail->UpdateData(fw::Exchange::ToControls);
    services.messages.ScriptAnswers({Answer::No});
    menu.mail->OnExit();
    Settle();
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardEdits));
    EXPECT_EQ(LastBox().ownerTitle, menu.mail->windowTitle());
    // No keeps everything: the screen with its entry.
    EXPECT_TRUE(menu.mail->isVisible());
    EXPECT_EQ(menu.mail->subject, "件名");
    EXPECT_FALSE(menu.HasEnded());
}

TEST_F(MainMenuTest, ExitFromAScreenWithEveryEntryEmptyAsks110)
{
    Click(menuId::kFreeTextButton);
    services.messages.ScriptAnswers({Answer::No});
    menu.freeText->OnExit();
    Settle();
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    EXPECT_EQ(LastBox().text, Text(res::str::kExitQuestion));
}

TEST_F(MainMenuTest, AnyEntryOfAnyScreenCountsForTheExitQuestion)
{
    menu.freeText->text = "x";
    services.messages.ScriptAnswers({Answer::No});
    Click(menuId::kExitButton);
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardEdits));
}

TEST_F(MainMenuTest, ExitFromTheCodeViewFollowsBmpSaved)
{
    menu.hide();
    menu.codeView->show();
    menu.addressBook->name = "x";  // entries do not count from the code view
    menu.addressBook->UpdateData(fw::Exchange::ToControls);

    services.messages.ScriptAnswers({Answer::No});
    menu.codeView->OnExit();
    Settle();
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardUnsaved));
    EXPECT_EQ(menu.state.exitFromCodeView, 0);  // No resets it
    EXPECT_TRUE(menu.codeView->isVisible());

    menu.state.bmpSaved = 1;
    services.messages.ScriptAnswers({Answer::No});
    menu.codeView->OnExit();
    Settle();
    EXPECT_EQ(LastBox().text, Text(res::str::kExitQuestion));
    EXPECT_EQ(menu.state.exitFromCodeView, 0);
    EXPECT_EQ(menu.state.bmpSaved, 1);

    // After No, an exit from elsewhere is judged by the entries again.
    services.messages.ScriptAnswers({Answer::No});
    menu.addressBook->OnExit();
    Settle();
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardEdits));
}

TEST_F(MainMenuTest, YesEndsTheProgram)
{
    services.messages.ScriptAnswers({Answer::Yes});
    QTimer::singleShot(0, &menu, [this] { Click(menuId::kExitButton); });
    EXPECT_EQ(menu.RunModalLoop(), QDialog::Accepted);
    EXPECT_TRUE(menu.HasEnded());
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(MainMenuTest, YesFromAScreenEndsWithEveryWindowHidden)
{
    Click(menuId::kAddressBookButton);
    menu.addressBook->memo = "memo";
    menu.addressBook->UpdateData(fw::Exchange::ToControls);
    services.messages.ScriptAnswers({Answer::Yes});
    menu.addressBook->OnExit();
    Settle();
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardEdits));
    EXPECT_TRUE(menu.HasEnded());
    EXPECT_EQ(menu.EndResult(), QDialog::Accepted);
    for (ScreenId i : {ScreenId::AddressBook, ScreenId::Mail, ScreenId::FreeText})
        EXPECT_FALSE(menu.Screen(i).isVisible());
    EXPECT_FALSE(menu.codeView->isVisible());
}

TEST_F(MainMenuTest, YesFromTheCodeViewReleasesTheSymbols)
{
    QrBitmap** bitmaps = nullptr;
    QrEncodeParams params{0, 0};
    ASSERT_EQ(TavoQREnc_QrEncode("MEMORY:\r\n", 9, 1, &bitmaps, &params), 0);
    menu.state.codeBitmaps.Adopt(bitmaps, 1);
    menu.hide();
    menu.codeView->show();
    services.messages.ScriptAnswers({Answer::Yes});
    menu.codeView->OnExit();
    Settle();
    EXPECT_EQ(LastBox().text, Text(res::str::kExitDiscardUnsaved));
    EXPECT_TRUE(menu.state.codeBitmaps.IsNull());
    EXPECT_TRUE(menu.HasEnded());
}

// --- Data files given to the program -----------------------------------------

TEST_F(MainMenuTest, AGivenDataFileOpensInItsScreenAsFromTheOpenButton)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString entry = folder.filePath(QStringLiteral("entry.aqr"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Taro,,0312345678,,,,,memo,\r\n");
    file.close();

    menu.OpenDataFile(entry);
    EXPECT_FALSE(menu.isVisible());
    ASSERT_TRUE(menu.addressBook->isVisible());
    EXPECT_EQ(menu.addressBook->name, "Taro");
    EXPECT_EQ(menu.addressBook->tel1, "0312345678");
    EXPECT_TRUE(services.messages.Boxes().empty());

    // The same checks as the open button: an e-mail file that is empty gives
    // kFileReadFailed over the address book, which stays in front.
    const QString mail = folder.filePath(QStringLiteral("empty.eqr"));
    QFile(mail).open(QIODevice::WriteOnly);
    menu.OpenDataFile(mail);
    EXPECT_TRUE(menu.addressBook->isVisible());
    EXPECT_FALSE(menu.mail->isVisible());
    EXPECT_EQ(LastBox().text, Text(res::str::kFileReadFailed));
    EXPECT_EQ(menu.addressBook->name, "Taro");  // nothing else changes

    services.messages.Clear();
    menu.OpenDataFile(folder.filePath(QStringLiteral("entry.txt")));
    EXPECT_EQ(LastBox().text, Text(res::str::kWrongFileKind));
    EXPECT_TRUE(menu.addressBook->isVisible());
}

TEST_F(MainMenuTest, AGivenDataFileKeepsWhatWasTypedOnTheScreenItReplaces)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString entry = folder.filePath(QStringLiteral("entry.aqr"));
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Taro,,,,,,,,\r\n");
    file.close();

    Click(menuId::kMailButton);
    auto* to = menu.mail->ControlAs<QLineEdit>(ctl::mail::kTo);
    ASSERT_NE(to, nullptr);
    to->setText(QStringLiteral("typed@example.jp"));
    menu.OpenDataFile(entry);
    ASSERT_TRUE(menu.addressBook->isVisible());
    EXPECT_EQ(menu.mail->to, "typed@example.jp");
    EXPECT_FALSE(menu.AllEntriesEmpty());
}

TEST_F(MainMenuTest, AGivenDataFileWaitsForTheCodeViewToClose)
{
    menu.hide();
    menu.codeView->show();
    menu.OpenDataFile(QStringLiteral("/nowhere/entry.aqr"));
    EXPECT_EQ(LastBox().text, Text(res::str::kCannotOpenNow));
    EXPECT_TRUE(menu.codeView->isVisible());
    EXPECT_FALSE(menu.addressBook->isVisible());
}

TEST_F(MainMenuTest, CodeViewBackToTheMenuAsksAndClearsTheScreenThatMadeTheCode)
{
    menu.state.currentScreen = ScreenId::Mail;
    menu.mail->to = "a@b";
    menu.hide();
    menu.codeView->show();
    services.messages.ScriptAnswers({Answer::Yes});
    menu.codeView->OnBackToMenu();
    EXPECT_EQ(LastBox().text, Text(res::str::kBackToMenuDiscardUnsaved));
    EXPECT_TRUE(menu.mail->IsAllEmpty());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(menu.codeView->isVisible());
}

// --- Front request and the about box -------------------------------------

TEST_F(MainMenuTest, BringToFrontRaisesTheVisibleScreen)
{
    Click(menuId::kMailButton);
    QWidget other;
    other.show();
    Activate(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other, 2000));
    menu.BringToFront();
    EXPECT_TRUE(QTest::qWaitForWindowActive(menu.mail.get(), 2000));
    EXPECT_FALSE(menu.isVisible());  // the menu stays hidden
}

TEST_F(MainMenuTest, ContextMenuOffersTheAboutItem)
{
    QMenu popup;
    menu.AddSystemMenuItems(popup);
    const auto actions = popup.actions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_TRUE(actions[0]->isSeparator());
    EXPECT_EQ(actions[1]->text(), QStringLiteral("ヌボラ のﾊﾞｰｼﾞｮﾝ情報(&A)..."));
    EXPECT_EQ(actions[1]->data().toInt(), 0x0010);
}

TEST_F(MainMenuTest, ContextMenuOffersTheSheetDialogAlsoByCtrlB)
{
    QMenu popup;
    menu.AddSheetMenuItem(popup);
    ASSERT_EQ(popup.actions().size(), 1);
    EXPECT_EQ(popup.actions()[0]->text(), QStringLiteral("CSVから一括作成…"));
    EXPECT_EQ(popup.actions()[0]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_TRUE(menu.actions().contains(popup.actions()[0]));  // the keys work on the menu itself
}

TEST_F(MainMenuTest, TheAboutItemRunsTheAboutBox)
{
    QString title;
    QSize size;
    QTimer::singleShot(0, &menu, [&] {
        auto* about = dynamic_cast<AboutDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        title = about->windowTitle();
        size = about->size();
        QTest::mouseClick(about->Control(ctl::kOk), Qt::LeftButton);
    });
    QMenu popup;
    menu.AddSystemMenuItems(popup);
    popup.actions().back()->trigger();
    EXPECT_EQ(title, QStringLiteral("ヌボラのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(size, menu.Units().ToPixels(QRect(0, 0, 235, 55)).size());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(MainMenuTest, OtherSystemCommandsDoNothing)
{
    menu.OnSysCommand(0xF060);  // a close command is not the about item
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST(AboutDialog, ClosesWithEsc)
{
    AboutDialog about;
    QTimer::singleShot(0, &about, [&about] { QTest::keyClick(&about, Qt::Key_Escape); });
    EXPECT_EQ(about.DoModal(), QDialog::Rejected);
}

}  // namespace
}  // namespace nubora
