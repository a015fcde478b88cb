// The painted pictures of the e-mail and free-text screens: the backgrounds
// 201 and 200 and the nine faces of the link buttons.
#include "nubora/framework/dialog_units.h"
#include "nubora/resources/artwork.h"
#include "nubora/resources/input_screen_layout.h"
#include "nubora/resources/resource_ids.h"

#include <QFontMetrics>
#include <QSet>

#include <gtest/gtest.h>

namespace nubora::res {
namespace {

int Colours(const QImage& image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

// Dark pixels (label ink) in `area` of `image`.
int InkIn(const QImage& image, const QRect& area)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
    return ink;
}

class LinkButtonArtwork : public ::testing::TestWithParam<ButtonPictures> {};

TEST_P(LinkButtonArtwork, HasThreeDistinctOpaqueishPicturesOf82By23)
{
    const ButtonPictures ids = GetParam();
    const QImage normal = LoadBitmap(ids.normal);
    const QImage pressed = LoadBitmap(ids.pressed);
    const QImage focused = LoadBitmap(ids.focused);
    for (const QImage* image : {&normal, &pressed, &focused}) {
        EXPECT_EQ(image->size(), QSize(82, 23));
        EXPECT_GT(Colours(*image), 20);
    }
    EXPECT_NE(normal, pressed);
    EXPECT_NE(normal, focused);
    EXPECT_NE(pressed, focused);
}

INSTANTIATE_TEST_SUITE_P(TelNaviOneSeg, LinkButtonArtwork,
                         ::testing::Values(ButtonPictures{162, 161, 160}, ButtonPictures{185, 184, 186},
                                           ButtonPictures{219, 221, 220}));

TEST(LinkButtonArtwork, TheThreeButtonsLookDifferent)
{
    EXPECT_NE(LoadBitmap(bmp::kTelLinkNormal), LoadBitmap(bmp::kNaviLinkNormal));
    EXPECT_NE(LoadBitmap(bmp::kNaviLinkNormal), LoadBitmap(bmp::kOneSegLinkNormal));
}

TEST(TextScreenBackgrounds, Are600By600OpaqueAndDistinct)
{
    const QImage mail = LoadBitmap(bmp::kMailBackground);
    const QImage freeText = LoadBitmap(bmp::kFreeTextBackground);
    for (const QImage* image : {&mail, &freeText}) {
        EXPECT_EQ(image->size(), QSize(600, 600));
        EXPECT_GT(Colours(*image), 50);
        EXPECT_EQ(qAlpha(image->pixel(0, 0)), 255);
        EXPECT_EQ(qAlpha(image->pixel(599, 599)), 255);
    }
    EXPECT_NE(mail, freeText);
    EXPECT_NE(mail, LoadBitmap(bmp::kAddressBookBackground));
}

TEST(TextScreenBackgrounds, TheLabelsStandLevelWithTheirFields)
{
    const fw::DialogUnits units(fw::DialogFont());
    // The band left of each field, at the field's height: ink there; in the
    // gap between recipient and subject: none.
    const auto labelBand = [&units](QRect field) {
        const QRect pixels = units.ToPixels(field);
        return QRect(8, pixels.top(), pixels.left() - 12, pixels.height());
    };
    const QImage mail = LoadBitmap(bmp::kMailBackground);
    EXPECT_GT(InkIn(mail, labelBand({65, 56, 217, 17})), 10);
    EXPECT_GT(InkIn(mail, labelBand({65, 78, 217, 17})), 10);
    EXPECT_GT(InkIn(mail, labelBand({65, 100, 217, 17})), 10);
    const QImage freeText = LoadBitmap(bmp::kFreeTextBackground);
    EXPECT_GT(InkIn(freeText, labelBand({65, 56, 217, 17})), 10);
    // Where the fields themselves stand the backgrounds carry no text.
    EXPECT_EQ(InkIn(mail, units.ToPixels(QRect(65, 56, 217, 17)).adjusted(2, 2, -2, -2)), 0);
    EXPECT_EQ(InkIn(freeText, units.ToPixels(QRect(65, 56, 217, 128)).adjusted(2, 2, -2, -2)), 0);
}

TEST(TextScreenBackgrounds, TheSettingsPanelHoldsTheSixSummaryLinesAndTheGaugeAboveTheButtons)
{
    namespace corner = layout::inputScreen;
    const fw::DialogUnits units(fw::DialogFont());
    const QRect panel = corner::SettingsPanel(units);
    const QRect summary = units.ToPixels(corner::kSummaryTemplate);
    const int lineHeight = corner::SummaryLineHeight(units);
    const QRect sixthLine(summary.left(), summary.top() + 5 * lineHeight, summary.width(),
                          QFontMetrics(fw::DialogFont()).height());
    EXPECT_TRUE(corner::SummaryVisibleRect(units).contains(sixthLine));
    EXPECT_TRUE(panel.adjusted(1, 1, -1, -1).contains(sixthLine));
    EXPECT_TRUE(panel.contains(units.ToPixels(corner::kGaugeTemplate)));
    EXPECT_LT(panel.bottom(), corner::kButtonRowTop);
    for (const int id : {bmp::kAddressBookBackground, bmp::kMailBackground, bmp::kFreeTextBackground}) {
        const QImage image = LoadBitmap(id);
        // The border is painted on the panel's last row, under the summary.
        EXPECT_NE(image.pixel(summary.left() + 10, panel.bottom()), qRgb(255, 255, 255)) << id;
        EXPECT_EQ(image.pixel(summary.left() + 10, panel.bottom() - 1), qRgb(255, 255, 255)) << id;
        EXPECT_GT(InkIn(image, QRect(8, sixthLine.top() + 2, summary.left() - 12, lineHeight - 4)), 10) << id;
    }
}

}  // namespace
}  // namespace nubora::res
