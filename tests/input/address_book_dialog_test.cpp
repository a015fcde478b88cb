// The address-book screen driven as a user drives it, on the fake host:
// typing (Japanese and full-width digits too), tabbing, pointer hover, the
// checks and their messages, the gauge, the settings, and a created code
// whose picture on the code view zxing-cpp reads back as the MEMORY text.
// Every box is answered by the scripted message service.
#include "decoders.h"
#include "held_symbol.h"
#include "input_screen_fixture.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/cp932.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/logic/validation.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"
#include "typing.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace fid = ctl::addressBook;
namespace bid = ctl::input;
using fw::Answer;
using fw::BoxType;
using nubora::testing::TypeText;

using nubora::testing::Sjis;

// The level text for zxing's name of a level.
std::string LevelTextOf(const std::string& ecLevel)
{
    if (ecLevel == "L")
        return "L(7%)";
    if (ecLevel == "M")
        return "M(15%)";
    if (ecLevel == "Q")
        return "Q(25%)";
    return ecLevel == "H" ? "H(30%)" : "";
}

class AddressBookTest : public nubora::testing::InputScreenFixture<AddressBookDialog> {
protected:
    static QWidget* Ctl(fw::Dialog& dialog, int id)
    {
        QWidget* control = dialog.Control(id);
        if (!control)
            std::abort();
        return control;
    }
    fw::Cp932LineEdit* Field(int id) { return As<fw::Cp932LineEdit>(id); }
    QProgressBar* Gauge() { return As<QProgressBar>(bid::kGauge); }

    // Clicks into field `id` and types `text` there.
    void TypeInto(int id, const QString& text)
    {
        Field(id)->setFocus(Qt::MouseFocusReason);
        TypeText(Field(id), text);
    }
    void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // A click without the pointer coming onto the button first: the field
    // losing the focus to it is checked.
    void Click(int buttonId) { QTest::mouseClick(Button(buttonId), Qt::LeftButton); }
    // The symbol as the code view shows it, read by zxing-cpp.
    peers::ZxingReading ReadShownSymbol() { return nubora::testing::ReadShownSymbol(host.codeView, host.state); }
};

// --- The screen ----------------------------------------------------------

TEST_F(AddressBookTest, IsA600By600ScreenWithItsFieldsAtTheTemplatePositions)
{
    EXPECT_EQ(screen.size(), QSize(600, 600));
    EXPECT_EQ(screen.pos(), QPoint(10, 10));
    const struct {
        int id;
        QRect rect;
        int limit;
    } fields[] = {{fid::kName, {65, 56, 162, 17}, 24},     {fid::kReading, {65, 78, 162, 17}, 24},
                  {fid::kTel1, {65, 102, 162, 17}, 36},    {fid::kTel2, {65, 126, 162, 17}, 36},
                  {fid::kMail1, {65, 150, 217, 17}, 64},   {fid::kMail2, {65, 174, 217, 17}, 64},
                  {fid::kAddress, {65, 198, 217, 17}, 80}, {fid::kMemo, {65, 222, 217, 17}, 80}};
    for (const auto& f : fields) {
        EXPECT_EQ(Field(f.id)->geometry(), screen.Units().ToPixels(f.rect)) << f.id;
        EXPECT_EQ(Field(f.id)->LimitBytes(), f.limit) << f.id;
    }
    EXPECT_EQ(Ctl(screen, bid::kSettingsSummary)->geometry(), screen.Units().ToPixels(QRect(60, 269, 75, 48)));
    EXPECT_EQ(Ctl(screen, bid::kGauge)->geometry(), screen.Units().ToPixels(QRect(156, 295, 125, 20)));
    EXPECT_EQ(As<QPlainTextEdit>(screen, bid::kSettingsSummary)->palette().base().color(), QColor(Qt::white));
    EXPECT_EQ(Gauge()->minimum(), 0);
    EXPECT_EQ(Gauge()->maximum(), 100);
}

TEST_F(AddressBookTest, PlacesTheEightButtonsWithTheirPicturesAndTheButtonCursor)
{
    namespace b = res::bmp;
    nubora::testing::ExpectPictureButtons(
        screen,
        {
            {bid::kCreateCode, {49, 512, 126, 61}, b::kCreateCodeNormal, b::kCreateCodePressed, b::kCreateCodeFocused},
            {bid::kExit, {303, 512, 126, 61}, 140, 153, 152},
            {bid::kBackToMenu, {429, 512, 126, 61}, 141, 151, 150},
            {bid::kClearInput, {525, 102, 75, 47}, 143, 156, 157},
            {bid::kSaveInput, {525, 152, 75, 47}, 207, 203, 208},
            {bid::kOpenInput, {525, 202, 75, 47}, 204, 206, 205},
            {bid::kSettings, {525, 442, 75, 47}, 193, 195, 194},
            {bid::kConfirm, {255, 400, 82, 23}, 215, 214, 216},
        });
    EXPECT_FALSE(Button(bid::kExit)->isVisible());
    EXPECT_TRUE(Button(bid::kConfirm)->isVisible());
    EXPECT_FALSE(Gauge()->isVisible());
}

TEST_F(AddressBookTest, PaintsBackground198)
{
    const QImage shown = screen.grab().toImage();
    const QImage background = res::LoadBitmap(res::bmp::kAddressBookBackground);
    ASSERT_EQ(background.size(), QSize(600, 600));
    for (QPoint p : {QPoint(3, 3), QPoint(300, 20), QPoint(20, 300), QPoint(590, 590)})
        EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
}

// --- Typing --------------------------------------------------------------

TEST_F(AddressBookTest, TakesJapaneseAndFullWidthDigitsAndTabsFieldToField)
{
    TypeInto(fid::kName, QStringLiteral("山田太郎"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kReading);
    TypeText(QApplication::focusWidget(), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kTel1);
    TypeText(QApplication::focusWidget(), QStringLiteral("０３－１２３４－５６７８"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kTel2);
    TypeText(QApplication::focusWidget(), QStringLiteral("090-1111-2222"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kMail1);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(screen.name, Sjis("山田太郎"));
    EXPECT_EQ(screen.reading, Sjis("ﾔﾏﾀﾞﾀﾛｳ"));
    EXPECT_EQ(screen.tel1, Sjis("０３－１２３４－５６７８"));
    EXPECT_EQ(screen.tel2, "090-1111-2222");
}

TEST_F(AddressBookTest, FieldsRefuseInputPastTheirLimitAndCharactersWithoutACode)
{
    TypeInto(fid::kName, QString(30, QLatin1Char('a')));
    EXPECT_EQ(Field(fid::kName)->text(), QString(24, QLatin1Char('a')));
    TypeInto(fid::kReading, QStringLiteral("アイウエオカキクケコサシス"));  // 13 × 2 bytes
    EXPECT_EQ(Field(fid::kReading)->text(), QStringLiteral("アイウエオカキクケコサシ"));
    TypeInto(fid::kMemo, QStringLiteral("한글"));
    EXPECT_EQ(Field(fid::kMemo)->text(), QString());
    EXPECT_TRUE(Boxes().empty());
}

// --- Checks --------------------------------------------------------------

struct CheckCase {
    int field;
    const char* text;
    int message;
};

class FocusLossCheckTest : public AddressBookTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(FocusLossCheckTest, ReportsPutsTheCaretBackAndKeepsTheInput)
{
    const CheckCase c = GetParam();
    TypeInto(c.field, QString::fromUtf8(c.text));
    Tab();
    ExpectOneBox(c.message, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), c.field);
    EXPECT_EQ(Field(c.field)->cursorPosition(), 0);
    EXPECT_FALSE(Field(c.field)->hasSelectedText());
    EXPECT_EQ(Field(c.field)->text(), QString::fromUtf8(c.text));
}

INSTANTIATE_TEST_SUITE_P(EachCheckedField, FocusLossCheckTest,
                         ::testing::Values(CheckCase{fid::kReading, "やまだ", res::str::kBadReadingChars},
                                           CheckCase{fid::kReading, "ヴィ", res::str::kBadReadingChars},
                                           CheckCase{fid::kTel1, "03 1234", res::str::kBadTelChars},
                                           CheckCase{fid::kTel2, "(03)1234", res::str::kBadTelChars},
                                           CheckCase{fid::kMail1, "a,b@example.jp", res::str::kBadMailChars},
                                           CheckCase{fid::kMail2, "ａ@example.jp", res::str::kBadMailChars}));

TEST_F(AddressBookTest, ValidValuesAndUncheckedFieldsPassOnFocusLoss)
{
    TypeInto(fid::kName, QStringLiteral("やまだ (様)"));
    Tab();
    TypeText(QApplication::focusWidget(), QStringLiteral("ヤマダ ﾀﾛｳ"));
    Tab();
    TypeText(QApplication::focusWidget(), QStringLiteral("*#-0123456789＊＃－０９"));
    Tab();
    Tab();
    TypeText(QApplication::focusWidget(), QStringLiteral("a.b+c@example.jp"));
    Tab();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AddressBookTest, PointerOverAButtonTakesTheFocusWithoutACheck)
{
    TypeInto(fid::kTel1, QStringLiteral("03 1234"));
    Hover(Button(bid::kCreateCode), QPoint(60, 30));
    EXPECT_EQ(screen.FocusedControlId(), bid::kCreateCode);
    EXPECT_EQ(Button(bid::kCreateCode)->CurrentLook(), fw::BitmapButton::Look::Focused);
    EXPECT_TRUE(screen.suppressFocusCheck);
    EXPECT_TRUE(Boxes().empty());
    // Enter on the button creates the code, which checks every field.
    QTest::keyClick(Button(bid::kCreateCode), Qt::Key_Return);
    ExpectOneBox(res::str::kBadTelChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kTel1);
    EXPECT_FALSE(host.codeView.isVisible());
}

TEST_F(AddressBookTest, CreateChecksInOrderAndStopsAtTheFirstFailure)
{
    screen.reading = Sjis("ひらがな");
    screen.tel1 = "x";
    screen.mail1 = "#";
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kBadReadingChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kReading);

    services.messages.Clear();
    screen.reading.clear();
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kBadTelChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kTel1);

    services.messages.Clear();
    screen.tel1.clear();
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kBadMailChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kMail1);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
}

TEST_F(AddressBookTest, AValueLongerThanItsLimitIsReportedWithTheLimit)
{
    screen.name = std::string(30, 'n');  // only a data file can bring this
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kCreateCode);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes().back().text, QStringLiteral("24 文字以内で入力してください。"));
    EXPECT_EQ(Boxes().back().type, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kName);
    EXPECT_FALSE(host.codeView.isVisible());
}

// --- Creating the code ---------------------------------------------------

TEST_F(AddressBookTest, CreateShowsTheCodeViewWithASymbolThatReadsAsTheMemoryText)
{
    TypeInto(fid::kName, QStringLiteral("山田太郎"));
    TypeInto(fid::kReading, QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));
    TypeInto(fid::kTel1, QStringLiteral("０３－１２３４－５６７８"));
    TypeInto(fid::kMail2, QStringLiteral("taro@example.jp"));
    TypeInto(fid::kAddress, QStringLiteral("東京都千代田区1-1"));
    TypeInto(fid::kMemo, QStringLiteral("メモ"));
    Hover(Button(bid::kCreateCode));
    QTest::mouseClick(Button(bid::kCreateCode), Qt::LeftButton);

    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(host.codeView.isVisible());
    EXPECT_EQ(host.state.currentScreen, ScreenId::AddressBook);
    ASSERT_FALSE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(host.state.codeBitmaps.Count(), 1);

    const std::string payload = Sjis(
        "MEMORY:メモ\r\nNAME1:山田太郎\r\nNAME2:ﾔﾏﾀﾞﾀﾛｳ\r\nTEL1:０３－１２３４－５６７８\r\n"
        "MAIL2:taro@example.jp\r\nADD:東京都千代田区1-1\r\n");
    const peers::ZxingReading reading = ReadShownSymbol();
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, payload) << peers::Printable(reading.bytes);

    const int side = TavoQREnc_GetBitmapSide(host.state.codeBitmaps.At(0));
    const int version = (side - 8 - 17) / 4;
    char sizes[64];
    std::snprintf(sizes, sizeof sizes, "%.2fmm\r\n\x81\x46 %.2fmm\r\n", 0.25 * (4 * version + 17) + 2.0,
                  0.25 * (4 * version + 17));
    EXPECT_EQ(host.codeView.informationText, "\x81\x46 " + LevelTextOf(reading.ecLevel) +
                                                 "\r\n\x81\x46 0.25mm\r\n\x81\x46 " + std::to_string(version) +
                                                 "\r\n\x81\x46 " + sizes);
    EXPECT_DOUBLE_EQ(host.state.codeSettings.printSizeMm, 0.25 * (4 * version + 17) + 2.0);
    EXPECT_EQ(host.codeView.inputSummary, Sjis("【名前\t】 山田太郎\r\n【名前(ヨミ)】 ﾔﾏﾀﾞﾀﾛｳ\r\n"
                                               "【ＴＥＬ１\t】 ０３－１２３４－５６７８\r\n"
                                               "【メール２\t】 taro@example.jp\r\n【住所\t】 東京都千代田区1-1\r\n"
                                               "【メモ\t】 メモ\r\n"));
    EXPECT_EQ(As<QPlainTextEdit>(host.codeView, ctl::codeView::kInformation)->toPlainText(),
              fw::FromCp932(fw::CrLfToLf(host.codeView.informationText)));
    // One symbol: no spinner. It was read back; the MEMORY form and the
    // 0.25 mm cell, under the 0.3 mm that cameras read reliably, have advice.
    EXPECT_FALSE(Ctl(host.codeView, ctl::codeView::kSymbolSpinner)->isVisible());
    const QStringList notes = As<QLabel>(host.codeView, ctl::codeView::kCheckNotes)->text().split(QLatin1Char('\n'));
    ASSERT_EQ(notes.size(), 3);
    EXPECT_EQ(notes[0], QStringLiteral("読み取り確認済み"));
    EXPECT_TRUE(notes[1].contains(QStringLiteral("従来形式"))) << notes[1].toStdString();
    EXPECT_EQ(notes[2].toStdString(), SmallModuleAdvice(0.25).value());

    // Back from the code view: the input is still there.
    host.codeView.OnBack();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(Field(fid::kName)->text(), QStringLiteral("山田太郎"));
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
}

TEST_F(AddressBookTest, ACodeThatDoesNotReadBackIsNeitherShownNorKept)
{
    TypeInto(fid::kName, QStringLiteral("山田"));
    // One module of the lower-left finder pattern turned over, as a fault
    // between the engine and the screen would.
    host.beforeReadBack = [](SymbolBitmaps& symbols) {
        const QrBitmap& original = *symbols.At(0);
        const size_t size = static_cast<size_t>(original.Side()) * original.Stride();
        auto* bits = new uint8_t[size];
        std::copy_n(original.Bits(), size, bits);
        const int x = 4 + 5, y = original.Side() - 4 - 6;
        bits[y * original.Stride() + x / 8] ^= static_cast<uint8_t>(0x80 >> (x % 8));
        auto** array = static_cast<QrBitmap**>(std::malloc(sizeof(QrBitmap*)));
        array[0] = new QrBitmap(original.Side(), bits);
        symbols.Adopt(array, 1);
    };
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kReadBackFailed, BoxType::Error);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_FALSE(host.codeView.isVisible());
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(Field(fid::kName)->text(), QStringLiteral("山田"));
}

TEST_F(AddressBookTest, AnEmptyFormMakesTheNineByteMemoryLine)
{
    Click(bid::kCreateCode);
    ASSERT_TRUE(host.codeView.isVisible());
    const peers::ZxingReading reading = ReadShownSymbol();
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, "MEMORY:\r\n");
}

TEST_F(AddressBookTest, ASplitShowsTheSpinnerAndTheFirstSymbol)
{
    host.state.codeSettings.splitCount = 3;
    host.state.shownSymbol = 2;
    TypeInto(fid::kMemo, QString(60, QLatin1Char('m')));
    Click(bid::kCreateCode);
    ASSERT_EQ(host.state.codeBitmaps.Count(), 3);
    EXPECT_EQ(host.state.shownSymbol, 0);
    EXPECT_TRUE(Ctl(host.codeView, ctl::codeView::kSymbolSpinner)->isVisible());
    EXPECT_TRUE(Ctl(host.codeView, ctl::codeView::kSymbolNumber)->isVisible());
    const peers::ZxingReading first = ReadShownSymbol();
    ASSERT_TRUE(first.valid) << first.error;
    EXPECT_EQ(first.sequenceIndex, 0);
    EXPECT_EQ(first.sequenceSize, 3);
}

TEST_F(AddressBookTest, TooLongForTheSettingsGives127AndKeepsEverything)
{
    // Manual settings as the settings dialog leaves them: version 1, H.
    CodeSettings& s = host.state.codeSettings;
    s.autoAdjust = 0;
    s.version = 1;
    s.level = 4;
    const CodeSettings before = s;
    TypeInto(fid::kMemo, QString(40, QLatin1Char('z')));
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kDataTooLong, BoxType::Error);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_FALSE(host.codeView.isVisible());
    EXPECT_EQ(Field(fid::kMemo)->text(), QString(40, QLatin1Char('z')));
    EXPECT_EQ(screen.memo, std::string(40, 'z'));
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_EQ(s.version, before.version);
    EXPECT_EQ(s.printSizeMm, before.printSizeMm);
}

TEST_F(AddressBookTest, AnImpossibleSplitGives136AndReleasesTheEarlierCode)
{
    Click(bid::kCreateCode);
    ASSERT_FALSE(host.state.codeBitmaps.IsNull());
    host.codeView.hide();
    screen.show();
    host.state.codeSettings.splitCount = 16;
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kSplitImpossible, BoxType::Error);
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_TRUE(screen.isVisible());
}

// --- Confirm, settings and the gauge -------------------------------------

TEST_F(AddressBookTest, ConfirmShowsWhatAutomaticModeWillUse)
{
    TypeInto(fid::kName, QStringLiteral("abc"));
    Click(bid::kConfirm);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(As<QPlainTextEdit>(screen, bid::kSettingsSummary)->toPlainText(),
              QStringLiteral("： M(15%)\n： 0.25mm\n： 2\n： 8.25mm\n： 6.25mm\n： 1\n"));
    EXPECT_EQ(host.state.codeSettings.shownVersion, 2);
    EXPECT_EQ(host.state.codeSettings.version, 0);
    EXPECT_EQ(Field(fid::kName)->text(), QStringLiteral("abc"));
}

TEST_F(AddressBookTest, TheGaugeFollowsThePayloadAtItsBoundaries)
{
    host.state.codeSettings.autoAdjust = 0;
    host.state.codeSettings.availableLength = 100;  // S = 10
    screen.ShowManualPresentation();
    EXPECT_TRUE(Gauge()->isVisible());
    const struct {
        int memoBytes;
        int addressBytes;
        int position;
    } steps[] = {
        {1, 0, 10},    // L = 10
        {0, 0, 0},     // every field empty
        {80, 0, 80},   // L = 89
        {80, 1, 90},   // L = 96
        {80, 4, 90},   // L = 99
        {80, 5, 100},  // L = 100
        {80, 10, 100},
    };
    for (const auto& s : steps) {
        Field(fid::kMemo)->clear();
        Field(fid::kAddress)->clear();
        TypeInto(fid::kMemo, QString(s.memoBytes, QLatin1Char('m')));
        TypeInto(fid::kAddress, QString(s.addressBytes, QLatin1Char('a')));
        EXPECT_EQ(Gauge()->value(), s.position) << s.memoBytes << "+" << s.addressBytes;
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(AddressBookTest, SettingsOkInManualModeShowsTheGaugeAndTheNewSummary)
{
    bool overScreen = false;
    TypeInto(fid::kMemo, QStringLiteral("x"));
    QTimer::singleShot(0, &screen, [this, &overScreen] {
        SettingsDialog& settings = host.settings;
        QTest::mouseClick(Ctl(settings, ctl::settings::kManual), Qt::LeftButton);
        auto* level = As<QComboBox>(settings, ctl::settings::kLevel);
        level->setCurrentIndex(level->findText(QStringLiteral("Q(25%)")));
        auto* version = As<QComboBox>(settings, ctl::settings::kVersion);
        version->setCurrentIndex(version->findText(QStringLiteral("1")));
        overScreen = OpensOverTheScreen(settings);
        QTest::mouseClick(Ctl(settings, ctl::kOk), Qt::LeftButton);
    });
    Click(bid::kSettings);
    EXPECT_TRUE(overScreen);
    EXPECT_TRUE(Gauge()->isVisible());
    EXPECT_FALSE(Button(bid::kConfirm)->isVisible());
    const int32_t oneQ[2] = {1, 3};
    ASSERT_EQ(host.state.codeSettings.availableLength, TavoQREnc_GetAvailableLength(oneQ));
    // "MEMORY:x" CR LF: 10 bytes against the capacity of 1-Q.
    EXPECT_EQ(Gauge()->value(), GaugePosition(false, 10, host.state.codeSettings.availableLength));
    EXPECT_EQ(As<QPlainTextEdit>(screen, bid::kSettingsSummary)->toPlainText(),
              QStringLiteral("： Q(25%)\n： 0.25mm\n： 1\n： 7.25mm\n： 5.25mm\n： 1\n"));
    EXPECT_EQ(Field(fid::kMemo)->text(), QStringLiteral("x"));
}

TEST_F(AddressBookTest, SettingsAreNotOpenedWhileAFieldFailsItsCheck)
{
    screen.tel2 = "abc";
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kSettings);
    ExpectOneBox(res::str::kBadTelChars, BoxType::Warning);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// --- Clear, back, keys -----------------------------------------------------

TEST_F(AddressBookTest, ClearAsks115OnlyWhenSomethingIsEntered)
{
    Click(bid::kClearInput);
    EXPECT_TRUE(Boxes().empty());
    TypeInto(fid::kMail1, QStringLiteral("a@b"));
    services.messages.ScriptAnswers({Answer::No});
    Click(bid::kClearInput);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
    EXPECT_EQ(Field(fid::kMail1)->text(), QStringLiteral("a@b"));
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    EXPECT_EQ(Field(fid::kMail1)->text(), QString());
    EXPECT_TRUE(screen.IsAllEmpty());
    EXPECT_EQ(screen.FocusedControlId(), fid::kName);
}

TEST_F(AddressBookTest, ClearInManualModeEmptiesEveryFieldAndTheGauge)
{
    // Each field the refresh empties raises a change, and so a gauge update,
    // while the fields after it still hold their text.
    host.state.codeSettings.autoAdjust = 0;
    host.state.codeSettings.availableLength = 100;
    screen.ShowManualPresentation();
    TypeInto(fid::kName, QStringLiteral("山田"));
    TypeInto(fid::kTel1, QStringLiteral("0123"));
    TypeInto(fid::kMemo, QStringLiteral("memo"));
    ASSERT_GT(Gauge()->value(), 0);
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    EXPECT_TRUE(screen.IsAllEmpty());
    for (int field : {fid::kName, fid::kTel1, fid::kMemo})
        EXPECT_EQ(Field(field)->text(), QString()) << field;
    EXPECT_EQ(Gauge()->value(), 0);
}

TEST_F(AddressBookTest, BackToTheMenuAsks114WhenSomethingIsEntered)
{
    TypeInto(fid::kAddress, QStringLiteral("住所"));
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kBackToMenu);
    ExpectOneBox(res::str::kBackToMenuDiscardEdits, BoxType::Question);
    EXPECT_TRUE(screen.IsAllEmpty());
    EXPECT_EQ(Field(fid::kAddress)->text(), QString());
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(host.menuShown);
    EXPECT_EQ(host.state.codeSettings.autoAdjust, 1);
}

TEST_F(AddressBookTest, EnterInAFieldDoesNothingAndOnAButtonRunsIt)
{
    TypeInto(fid::kName, QStringLiteral("abc"));
    QTest::keyClick(Field(fid::kName), Qt::Key_Return);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(screen.isVisible());
    Button(bid::kClearInput)->setFocus();
    services.messages.ScriptAnswers({Answer::No});
    QTest::keyClick(Button(bid::kClearInput), Qt::Key_Enter);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
}

TEST_F(AddressBookTest, EscAndTheCloseBoxDoNothing)
{
    TypeInto(fid::kName, QStringLiteral("abc"));
    QTest::keyClick(Field(fid::kName), Qt::Key_Escape);
    screen.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(host.exitRequests, 0);
}

TEST_F(AddressBookTest, TheSummaryBoxTakesNoClick)
{
    auto* summary = As<QPlainTextEdit>(screen, bid::kSettingsSummary);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), summary->viewport()->mapToGlobal(QPointF(5, 5)),
                          button, button, Qt::NoModifier);
        EXPECT_TRUE(QApplication::sendEvent(summary->viewport(), &press));
        QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), summary->viewport()->mapToGlobal(QPointF(5, 5)),
                          button, button, Qt::NoModifier);
        EXPECT_TRUE(QApplication::sendEvent(summary->viewport(), &twice));
    }
    EXPECT_NE(QApplication::focusWidget(), summary);
}

}  // namespace
}  // namespace nubora
