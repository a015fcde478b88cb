// The painted pictures of the code view: background 199 with the labels of
// the information lines level with them, and the twelve faces of its save,
// back, copy and print buttons.
#include "nubora/framework/dialog_units.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/code_view_layout.h"
#include "nubora/resources/resource_ids.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

namespace nubora::res {
namespace {

namespace lay = layout::codeView;

// Dark pixels (label ink) in `area` of `image`.
int InkIn(const QImage& image, const QRect& area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
    return ink;
}

TEST(CodeViewArtwork, ButtonsHaveThreeDistinctPicturesOfTheirSize)
{
    const struct {
        ButtonPictures ids;
        QSize size;
    } buttons[] = {
        {{bmp::kSaveBmpNormal, bmp::kSaveBmpPressed, bmp::kSaveBmpFocused}, {126, 61}},
        {{bmp::kBackNormal, bmp::kBackPressed, bmp::kBackFocused}, {126, 61}},
        {{bmp::kCopyNormal, bmp::kCopyPressed, bmp::kCopyFocused}, {75, 47}},
        {{bmp::kPrintNormal, bmp::kPrintPressed, bmp::kPrintFocused}, {75, 47}},
    };
    for (const auto& b : buttons) {
        const QImage normal = LoadBitmap(b.ids.normal);
        const QImage pressed = LoadBitmap(b.ids.pressed);
        const QImage focused = LoadBitmap(b.ids.focused);
        EXPECT_EQ(normal.size(), b.size) << b.ids.normal;
        EXPECT_EQ(pressed.size(), b.size) << b.ids.pressed;
        EXPECT_EQ(focused.size(), b.size) << b.ids.focused;
        EXPECT_NE(normal, pressed) << b.ids.normal;
        EXPECT_NE(normal, focused) << b.ids.normal;
        EXPECT_NE(pressed, focused) << b.ids.normal;
    }
}

TEST(CodeViewArtwork, BackgroundCarriesALabelLevelWithEachInformationLine)
{
    const QImage background = LoadBitmap(bmp::kCodeViewBackground);
    ASSERT_EQ(background.size(), QSize(600, 600));
    const int lineHeight = QFontMetrics(fw::DialogFont()).lineSpacing();
    const QRect info = lay::kInformation;
    for (int line = 0; line < 5; ++line) {
        const QRect labelRow(236, info.top() + line * lineHeight + 2, info.left() - 240, lineHeight - 4);
        EXPECT_GT(InkIn(background, labelRow), 10) << line;
    }
    // Nothing is painted where the boxes stand but their white panel.
    EXPECT_EQ(InkIn(background, info), 0);
    // The picture area is white where the symbol goes.
    const QRect symbolArea(lay::kPicture.topLeft() + lay::kSymbolOffset, QSize(170, 170));
    EXPECT_EQ(background.pixel(symbolArea.center()), qRgb(255, 255, 255));
    EXPECT_TRUE(lay::kPicture.contains(symbolArea));
}

}  // namespace
}  // namespace nubora::res
