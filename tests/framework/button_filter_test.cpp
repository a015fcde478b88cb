// The dialog base's filter for screens of picture buttons: the button under
// the pointer takes the focus (hidden ones too), Enter runs the focused
// button, Esc is swallowed.
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/dialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace nubora::fw {
namespace {

constexpr int kFirst = 10;
constexpr int kHidden = 11;
constexpr int kUnder = 12;  // lies under kFirst, tested after it
constexpr int kField = 13;
constexpr int kHoverOrder[] = {kFirst, kHidden, kUnder};

class ButtonScreen final : public Dialog {
public:
    ButtonScreen() : Dialog(132) {}
    std::vector<int> ran;
    int lastHover = -1;

protected:
    void OnInitDialog() override
    {
        SetClientSize(300, 100);
        AddControlAtPixels(kField, new QLineEdit, QRect(0, 60, 100, 20));
        AddControlAtPixels(kFirst, new BitmapButton(QStringLiteral("1")), QRect(0, 0, 50, 20));
        AddControlAtPixels(kHidden, new BitmapButton(QStringLiteral("2")), QRect(60, 0, 50, 20));
        AddControlAtPixels(kUnder, new BitmapButton(QStringLiteral("3")), QRect(0, 0, 50, 20));
        ShowControl(kHidden, false);
    }
    bool PreTranslateMessage(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseMove) {
            lastHover = FocusButtonAt(static_cast<QMouseEvent*>(event)->globalPosition().toPoint(), kHoverOrder);
            return lastHover != 0;
        }
        return FilterEnterAndEsc(event, [this](int id) { ran.push_back(id); });
    }
};

class ButtonFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.Create(true);
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen, 2000));
    }
    // A pointer move at `local` client pixels; true when it was consumed.
    bool Hover(QPoint local)
    {
        const QPointF global = screen.mapToGlobal(QPointF(local));
        QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        return QApplication::sendEvent(&screen, &move);
    }
    ButtonScreen screen;
};

TEST_F(ButtonFilterTest, TheFirstButtonInTheOrderUnderThePointerTakesTheFocus)
{
    EXPECT_TRUE(Hover(QPoint(10, 10)));
    EXPECT_EQ(screen.lastHover, kFirst);
    EXPECT_TRUE(screen.Control(kFirst)->hasFocus());
    EXPECT_EQ(screen.FocusedControlId(), kFirst);
}

TEST_F(ButtonFilterTest, AHiddenButtonTakesTheFocusFromTheOthers)
{
    Hover(QPoint(10, 10));
    Hover(QPoint(70, 10));
    EXPECT_EQ(screen.lastHover, kHidden);
    EXPECT_FALSE(screen.Control(kFirst)->hasFocus());
    EXPECT_EQ(screen.FocusedControlId(), kHidden);
    QTest::keyClick(&screen, Qt::Key_Return);
    EXPECT_EQ(screen.ran, std::vector<int>{kHidden});
    // Any control that takes the focus ends the hidden button's hold.
    screen.Control(kField)->setFocus();
    EXPECT_EQ(screen.FocusedControlId(), kField);
}

TEST_F(ButtonFilterTest, APointerOverNoButtonIsLeftAlone)
{
    Hover(QPoint(10, 10));
    Hover(QPoint(200, 50));
    EXPECT_EQ(screen.lastHover, 0);
    EXPECT_EQ(screen.FocusedControlId(), kFirst);
}

TEST_F(ButtonFilterTest, EnterRunsTheFocusedControlAndEscIsSwallowed)
{
    Hover(QPoint(10, 10));
    QTest::keyClick(&screen, Qt::Key_Enter);
    screen.Control(kField)->setFocus();
    QTest::keyClick(screen.Control(kField), Qt::Key_Return);
    EXPECT_EQ(screen.ran, (std::vector<int>{kFirst, kField}));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_TRUE(QApplication::sendEvent(&screen, &escape));
    EXPECT_TRUE(screen.isVisible());
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(screen.Control(kField), &letter);
    EXPECT_EQ(screen.ran.size(), 2u);
}

}  // namespace
}  // namespace nubora::fw
