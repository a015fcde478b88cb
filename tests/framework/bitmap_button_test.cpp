#include "nubora/framework/bitmap_button.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace nubora::fw {
namespace {

QImage Filled(QColor colour)
{
    QImage image(40, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QRgb ShownColour(BitmapButton& button) { return button.grab().toImage().pixel(20, 10); }

class BitmapButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        button.SetPictures(Filled(Qt::red), Filled(Qt::green), Filled(Qt::blue));
        button.setGeometry(0, 0, 40, 20);
        other.setGeometry(50, 0, 40, 20);
        window.resize(100, 30);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget window;
    BitmapButton button{QStringLiteral("ボタン"), &window};
    BitmapButton other{QStringLiteral("ほか"), &window};
};

TEST_F(BitmapButtonTest, ShowsTheNormalPictureWithoutFocus)
{
    other.setFocus();
    EXPECT_EQ(button.CurrentLook(), BitmapButton::Look::Normal);
    EXPECT_EQ(ShownColour(button), QColor(Qt::red).rgb());
}

TEST_F(BitmapButtonTest, ShowsTheFocusedPictureWithFocus)
{
    button.setFocus();
    EXPECT_EQ(button.CurrentLook(), BitmapButton::Look::Focused);
    EXPECT_EQ(ShownColour(button), QColor(Qt::blue).rgb());
}

TEST_F(BitmapButtonTest, ShowsThePressedPictureWhileHeldDown)
{
    button.setFocus();
    button.setDown(true);
    EXPECT_EQ(button.CurrentLook(), BitmapButton::Look::Pressed);
    EXPECT_EQ(ShownColour(button), QColor(Qt::green).rgb());
}

TEST_F(BitmapButtonTest, TakesTheFocusByTabAndClick)
{
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(button.sizeHint(), QSize(40, 20));
}

TEST(BitmapButton, DrawsAPlainFaceWithoutPictures)
{
    BitmapButton button(QStringLiteral("メインへ"));
    button.resize(126, 61);
    const QImage face = button.grab().toImage();
    EXPECT_NE(face.pixel(63, 5), face.pixel(0, 0));
}

}  // namespace
}  // namespace nubora::fw
