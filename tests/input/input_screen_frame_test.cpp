// What the three input screens share, driven with real key and pointer
// events on the fake host: a field's own popup menu, which the screen's
// rules leave alone.
#include "input_screen_fixture.h"
#include "typing.h"

#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>

namespace nubora {
namespace {

namespace bid = ctl::input;

// A field's context menu is a window of its own: opening it is no focus
// loss, the pointer over it moves no focus to the button beneath, and Esc
// closes it rather than being swallowed.
using AddressBookFrameTest = nubora::testing::InputScreenFixture<AddressBookDialog>;

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
