// The painted artwork: sizes, three distinct looks per button, icon, cursor.
#include "nubora/resources/artwork.h"
#include "nubora/resources/resource_ids.h"

#include <QFontDatabase>
#include <QSet>

#include <gtest/gtest.h>

namespace nubora::res {
namespace {

// Number of distinct colours: a painted picture has many, a blank one one.
int Colours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(Artwork, TheJapaneseFontIsInstalled)
{
    EXPECT_TRUE(QFontDatabase::families().contains(QStringLiteral("IPAPGothic")));
}

TEST(Artwork, MenuBackgroundIs500By350)
{
    const QImage background = LoadBitmap(bmp::kMenuBackground);
    EXPECT_EQ(background.size(), QSize(500, 350));
    EXPECT_GT(Colours(background), 50);
    // Opaque everywhere: it is copied, not blended.
    EXPECT_EQ(qAlpha(background.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(background.pixel(499, 349)), 255);
}

struct ButtonCase {
    ButtonPictures pictures;
    QSize size;
};

class ButtonArtwork : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ButtonArtwork, HasThreeDistinctPicturesOfItsSize)
{
    const ButtonCase c = GetParam();
    const QImage normal = LoadBitmap(c.pictures.normal);
    const QImage pressed = LoadBitmap(c.pictures.pressed);
    const QImage focused = LoadBitmap(c.pictures.focused);
    for (const QImage* image : {&normal, &pressed, &focused}) {
        EXPECT_EQ(image->size(), c.size);
        EXPECT_GT(Colours(*image), 20);
    }
    EXPECT_NE(normal, pressed);
    EXPECT_NE(normal, focused);
    EXPECT_NE(pressed, focused);
}

INSTANTIATE_TEST_SUITE_P(
    MenuButtons, ButtonArtwork,
    ::testing::Values(ButtonCase{{bmp::kAddressBookNormal, bmp::kAddressBookPressed, bmp::kAddressBookFocused},
                                 QSize(131, 191)},
                      ButtonCase{{bmp::kMailNormal, bmp::kMailPressed, bmp::kMailFocused}, QSize(131, 191)},
                      ButtonCase{{bmp::kFreeTextNormal, bmp::kFreeTextPressed, bmp::kFreeTextFocused}, QSize(131, 191)},
                      ButtonCase{{bmp::kExitNormal, bmp::kExitPressed, bmp::kExitFocused}, QSize(124, 42)}));

TEST(Artwork, TheThreeContentButtonsDiffer)
{
    EXPECT_NE(LoadBitmap(bmp::kAddressBookNormal), LoadBitmap(bmp::kMailNormal));
    EXPECT_NE(LoadBitmap(bmp::kMailNormal), LoadBitmap(bmp::kFreeTextNormal));
}

TEST(Artwork, PaintsTheSamePictureEveryTime)
{
    EXPECT_EQ(LoadBitmap(bmp::kMenuBackground), LoadBitmap(bmp::kMenuBackground));
}

TEST(Artwork, UnknownBitmapIsNull)
{
    EXPECT_TRUE(LoadBitmap(0).isNull());
    EXPECT_TRUE(LoadBitmap(bmp::kMenuBackground + 1000).isNull());
}

TEST(Artwork, ProgramIconComesInTheUsualSizes)
{
    const QIcon icon = LoadProgramIcon();
    EXPECT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 128}) {
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
        EXPECT_GT(Colours(ProgramIconImage(size)), 3) << size;
    }
}

TEST(Artwork, ButtonCursorIs32By32WithItsHotSpotOnThePicture)
{
    const QImage picture = ButtonCursorImage();
    EXPECT_EQ(picture.size(), QSize(32, 32));
    const QCursor cursor = LoadButtonCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_GT(qAlpha(picture.pixel(cursor.hotSpot())), 0);
}

}  // namespace
}  // namespace nubora::res
