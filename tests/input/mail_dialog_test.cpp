// The e-mail screen driven as a user drives it, on the fake host: the
// recipient list and its check, the required recipient of create against
// settings and confirm, the body that Enter never reaches and that keeps
// pasted line breaks, and a created code read back by zxing-cpp as the mail
// text. Every box is answered by the scripted message service.
#include "held_symbol.h"
#include "input_screen_fixture.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/cp932.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>
#include <QTimer>

#include <cstdlib>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace fid = ctl::mail;
namespace bid = ctl::input;
using fw::Answer;
using fw::BoxType;
using nubora::testing::TypeText;

using nubora::testing::Sjis;

const QString kTitle = QStringLiteral("Eメール用コード入力画面");

class MailTest : public nubora::testing::InputScreenFixture<MailDialog> {
protected:
    fw::Cp932LineEdit* Line(int id) { return As<fw::Cp932LineEdit>(id); }
    fw::Cp932TextEdit* Body() { return As<fw::Cp932TextEdit>(fid::kBody); }

    void TypeInto(QWidget* field, const QString& text)
    {
        field->setFocus(Qt::MouseFocusReason);
        TypeText(field, text);
    }
    void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
    // The settings dialog, once it runs, closed with OK as it opened.
    void AnswerSettingsWithOk()
    {
        QTimer::singleShot(0, &screen, [this] {
            QTest::mouseClick(host.settings.Control(ctl::kOk), Qt::LeftButton);
            if (host.settings.isVisible())
                host.settings.reject();
        });
    }
};

// --- The screen ----------------------------------------------------------

TEST_F(MailTest, HasItsThreeFieldsAtTheTemplatePositionsWithTheirLimits)
{
    EXPECT_EQ(screen.size(), QSize(600, 600));
    EXPECT_EQ(screen.windowTitle(), kTitle);
    EXPECT_EQ(Line(fid::kTo)->geometry(), screen.Units().ToPixels(QRect(65, 56, 217, 17)));
    EXPECT_EQ(Line(fid::kSubject)->geometry(), screen.Units().ToPixels(QRect(65, 78, 217, 17)));
    EXPECT_EQ(Body()->geometry(), screen.Units().ToPixels(QRect(65, 100, 217, 110)));
    EXPECT_EQ(Line(fid::kTo)->LimitBytes(), 640);
    EXPECT_EQ(Line(fid::kSubject)->LimitBytes(), 100);
    EXPECT_EQ(Body()->LimitBytes(), 10000);
    EXPECT_EQ(Body()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(Button(bid::kExit)->isVisible());
    EXPECT_TRUE(Button(bid::kConfirm)->isVisible());
    EXPECT_EQ(screen.FocusedControlId(), fid::kTo);
}

TEST_F(MailTest, PaintsBackground201)
{
    const QImage shown = screen.grab().toImage();
    const QImage background = res::LoadBitmap(res::bmp::kMailBackground);
    ASSERT_EQ(background.size(), QSize(600, 600));
    EXPECT_NE(background, res::LoadBitmap(res::bmp::kAddressBookBackground));
    for (QPoint p : {QPoint(3, 3), QPoint(300, 20), QPoint(20, 300), QPoint(590, 590)})
        EXPECT_EQ(shown.pixel(p), background.pixel(p)) << p.x() << "," << p.y();
}

TEST_F(MailTest, TabsFromRecipientToSubjectToBody)
{
    TypeInto(Line(fid::kTo), QStringLiteral("a@example.jp"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kSubject);
    TypeText(QApplication::focusWidget(), QStringLiteral("件名です"));
    Tab();
    EXPECT_EQ(screen.FocusedControlId(), fid::kBody);
    TypeText(QApplication::focusWidget(), QStringLiteral("本文"));
    ASSERT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(screen.to, "a@example.jp");
    EXPECT_EQ(screen.subject, Sjis("件名です"));
    EXPECT_EQ(screen.body, Sjis("本文"));
    EXPECT_TRUE(Boxes().empty());
}

// --- The recipient check -------------------------------------------------

TEST_F(MailTest, ARecipientListWithCommasPassesHere)
{
    TypeInto(Line(fid::kTo), QStringLiteral("a@example.jp,b.c+d@example.com"));
    Tab();
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(screen.FocusedControlId(), fid::kSubject);
}

TEST_F(MailTest, TheSameListFailsAsAnAddressBookMail)
{
    AddressBookDialog book(host);
    host.Hold(book);
    screen.hide();
    book.Create(true);
    QApplication::setActiveWindow(&book);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&book, 2000));
    QWidget* mail1 = book.Control(ctl::addressBook::kMail1);
    ASSERT_NE(mail1, nullptr);
    TypeInto(mail1, QStringLiteral("a@example.jp,b.c+d@example.com"));
    Tab();
    ExpectOneBox(res::str::kBadMailChars, BoxType::Warning, QStringLiteral("アドレス帳用コード入力画面"));
}

TEST_F(MailTest, ABadRecipientIsReportedOnFocusLossWithTheCaretAtItsStart)
{
    TypeInto(Line(fid::kTo), QStringLiteral("a b@example.jp"));
    Tab();
    ExpectOneBox(res::str::kBadMailToChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kTo);
    EXPECT_EQ(Line(fid::kTo)->cursorPosition(), 0);
    EXPECT_FALSE(Line(fid::kTo)->hasSelectedText());
}

TEST_F(MailTest, SubjectAndBodyAreNotCheckedOnFocusLoss)
{
    TypeInto(Line(fid::kSubject), QStringLiteral("\"件名\" #1 (様)"));
    Tab();
    TypeText(QApplication::focusWidget(), QStringLiteral("`本文` <b>"));
    Tab();
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MailTest, PointerOverAButtonSkipsTheRecipientCheck)
{
    TypeInto(Line(fid::kTo), QStringLiteral("(bad)"));
    Hover(Button(bid::kClearInput), QPoint(30, 20));
    EXPECT_EQ(screen.FocusedControlId(), bid::kClearInput);
    EXPECT_TRUE(Boxes().empty());
}

// --- Required recipient: create against settings and confirm ------------

TEST_F(MailTest, CreateRefusesAnEmptyRecipientWith124)
{
    TypeInto(Line(fid::kSubject), QStringLiteral("件名"));
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kEmptyMailTo, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kTo);
    EXPECT_EQ(Line(fid::kTo)->cursorPosition(), 0);
    EXPECT_TRUE(screen.isVisible());
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
}

TEST_F(MailTest, CreateRefusesABadRecipientWith123)
{
    screen.to = "a;b@c d";
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kBadMailToChars, BoxType::Warning);
    EXPECT_EQ(screen.FocusedControlId(), fid::kTo);
    EXPECT_TRUE(host.state.codeBitmaps.IsNull());
}

TEST_F(MailTest, ConfirmWorksWithAnEmptyRecipient)
{
    TypeInto(Body(), QStringLiteral("hello"));  // "MAILTO:" CR LF "BODY:hello" CR LF: 22 bytes, version 2
    Click(bid::kConfirm);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Summary(), QStringLiteral("： M(15%)\n： 0.25mm\n： 2\n： 8.25mm\n： 6.25mm\n： 1\n"));
}

TEST_F(MailTest, ConfirmStillRefusesABadRecipient)
{
    screen.to = "x y";
    screen.UpdateData(fw::Exchange::ToControls);
    Click(bid::kConfirm);
    ExpectOneBox(res::str::kBadMailToChars, BoxType::Warning);
}

TEST_F(MailTest, SettingsWorkWithAnEmptyRecipient)
{
    AnswerSettingsWithOk();
    Click(bid::kSettings);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(host.settings.HasEnded());
    EXPECT_EQ(host.settings.EndResult(), QDialog::Accepted);
    EXPECT_FALSE(Summary().isEmpty());
    // Create, afterwards, still requires it.
    Click(bid::kCreateCode);
    ExpectOneBox(res::str::kEmptyMailTo, BoxType::Warning);
}

// --- The body ------------------------------------------------------------

TEST_F(MailTest, EnterNeverReachesTheBodyAndOnAButtonRunsIt)
{
    TypeInto(Body(), QStringLiteral("line"));
    QTest::keyClick(Body(), Qt::Key_Return);
    QTest::keyClick(Body(), Qt::Key_Enter);
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("line"));
    EXPECT_TRUE(Boxes().empty());
    Button(bid::kClearInput)->setFocus();
    services.messages.ScriptAnswers({Answer::Yes});
    QTest::keyClick(Button(bid::kClearInput), Qt::Key_Return);
    ExpectOneBox(res::str::kClearInputQuestion, BoxType::Question);
    EXPECT_TRUE(screen.IsAllEmpty());
    EXPECT_EQ(screen.FocusedControlId(), fid::kTo);
}

TEST_F(MailTest, PastedLineBreaksStayCrLf)
{
    Body()->setFocus();
    auto* data = new QMimeData;
    data->setText(QStringLiteral("一行目\n二行目\r\n三行目"));
    QApplication::clipboard()->setMimeData(data);
    Body()->paste();
    ASSERT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(screen.body, Sjis("一行目\r\n二行目\r\n三行目"));
}

TEST_F(MailTest, TheStandardFormMakesAMailtoUriOfTheSameEntry)
{
    screen.to = "taro@example.jp";
    screen.subject = Sjis("件名");
    EXPECT_EQ(screen.BuildPayload(), Sjis("MAILTO:taro@example.jp\r\nSUBJECT:件名\r\n"));
    host.state.codeSettings.form = PayloadForm::Standard;
    EXPECT_EQ(screen.BuildPayload(), "mailto:taro@example.jp?subject=%E4%BB%B6%E5%90%8D");
}

TEST_F(MailTest, TheBodyRefusesTypingPastTenThousandBytes)
{
    screen.body = std::string(9999, 'b');
    screen.UpdateData(fw::Exchange::ToControls);
    Body()->setFocus();
    Body()->moveCursor(QTextCursor::End);
    TypeText(Body(), QStringLiteral("あc"));  // 2 bytes: too many
    TypeText(Body(), QStringLiteral("d"));
    ASSERT_TRUE(screen.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(screen.body.size(), 10000u);
    EXPECT_EQ(screen.body.back(), 'c');
}

// --- Creating the code ---------------------------------------------------

TEST_F(MailTest, CreateEncodesTheMailTextAndWritesTheThreeLineSummary)
{
    TypeInto(Line(fid::kTo), QStringLiteral("taro@example.jp,hanako@example.jp"));
    TypeInto(Line(fid::kSubject), QStringLiteral("会議の件"));
    Body()->setPlainText(QStringLiteral("明日10時から\n会議室Aです。"));
    Hover(Button(bid::kCreateCode), QPoint(60, 30));
    QTest::keyClick(Button(bid::kCreateCode), Qt::Key_Return);

    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(host.codeView.isVisible());
    EXPECT_EQ(host.state.currentScreen, ScreenId::Mail);
    const std::string payload = Sjis(
        "MAILTO:taro@example.jp,hanako@example.jp\r\nSUBJECT:会議の件\r\n"
        "BODY:明日10時から\r\n会議室Aです。\r\n");
    EXPECT_EQ(screen.BuildPayload(), payload);
    const peers::ZxingReading reading = nubora::testing::ReadHeldSymbol(host.state);
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, payload) << peers::Printable(reading.bytes);
    EXPECT_EQ(host.codeView.inputSummary, Sjis("【宛先】 taro@example.jp,hanako@example.jp\r\n【件名】 会議の件\r\n"
                                               "【本文】 明日10時から\r\n会議室Aです。\r\n"));
}

TEST_F(MailTest, ARecipientAloneIsOneLine)
{
    TypeInto(Line(fid::kTo), QStringLiteral("a@b.jp"));
    Click(bid::kCreateCode);
    ASSERT_TRUE(host.codeView.isVisible());
    const peers::ZxingReading reading = nubora::testing::ReadHeldSymbol(host.state);
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, "MAILTO:a@b.jp\r\n");
    EXPECT_EQ(host.codeView.inputSummary, Sjis("【宛先】 a@b.jp\r\n【件名】 \r\n【本文】 \r\n"));
}

// --- Gauge, back ---------------------------------------------------------

TEST_F(MailTest, TheGaugeCountsTheMailTextAndIsZeroWhenAllIsEmpty)
{
    host.state.codeSettings.autoAdjust = 0;
    host.state.codeSettings.availableLength = 100;
    screen.ShowManualPresentation();
    auto* gauge = As<QProgressBar>(screen, bid::kGauge);
    TypeInto(Line(fid::kSubject), QStringLiteral("s"));  // "MAILTO:" CR LF "SUBJECT:s" CR LF: 20 bytes
    EXPECT_EQ(gauge->value(), 20);
    Line(fid::kSubject)->clear();
    EXPECT_EQ(gauge->value(), 0);
}

TEST_F(MailTest, BackToTheMenuAsks114AndEmptiesTheThreeFields)
{
    TypeInto(Body(), QStringLiteral("x"));
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kBackToMenu);
    ExpectOneBox(res::str::kBackToMenuDiscardEdits, BoxType::Question);
    EXPECT_TRUE(screen.IsAllEmpty());
    EXPECT_EQ(Body()->toPlainText(), QString());
    EXPECT_TRUE(host.menuShown);
}

}  // namespace
}  // namespace nubora
