// The painted artwork: sizes, three distinct looks per button, icon, cursor,
// and the pictures painted at twice the pixels for a 200 % screen.
#include "nubora/resources/artwork.h"
#include "nubora/resources/resource_ids.h"

#include "decoders.h"

#include <QCryptographicHash>
#include <QFontDatabase>
#include <QSet>

#include <string>
#include <vector>

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

// SHA-256 of the pixels, row by row, in hexadecimal.
std::string PixelHash(const QImage& image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (int y = 0; y < pixels.height(); ++y)
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(pixels.constScanLine(y)), pixels.width() * 4));
    return hash.result().toHex().toStdString();
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

TEST(Artwork, MenuBackgroundAt200PercentIsPaintedWithTwiceThePixels)
{
    const QImage once = LoadBitmap(bmp::kMenuBackground);
    const QImage twice = LoadBitmap(bmp::kMenuBackground, 2);
    EXPECT_EQ(twice.size(), QSize(1000, 700));
    EXPECT_EQ(twice.devicePixelRatio(), 2);
    // The title band holds the name and the edges of the band: painted at
    // 2x it has detail that the 100 % picture with each pixel doubled lacks.
    const QImage doubled = once.scaled(1000, 700, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < 112; ++y)
        for (int x = 0; x < 1000; ++x)
            differing += twice.pixel(x, y) != doubled.pixel(x, y);
    EXPECT_GT(differing, 1000) << differing;
    // The 100 % picture changes only on purpose.
    EXPECT_EQ(once.devicePixelRatio(), 1);
    EXPECT_EQ(PixelHash(once), "112cddb371058ae79e2848b3b349410416005b8b5abc7b02db00359bb23f7c2f");
}

// The menu's two symbols are real codes of the program's name: zxing-cpp and
// zbar read ヌボラ (Shift-JIS) from the painted menu, at 100 % and 200 %.
TEST(Artwork, MenuSymbolsReadAsTheProgramsName)
{
    const std::string name = "\x83\x6b\x83\x7b\x83\x89";
    for (const int ratio : {1, 2}) {
        const QImage menu = LoadBitmap(bmp::kMenuBackground, ratio).convertToFormat(QImage::Format_Grayscale8);
        // The title band's symbol with the band around it, then the sample.
        for (const QRect area : {QRect(0, 0, 64, 59), QRect(412, 76, 86, 86)}) {
            const QImage part = menu.copy(QRect(area.topLeft() * ratio, area.size() * ratio));
            peers::GreyImage grey{part.width(), part.height(), {}};
            for (int y = 0; y < part.height(); ++y)
                grey.pixels.insert(grey.pixels.end(), part.constScanLine(y), part.constScanLine(y) + part.width());
            EXPECT_EQ(peers::ReadWithZxing(grey).bytes, name) << ratio << " " << area.x();
            EXPECT_EQ(peers::ReadWithZbar(grey), std::vector<std::string>{name}) << ratio << " " << area.x();
        }
    }
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
