// The free-text screen driven as a user drives it, on the fake host: Enter
// typing line breaks, the link buttons with the host's link dialogs answered
// as a user answers them, links always at the end on lines of their own, the
// required text of create against settings and confirm, and a created code
// read back by zxing-cpp as the text. Every box is answered by the scripted
// message service; the link dialogs are driven from inside their modal loop
// and closed there.
#include "held_symbol.h"
#include "input_screen_fixture.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/cp932.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/navi_link_dialog.h"
#include "nubora/input/one_seg_link_dialog.h"
#include "nubora/input/tel_link_dialog.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"
#include "typing.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace fid = ctl::freeText;
namespace bid = ctl::input;
using fw::Answer;
using fw::BoxType;
using nubora::testing::TypeText;

using nubora::testing::Sjis;

const QString kTitle = QStringLiteral("フリーテキスト用コード入力画面");

class FreeTextTest : public nubora::testing::InputScreenFixture<FreeTextDialog> {
protected:
    fw::Cp932TextEdit* Text() { return As<fw::Cp932TextEdit>(fid::kText); }

    void TypeIntoText(const QString& text)
    {
        Text()->setFocus(Qt::MouseFocusReason);
        TypeText(Text(), text);
    }
    // Once `dialog` runs: types `value` into its field `editId` and presses
    // 挿入 (or ｷｬﾝｾﾙ). A dialog still open afterwards is cancelled, so that
    // the test never waits on it; `stayedOpen` tells whether that happened.
    void AnswerLinkDialog(fw::Dialog& dialog, int editId, const QString& value, bool insert = true)
    {
        QTimer::singleShot(0, &screen, [this, &dialog, editId, value, insert] {
            seenField = dialog.ControlAs<QLineEdit>(editId)->text();
            openedOverScreen = OpensOverTheScreen(dialog);
            TypeText(dialog.Control(editId), value);
            QTest::mouseClick(dialog.Control(insert ? ctl::kOk : ctl::kCancel), Qt::LeftButton);
            stayedOpen = dialog.isVisible();
            if (stayedOpen)
                dialog.reject();
        });
    }
    std::string TextMember()
    {
        EXPECT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
        return screen.text;
    }

    QString seenField;
    bool openedOverScreen = false;
    bool stayedOpen = false;
};

// --- The screen ----------------------------------------------------------

TEST_F(FreeTextTest, HasItsTextAndTheLinkButtonsWithTheirPictures)
{
    EXPECT_EQ(screen.size(), QSize(600, 600));
    EXPECT_EQ(screen.windowTitle(), kTitle);
    EXPECT_EQ(Text()->geometry(), screen.Units().ToPixels(QRect(65, 56, 217, 128)));
    EXPECT_EQ(Text()->LimitBytes(), 0);
    EXPECT_EQ(Text()->lineWrapMode(), QPlainTextEdit::NoWrap);
    namespace b = res::bmp;
    nubora::testing::ExpectPictureButtons(screen, {
                                                      {fid::kTelLink, {10, 140, 82, 23}, 162, 161, 160},
                                                      {fid::kNaviLink, {10, 170, 82, 23}, 185, 184, 186},
                                                      {fid::kOneSegLink, {10, 200, 82, 23}, 219, 221, 220},
                                                  });
    EXPECT_TRUE(Button(fid::kTelLink)->isVisible());
    EXPECT_TRUE(Button(fid::kNaviLink)->isVisible());
    EXPECT_FALSE(Button(fid::kOneSegLink)->isVisible());
    EXPECT_FALSE(Button(bid::kExit)->isVisible());
}

TEST_F(FreeTextTest, PaintsBackground200)
{
    const QImage shown = screen.grab().toImage();
    const QImage background = res::LoadBitmap(res::bmp::kFreeTextBackground);
    ASSERT_EQ(background.size(), QSize(600, 600));
    EXPECT_NE(background, res::LoadBitmap(res::bmp::kMailBackground));
    for (QPoint p : {QPoint(3, 3), QPoint(300, 20), QPoint(20, 300), QPoint(590, 590)})
        EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
}

// --- Keys and hover ------------------------------------------------------

TEST_F(FreeTextTest, EnterInTheTextAddsALineBreak)
{
    TypeIntoText(QStringLiteral("一行目"));
    QTest::keyClick(Text(), Qt::Key_Return);
    TypeText(Text(), QStringLiteral("二行目"));
    QTest::keyClick(Text(), Qt::Key_Enter);
    EXPECT_EQ(TextMember(), Sjis("一行目\r\n二行目\r\n"));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(FreeTextTest, EnterOnAFocusedButtonRunsIt)
{
    TypeIntoText(QStringLiteral("abc"));
    Button(bid::kClearInput)->setFocus();
    services.messages.ScriptAnswers({Answer::No});
    QTest::keyClick(Button(bid::kClearInput), Qt::Key_Return);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
    EXPECT_EQ(TextMember(), "abc");

    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("117"));
    Hover(Button(fid::kTelLink));
    EXPECT_EQ(screen.FocusedControlId(), fid::kTelLink);
    QTest::keyClick(Button(fid::kTelLink), Qt::Key_Enter);
    EXPECT_EQ(TextMember(), "abc\r\nTEL:117\r\n");
}

TEST_F(FreeTextTest, PointerOverALinkButtonTakesTheFocus)
{
    TypeIntoText(QStringLiteral("x"));
    Hover(Button(fid::kNaviLink), QPoint(40, 10));
    EXPECT_EQ(screen.FocusedControlId(), fid::kNaviLink);
    EXPECT_EQ(Button(fid::kNaviLink)->CurrentLook(), fw::BitmapButton::Look::Focused);
    Hover(Button(bid::kSettings), QPoint(40, 10));
    EXPECT_EQ(screen.FocusedControlId(), bid::kSettings);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FreeTextTest, TheHiddenOneSegButtonTakesTheFocusUnderThePointerAndEnterRunsIt)
{
    TypeIntoText(QStringLiteral("abc"));
    // The pointer over the place of the hidden button, at (10, 200) in the window.
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 210), screen.mapToGlobal(QPointF(20, 210)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&screen, &move);
    EXPECT_EQ(screen.FocusedControlId(), fid::kOneSegLink);
    EXPECT_FALSE(Button(fid::kOneSegLink)->isVisible());
    AnswerLinkDialog(host.oneSegLink, ctl::links::kOneSegParam, QStringLiteral("ch=1"));
    QTest::keyClick(&screen, Qt::Key_Return);
    EXPECT_EQ(TextMember(), "abc\r\nmedia:ch=1\r\n");
}

TEST_F(FreeTextTest, EscAndTheCloseBoxDoNothing)
{
    TypeIntoText(QStringLiteral("abc"));
    QTest::keyClick(Text(), Qt::Key_Escape);
    screen.close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(Boxes().empty());
}

// --- Links ---------------------------------------------------------------

TEST_F(FreeTextTest, ATelLinkAfterAbcEndsThatLineAndASecondLinkStartsOnTheNextLine)
{
    TypeIntoText(QStringLiteral("abc"));
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("03-1234-5678"));
    Click(fid::kTelLink);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(TextMember(), "abc\r\nTEL:03-1234-5678\r\n");

    AnswerLinkDialog(host.naviLink, ctl::links::kNaviAddress, QStringLiteral("東京都千代田区千代田1-1"));
    Click(fid::kNaviLink);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(TextMember(), "abc\r\nTEL:03-1234-5678\r\n" + Sjis("住所:東京都千代田区千代田1-1") + "\r\n");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FreeTextTest, ALinkIsAppendedAtTheEndThoughTheCaretIsInTheMiddle)
{
    TypeIntoText(QStringLiteral("first"));
    QTest::keyClick(Text(), Qt::Key_Return);
    TypeText(Text(), QStringLiteral("second"));
    QTextCursor cursor = Text()->textCursor();
    cursor.setPosition(2);
    Text()->setTextCursor(cursor);
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("＊１２３＃"));
    Click(fid::kTelLink);
    EXPECT_EQ(TextMember(), "first\r\nsecond\r\n" + Sjis("TEL:＊１２３＃") + "\r\n");
    // The text has the focus again (once the window is active after the
    // dialog) with the caret at its very end, nothing selected.
    EXPECT_EQ(screen.focusWidget(), Text());
    EXPECT_FALSE(Text()->textCursor().hasSelection());
    EXPECT_TRUE(Text()->textCursor().atEnd());
    // Typing goes on after the link.
    TypeText(Text(), QStringLiteral("z"));
    EXPECT_EQ(TextMember(), "first\r\nsecond\r\n" + Sjis("TEL:＊１２３＃") + "\r\nz");
}

TEST_F(FreeTextTest, ALinkInAnEmptyTextIsItsOnlyLine)
{
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("110"));
    Click(fid::kTelLink);
    EXPECT_EQ(TextMember(), "TEL:110\r\n");
}

TEST_F(FreeTextTest, AKanjiNaviAddressIsAccepted)
{
    AnswerLinkDialog(host.naviLink, ctl::links::kNaviAddress, QStringLiteral("大阪府大阪市北区梅田"));
    Click(fid::kNaviLink);
    EXPECT_FALSE(stayedOpen);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(TextMember(), Sjis("住所:大阪府大阪市北区梅田\r\n"));
}

TEST_F(FreeTextTest, ABadTelNumberIsRefusedWith121AndTheTextKept)
{
    TypeIntoText(QStringLiteral("abc"));
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("03 1234"));
    Click(fid::kTelLink);
    EXPECT_TRUE(stayedOpen);
    ExpectOneBox(res::str::kBadTelChars, BoxType::Warning, QStringLiteral("TELリンク"));
    EXPECT_EQ(TextMember(), "abc");
}

TEST_F(FreeTextTest, TheOneSegLinkAddsAMediaLine)
{
    TypeIntoText(QStringLiteral("番組"));
    AnswerLinkDialog(host.oneSegLink, ctl::links::kOneSegParam, QStringLiteral("ch=27&t=20261208T2100"));
    screen.OnOneSegLink();
    EXPECT_TRUE(openedOverScreen);
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(TextMember(), Sjis("番組\r\nmedia:ch=27&t=20261208T2100\r\n"));
}

TEST_F(FreeTextTest, CancelChangesNothingAndEveryOpeningStartsEmpty)
{
    TypeIntoText(QStringLiteral("abc"));
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("117"));
    Click(fid::kTelLink);
    EXPECT_TRUE(openedOverScreen);
    ASSERT_EQ(TextMember(), "abc\r\nTEL:117\r\n");
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("999"), false);
    Click(fid::kTelLink);
    EXPECT_EQ(seenField, QString());  // the earlier number is not remembered
    EXPECT_EQ(TextMember(), "abc\r\nTEL:117\r\n");
    AnswerLinkDialog(host.naviLink, ctl::links::kNaviAddress, QString());
    openedOverScreen = false;
    Click(fid::kNaviLink);
    EXPECT_TRUE(openedOverScreen);
    EXPECT_TRUE(stayedOpen);  // OK with an empty field does nothing
    EXPECT_EQ(TextMember(), "abc\r\nTEL:117\r\n");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FreeTextTest, AddingALinkUpdatesTheGaugeInManualMode)
{
    host.state.codeSettings.autoAdjust = 0;
    host.state.codeSettings.availableLength = 100;
    screen.ShowManualPresentation();
    auto* gauge = As<QProgressBar>(screen, bid::kGauge);
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QString(36, QLatin1Char('1')));
    Click(fid::kTelLink);  // 42 bytes
    EXPECT_EQ(gauge->value(), 40);
}

// --- Create, confirm, settings -------------------------------------------

TEST_F(FreeTextTest, CreateRefusesAnEmptyTextWith125)
{
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kEmptyText, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kText);
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
    EXPECT_TRUE(screen.isVisible());
}

TEST_F(FreeTextTest, ConfirmAndSettingsRunWithAnEmptyText)
{
    QTimer::singleShot(0, &screen, [this] {
        QTest::mouseClick(host.settings.Control(ctl::kOk), Qt::LeftButton);
        if (host.settings.isVisible())
            host.settings.reject();
    });
    Click(bid::kSettings);
    EXPECT_TRUE(host.settings.HasEnded());
    EXPECT_EQ(host.settings.EndResult(), QDialog::Accepted);
    EXPECT_TRUE(Boxes().empty());
    // Confirm asks the engine about the empty text: version 1 at M, no box.
    Click(bid::kConfirm);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Summary(), QStringLiteral("： M(15%)\n： 0.25mm\n： 1\n： 7.25mm\n： 5.25mm\n： 1\n"));
}

TEST_F(FreeTextTest, ConfirmShowsWhatAutomaticModeWillUse)
{
    TypeIntoText(QStringLiteral("hello"));
    Click(bid::kConfirm);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Summary(), QStringLiteral("： M(15%)\n： 0.25mm\n： 1\n： 7.25mm\n： 5.25mm\n： 1\n"));
}

TEST_F(FreeTextTest, ATextWithLinksIsEncodedAndReadsBackAsItself)
{
    TypeIntoText(QStringLiteral("お問い合わせ"));
    QTest::keyClick(Text(), Qt::Key_Return);
    TypeText(Text(), QStringLiteral("平日9時〜17時"));
    AnswerLinkDialog(host.telLink, ctl::links::kTelNumber, QStringLiteral("０３－１２３４－５６７８"));
    Click(fid::kTelLink);
    AnswerLinkDialog(host.naviLink, ctl::links::kNaviAddress, QStringLiteral("東京都港区芝公園4-2-8"));
    Click(fid::kNaviLink);
    AnswerLinkDialog(host.oneSegLink, ctl::links::kOneSegParam, QStringLiteral("ch=21&d=1208&t=1900"));
    screen.OnOneSegLink();
    const std::string expected = Sjis(
        "お問い合わせ\r\n平日9時〜17時\r\nTEL:０３－１２３４－５６７８\r\n"
        "住所:東京都港区芝公園4-2-8\r\nmedia:ch=21&d=1208&t=1900\r\n");
    ASSERT_EQ(TextMember(), expected);

    Click(bid::kCreateCode);
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(host.codeView.isVisible());
    EXPECT_FALSE(screen.isVisible());
    EXPECT_EQ(host.state.currentScreen, ScreenId::FreeText);
    EXPECT_EQ(host.codeView.inputSummary, expected);
    const peers::ZxingReading reading = nubora::testing::ReadHeldSymbol(host.state);
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, expected) << peers::Printable(reading.bytes);
}

TEST_F(FreeTextTest, ClearAsks115AndEmptiesTheText)
{
    TypeIntoText(QStringLiteral("abc"));
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kClearInput);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
    EXPECT_TRUE(screen.IsAllEmpty());
    EXPECT_EQ(Text()->toPlainText(), QString());
    EXPECT_EQ(screen.FocusedControlId(), fid::kText);
}

}  // namespace
}  // namespace nubora
