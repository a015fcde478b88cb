// Edits with CP932 byte limits and the exchange between controls and members.
#include "nubora/framework/cp932_edit.h"
#include "nubora/framework/data_exchange.h"
#include "nubora/framework/dialog.h"
#include "nubora/framework/testing/scripted_services.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

#include "typing.h"

namespace nubora::fw {
namespace {

constexpr int kNameId = 1003;
constexpr int kBodyId = 1000;
constexpr int kOtherId = 1004;

class FormDialog final : public Dialog {
public:
    FormDialog() : Dialog(129)
    {
        AddControl(kNameId, new Cp932LineEdit(6), QRect(65, 56, 162, 17));
        AddControl(kBodyId, new Cp932TextEdit(10), QRect(65, 100, 217, 110));
        AddControl(kOtherId, new Cp932LineEdit(36), QRect(65, 78, 162, 17));
    }
    std::string name;
    std::string body;
    std::string other;

protected:
    void DoDataExchange(DataExchange& exchange) override
    {
        exchange.Text(kNameId, name, 6);
        exchange.Text(kBodyId, body, 10);
        exchange.Text(kOtherId, other, 36);
    }
};

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog.Create(true);
        QApplication::setActiveWindow(&dialog);
    }
    testing::ScriptedServices services;
    FormDialog dialog;
    QLineEdit* Name() { return dialog.ControlAs<QLineEdit>(kNameId); }
    QPlainTextEdit* Body() { return dialog.ControlAs<QPlainTextEdit>(kBodyId); }
};

TEST_F(DataExchangeTest, LineEditRefusesTypingPastItsByteLimit)
{
    Name()->setFocus();
    nubora::testing::TypeText(Name(), QStringLiteral("abcdefgh"));
    EXPECT_EQ(Name()->text(), QStringLiteral("abcdef"));
}

TEST_F(DataExchangeTest, LineEditCountsADoubleByteCharacterAsTwo)
{
    Name()->setFocus();
    nubora::testing::TypeText(Name(), QStringLiteral("あいa"));
    EXPECT_EQ(Name()->text(), QStringLiteral("あいa"));       // 5 bytes
    nubora::testing::TypeText(Name(), QStringLiteral("う"));  // would be 7
    EXPECT_EQ(Name()->text(), QStringLiteral("あいa"));
    nubora::testing::TypeText(Name(), QStringLiteral("ｱ"));  // half-width: 1 byte, 6 in all
    EXPECT_EQ(Name()->text(), QStringLiteral("あいaｱ"));
}

TEST_F(DataExchangeTest, LineEditRefusesCharactersWithoutCp932Code)
{
    Name()->setFocus();
    nubora::testing::TypeText(Name(), QStringLiteral("a한b"));
    EXPECT_EQ(Name()->text(), QStringLiteral("ab"));
}

TEST_F(DataExchangeTest, LineEditRefusesAPasteThatWouldNotFit)
{
    Name()->setFocus();
    nubora::testing::TypeText(Name(), QStringLiteral("ab"));
    QApplication::clipboard()->setText(QStringLiteral("あいう"));
    Name()->paste();
    EXPECT_EQ(Name()->text(), QStringLiteral("ab"));
    QApplication::clipboard()->setText(QStringLiteral("あい"));
    Name()->paste();
    EXPECT_EQ(Name()->text(), QStringLiteral("abあい"));
}

TEST_F(DataExchangeTest, LineEditStillRefusesAfterTheProgramSetATextItWouldRefuse)
{
    Name()->setText(QStringLiteral("😀あいう"));  // no code, and 8 bytes of 6
    Name()->setFocus();
    nubora::testing::TypeText(Name(), QStringLiteral("éa"));
    EXPECT_EQ(Name()->text(), QStringLiteral("😀あいう"));
    QTest::keyClick(Name(), Qt::Key_Backspace);
    EXPECT_EQ(Name()->text(), QStringLiteral("😀あい"));
    Name()->setSelection(0, 2);
    nubora::testing::TypeText(Name(), QStringLiteral("😺"));  // one without a code for another
    EXPECT_EQ(Name()->text(), QStringLiteral("😀あい"));
}

TEST_F(DataExchangeTest, TextEditCountsALineBreakAsCrLf)
{
    Body()->setFocus();
    nubora::testing::TypeText(Body(), QStringLiteral("abcd"));
    QTest::keyClick(Body(), Qt::Key_Return);
    nubora::testing::TypeText(Body(), QStringLiteral("あい"));  // 4 + 2 + 4 = 10
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("abcd\nあい"));
    nubora::testing::TypeText(Body(), QStringLiteral("x"));
    QTest::keyClick(Body(), Qt::Key_Return);
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("abcd\nあい"));
}

TEST_F(DataExchangeTest, TextEditRefusesAnInsertionThatWouldNotFitOrHasNoCode)
{
    auto* body = static_cast<Cp932TextEdit*>(Body());
    body->setPlainText(QStringLiteral("12345678"));
    body->moveCursor(QTextCursor::End);
    QMimeData tooLong;
    tooLong.setText(QStringLiteral("あ"));
    QMimeData fits;
    fits.setText(QStringLiteral("9"));
    QMimeData noCode;
    noCode.setText(QStringLiteral("한"));
    EXPECT_TRUE(body->CanInsert(QStringLiteral("90")));
    EXPECT_TRUE(body->CanInsert(QStringLiteral("あ")));
    EXPECT_FALSE(body->CanInsert(QStringLiteral("901")));
    EXPECT_FALSE(body->CanInsert(QStringLiteral("\n1")));
    EXPECT_FALSE(body->CanInsert(QStringLiteral("한")));
    // Replacing a selection frees its bytes.
    body->selectAll();
    EXPECT_TRUE(body->CanInsert(QStringLiteral("あいうえお")));
}

TEST_F(DataExchangeTest, TextEditRefusesAnInputMethodCommitThatWouldNotFit)
{
    Body()->setFocus();
    Body()->setPlainText(QStringLiteral("1234567"));
    Body()->moveCursor(QTextCursor::End);
    QInputMethodEvent tooLong(QString(), {});
    tooLong.setCommitString(QStringLiteral("漢字"));  // 4 bytes, 3 free
    QApplication::sendEvent(Body(), &tooLong);
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("1234567"));
    QInputMethodEvent fits(QString(), {});
    fits.setCommitString(QStringLiteral("字"));
    QApplication::sendEvent(Body(), &fits);
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("1234567字"));
}

TEST_F(DataExchangeTest, MovesCp932MembersToControlsAndBack)
{
    dialog.name = std::string("\x83\x6B\x83\x7B\x83\x89");  // ヌボラ
    dialog.body = "ab\r\ncd";
    ASSERT_TRUE(dialog.UpdateData(fw::Exchange::ToControls));
    EXPECT_EQ(Name()->text(), QStringLiteral("ヌボラ"));
    EXPECT_EQ(Body()->toPlainText(), QStringLiteral("ab\ncd"));

    Name()->setText(QStringLiteral("ｱｲｳ"));
    Body()->setPlainText(QStringLiteral("x\ny"));
    ASSERT_TRUE(dialog.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(dialog.name, std::string("\xB1\xB2\xB3"));
    EXPECT_EQ(dialog.body, "x\r\ny");
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST_F(DataExchangeTest, ReportsATextPastItsLimitAndFocusesTheControl)
{
    // A text set by the program (as from a data file) may be too long.
    dialog.other = "kept";
    dialog.name = "old";
    Name()->setText(QStringLiteral("あいうえ"));  // 8 bytes, limit 6
    dialog.ControlAs<QLineEdit>(kOtherId)->setFocus();
    EXPECT_FALSE(dialog.UpdateData(fw::Exchange::FromControls));
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    const auto& box = services.messages.Boxes().front();
    EXPECT_EQ(box.text, QStringLiteral("6 文字以内で入力してください。"));
    EXPECT_EQ(box.type, BoxType::Warning);
    EXPECT_EQ(box.caption, QStringLiteral("ヌボラ"));
    EXPECT_EQ(dialog.name, "old");
    EXPECT_EQ(dialog.FocusedControlId(), kNameId);
}

TEST_F(DataExchangeTest, ExactlyTheLimitPasses)
{
    Name()->setText(QStringLiteral("あいう"));
    EXPECT_TRUE(dialog.UpdateData(fw::Exchange::FromControls));
    EXPECT_EQ(dialog.name.size(), 6u);
}

}  // namespace
}  // namespace nubora::fw
