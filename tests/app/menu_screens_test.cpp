// What the menu does for the screens it hosts, driven through the screens
// as a user drives them: its encode driver and its messages about a code,
// the payload form that goes back to the legacy one when a screen is opened
// again, and the exit question asked for an input screen or the code view.
// Every box is answered by the scripted message service.
#include "decoders.h"
#include "held_symbol.h"
#include "menu_screen_fixture.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/cp932_edit.h"
#include "nubora/logic/reader_advice.h"
#include "nubora/output/code_view_dialog.h"
#include "nubora/resources/string_ids.h"
#include "typing.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace fid = ctl::addressBook;
namespace id = ctl::codeView;
namespace bid = ctl::input;
using fw::Answer;
using fw::BoxType;

class AddressBookTest : public nubora::testing::MenuScreenFixture<AddressBookDialog> {
protected:
    static QWidget* Ctl(fw::Dialog& dialog, int id) { return As<QWidget>(dialog, id); }
    // Clicks into field `id` and types `text` there.
    void TypeInto(int id, const QString& text)
    {
        As<QWidget>(id)->setFocus(Qt::MouseFocusReason);
        nubora::testing::TypeText(As<QWidget>(id), text);
    }
    // A click without the pointer coming onto the button first.
    void Click(int buttonId) { QTest::mouseClick(Button(buttonId), Qt::LeftButton); }
    peers::ZxingReading ReadShownSymbol() { return nubora::testing::ReadShownSymbol(*menu.codeView, menu.state); }
};

TEST_F(AddressBookTest, TheStandardFormMakesAMecardWithoutTheFormAdvice)
{
    TypeInto(fid::kName, QStringLiteral("山田髙志"));
    TypeInto(fid::kMemo, QStringLiteral("a;b"));
    QTimer::singleShot(0, &menu, [this] {
        SettingsDialog& settings = *menu.settings;
        auto* form = As<QComboBox>(settings, ctl::settings::kPayloadForm);
        form->setCurrentIndex(form->findText(QStringLiteral("標準形式")));
        QTest::mouseClick(Ctl(settings, ctl::kOk), Qt::LeftButton);
    });
    Click(bid::kSettings);
    EXPECT_EQ(As<QLabel>(screen, bid::kFormSummary)->text(), QStringLiteral("形式： 標準形式（UTF-8）"));
    Click(bid::kCreateCode);
    ASSERT_TRUE(menu.codeView->isVisible());
    const peers::ZxingReading reading = ReadShownSymbol();
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, "MECARD:N:山田髙志;NOTE:a\\;b;;") << peers::Printable(reading.bytes);
    const QString notes = As<QLabel>(*menu.codeView, ctl::codeView::kCheckNotes)->text();
    EXPECT_EQ(notes, QStringLiteral("読み取り確認済み\n") + QString::fromStdString(SmallModuleAdvice(0.25).value()))
        << notes.toStdString();
    EXPECT_FALSE(notes.contains(QStringLiteral("従来形式"))) << notes.toStdString();

    // Back to the menu and in again: the form is the legacy one once more.
    menu.codeView->OnBack();
    services.messages.ScriptAnswers({Answer::Yes});
    Click(bid::kBackToMenu);
    menu.OpenAddressBook();
    EXPECT_EQ(menu.state.codeSettings.form, PayloadForm::Legacy);
    EXPECT_EQ(As<QLabel>(screen, bid::kFormSummary)->text(), QString());
}

TEST_F(AddressBookTest, AnyOtherEngineFailureGives128)
{
    EXPECT_EQ(menu.EncodeText(""), 0);  // the engine refuses an empty text
    ExpectOneBox(res::str::kEncodeFailed, BoxType::Error);
    EXPECT_TRUE(menu.state.codeBitmaps.IsNull());
}

TEST_F(AddressBookTest, ConfirmOfTooMuchGives127OwnedByTheMenu)
{
    // Every field full: 469 bytes, more than version 15 holds at M.
    for (int id : {fid::kName, fid::kReading, fid::kMail1, fid::kMail2, fid::kAddress, fid::kMemo})
        TypeInto(id, QString(80, QLatin1Char('x')));
    for (int id : {fid::kTel1, fid::kTel2})
        TypeInto(id, QString(40, QLatin1Char('1')));
    const std::string summary = screen.settingsSummary;
    Click(bid::kConfirm);
    ExpectOneBox(res::str::kDataTooLong, BoxType::Error, QStringLiteral("ヌボラ"));
    EXPECT_EQ(screen.settingsSummary, summary);
}

template <class Screen>
class InputScreenFrameTest : public nubora::testing::MenuScreenFixture<Screen> {
protected:
    using Base = nubora::testing::MenuScreenFixture<Screen>;

    // Types into the field that has the focus, points at the hidden exit and
    // presses Enter; the menu's question comes queued.
    void TypeThenExit(Answer answer)
    {
        nubora::testing::TypeText(QApplication::focusWidget(), QStringLiteral("typed"));
        Base::services.messages.ScriptAnswers({answer});
        Base::Hover(&this->screen, QPoint(303 + 10, 512 + 10));
        QTest::keyClick(&this->screen, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

using Screens = ::testing::Types<AddressBookDialog, MailDialog, FreeTextDialog>;
TYPED_TEST_SUITE(InputScreenFrameTest, Screens);

TYPED_TEST(InputScreenFrameTest, ExitAfterTypingWarnsOfTheEditAndNoKeepsIt)
{
    this->TypeThenExit(Answer::No);
    this->ExpectOneBox(res::str::kExitDiscardEdits, BoxType::Question);
    EXPECT_TRUE(this->screen.isVisible());
    EXPECT_FALSE(this->screen.IsAllEmpty());
    EXPECT_FALSE(this->menu.HasEnded());
}

TYPED_TEST(InputScreenFrameTest, ExitAfterTypingEndsOnYes)
{
    this->TypeThenExit(Answer::Yes);
    this->ExpectOneBox(res::str::kExitDiscardEdits, BoxType::Question);
    EXPECT_TRUE(this->menu.HasEnded());
    EXPECT_FALSE(this->screen.isVisible());
}

// The code view of an address-book code under the menu.
class CodeViewTest : public nubora::testing::MenuScreenFixture<AddressBookDialog> {
protected:
    // Fills the address book and makes its code in `splitCount` symbols.
    void MakeCode(int splitCount)
    {
        screen.name = "Yamada Taro";
        screen.UpdateData(fw::Exchange::ToControls);
        menu.state.codeSettings.splitCount = splitCount;
        screen.OnCreateCode();
        ASSERT_TRUE(view.isVisible());
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view, 2000));
    }
    fw::BitmapButton* Button(int buttonId) { return nubora::testing::ControlOf<fw::BitmapButton>(view, buttonId); }
    void Key(Qt::Key key) { QTest::keyClick(&view, key); }
    static void Settle() { QCoreApplication::processEvents(); }

    CodeViewDialog& view = *menu.codeView;
};

TEST_F(CodeViewTest, TheHiddenExitButtonTakesTheFocusUnderThePointerAndEnterEndsTheProgram)
{
    MakeCode(1);
    Hover(Button(id::kSaveBmp), QPoint(10, 10));
    ASSERT_TRUE(Button(id::kSaveBmp)->hasFocus());
    // The pointer over the exit button's place, between save and back.
    Hover(&view, Button(id::kExit)->geometry().center());
    EXPECT_FALSE(Button(id::kSaveBmp)->hasFocus());
    EXPECT_EQ(view.FocusedControlId(), id::kExit);
    services.messages.ScriptAnswers({Answer::No});
    Key(Qt::Key_Return);
    Settle();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes().back().text, res::LoadString(res::str::kExitDiscardUnsaved));
    EXPECT_TRUE(view.isVisible());
    // Another button under the pointer takes the focus back.
    Hover(Button(id::kBack), QPoint(10, 10));
    EXPECT_EQ(view.FocusedControlId(), id::kBack);
}

}  // namespace
}  // namespace nubora
