// What the three input screens share, driven with real key and pointer
// events under the real menu: leaving through the hidden exit after typing,
// and a field's own popup menu, which the screen's rules leave alone.
#include "fake_screen_host.h"
#include "input_screen_fixture.h"
#include "typing.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace nubora {
namespace {

namespace bid = ctl::input;
using fw::Answer;
using fw::BoxType;

template <class Screen>
class InputScreenFrameTest : public nubora::testing::InputScreenFixture<Screen> {
protected:
    using Base = nubora::testing::InputScreenFixture<Screen>;

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
    this->ExpectOneBox(111, BoxType::Question);
    EXPECT_TRUE(this->screen.isVisible());
    EXPECT_FALSE(this->screen.IsAllEmpty());
    EXPECT_FALSE(this->menu.HasEnded());
}

TYPED_TEST(InputScreenFrameTest, ExitAfterTypingEndsOnYes)
{
    this->TypeThenExit(Answer::Yes);
    this->ExpectOneBox(111, BoxType::Question);
    EXPECT_TRUE(this->menu.HasEnded());
    EXPECT_FALSE(this->screen.isVisible());
}

// A field's context menu is a window of its own: opening it is no focus
// loss, the pointer over it moves no focus to the button beneath, and Esc
// closes it rather than being swallowed. The screen runs on a host of its own.
class AddressBookFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.Create(true);
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen, 2000));
    }
    template <class W>
    W* As(int id)
    {
        return nubora::testing::ControlOf<W>(screen, id);
    }
    fw::BitmapButton* Button(int id) { return As<fw::BitmapButton>(id); }
    const std::vector<fw::testing::RecordedBox>& Boxes() { return services.messages.Boxes(); }

    fw::testing::ScriptedServices services;
    nubora::testing::FakeScreenHost host;
    AddressBookDialog screen{host};
};

TEST_F(AddressBookFrameTest, AFieldsPopupMenuIsLeftToItself)
{
    auto* tel = As<QLineEdit>(ctl::addressBook::kTel1);
    tel->setFocus(Qt::MouseFocusReason);
    nubora::testing::TypeText(tel, QStringLiteral("abc"));  // no telephone number
    QContextMenuEvent open(QContextMenuEvent::Mouse, QPoint(5, 5), tel->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(tel, &open);
    QMenu* const menuShown = tel->findChild<QMenu*>();
    ASSERT_NE(menuShown, nullptr);
    ASSERT_TRUE(menuShown->isVisible());
    const QPointer<QMenu> popup = menuShown;  // deleted as it closes

    const QPoint overButton = Button(bid::kClearInput)->mapToGlobal(QPoint(10, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(menuShown->mapFromGlobal(overButton)), QPointF(overButton),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(menuShown, &move);
    EXPECT_FALSE(Button(bid::kClearInput)->hasFocus());

    QTest::keyClick(menuShown, Qt::Key_Escape);
    QCoreApplication::processEvents();
    const QMenu* const left = popup.data();
    EXPECT_TRUE(left == nullptr || !left->isVisible());
    EXPECT_EQ(screen.focusWidget(), tel);
    EXPECT_TRUE(Boxes().empty()) << Boxes().front().text.toStdString();
}

}  // namespace
}  // namespace nubora
