// The window-free rules of the shell: exit question, sizes, summaries, the
// encode failure messages, and the symbol bitmaps held.
#include "nubora/logic/code_settings.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_bitmaps.h"
#include "nubora/resources/string_ids.h"

#include <utility>

#include <gtest/gtest.h>

namespace nubora {
namespace {

TEST(ExitQuestion, FromTheCodeViewDependsOnlyOnBmpSaved)
{
    EXPECT_EQ(ExitQuestionId(1, 1, true), res::str::kExitQuestion);
    EXPECT_EQ(ExitQuestionId(1, 1, false), res::str::kExitQuestion);
    EXPECT_EQ(ExitQuestionId(1, 0, true), res::str::kExitDiscardUnsaved);
    EXPECT_EQ(ExitQuestionId(1, 0, false), res::str::kExitDiscardUnsaved);
}

TEST(ExitQuestion, ElsewhereDependsOnlyOnTheEntries)
{
    EXPECT_EQ(ExitQuestionId(0, 0, true), res::str::kExitQuestion);
    EXPECT_EQ(ExitQuestionId(0, 1, true), res::str::kExitQuestion);
    EXPECT_EQ(ExitQuestionId(0, 0, false), res::str::kExitDiscardEdits);
    EXPECT_EQ(ExitQuestionId(0, 1, false), res::str::kExitDiscardEdits);
}

TEST(SymbolSizes, FollowTheWorkedExamples)
{
    const SymbolSizes v1 = SizesFor(0, 1);
    EXPECT_EQ(FormatMm2(v1.codeMm), "5.25");
    EXPECT_EQ(FormatMm2(v1.printMm), "7.25");
    const SymbolSizes v15 = SizesFor(7, 15);
    EXPECT_EQ(FormatMm2(v15.codeMm), "46.20");
    EXPECT_EQ(FormatMm2(v15.printMm), "51.00");
}

TEST(SymbolSizes, AnUnknownCellSizeGivesZero) { EXPECT_EQ(FormatMm2(SizesFor(-1, 5).printMm), "0.00"); }

TEST(SettingsSummary, ShowsTheAutomaticDefaults)
{
    const CodeSettings settings;
    EXPECT_EQ(SettingsSummaryText(settings),
              "\x81\x46 M(15%)\r\n\x81\x46 0.25mm\r\n\x81\x46 1\r\n\x81\x46 7.25mm\r\n\x81\x46 5.25mm\r\n"
              "\x81\x46 1\r\n");
}

TEST(SettingsSummary, FollowsTheShownValues)
{
    CodeSettings settings;
    settings.shownLevel = 4;
    settings.cellSizeIndex = 7;
    settings.shownVersion = 15;
    settings.splitCount = 16;
    EXPECT_EQ(SettingsSummaryText(settings),
              "\x81\x46 H(30%)\r\n\x81\x46 0.6mm\r\n\x81\x46 15\r\n\x81\x46 51.00mm\r\n\x81\x46 46.20mm\r\n"
              "\x81\x46 16\r\n");
}

TEST(CodeSettings, ResetKeepsTheLastCodesSizes)
{
    CodeSettings settings{4, 5, 9, 3, 4, 9, false, 30.5, 777};
    ResetToAutomatic(settings);
    const CodeSettings initial;
    EXPECT_EQ(settings.level, initial.level);
    EXPECT_EQ(settings.cellSizeIndex, initial.cellSizeIndex);
    EXPECT_EQ(settings.version, initial.version);
    EXPECT_EQ(settings.splitCount, initial.splitCount);
    EXPECT_EQ(settings.shownLevel, initial.shownLevel);
    EXPECT_EQ(settings.shownVersion, initial.shownVersion);
    EXPECT_EQ(settings.autoAdjust, 1);
    EXPECT_EQ(settings.printSizeMm, 30.5);
    EXPECT_EQ(settings.availableLength, 777);
}

TEST(LevelAndCellSizeTexts, NameEveryValueAndNothingElse)
{
    EXPECT_EQ(LevelText(1), "L(7%)");
    EXPECT_EQ(LevelText(2), "M(15%)");
    EXPECT_EQ(LevelText(3), "Q(25%)");
    EXPECT_EQ(LevelText(4), "H(30%)");
    EXPECT_EQ(LevelText(0), "");
    EXPECT_EQ(LevelText(5), "");
    const char* cells[] = {"0.25", "0.3", "0.35", "0.4", "0.45", "0.5", "0.55", "0.6"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(CellSizeText(i), cells[i]);
        EXPECT_EQ(CellSizeIndexFromText(cells[i]), i);
    }
    EXPECT_EQ(CellSizeText(-1), "");
    EXPECT_EQ(CellSizeText(8), "");
    EXPECT_EQ(CellSizeIndexFromText("0.30"), std::nullopt);
    EXPECT_DOUBLE_EQ(CellSizeMm(0), 0.25);
    EXPECT_DOUBLE_EQ(CellSizeMm(7), 0.6);
    EXPECT_EQ(CellSizeMm(8), 0.0);
}

TEST(EncodeFailure, ChoosesTheMessageByTheEngineResult)
{
    EXPECT_EQ(EncodeFailureMessageId(-306), res::str::kSplitImpossible);
    EXPECT_EQ(EncodeFailureMessageId(-301), res::str::kDataTooLong);
    for (int other : {-302, -303, -304, -1, 1})
        EXPECT_EQ(EncodeFailureMessageId(other), res::str::kEncodeFailed) << other;
}

TEST(CodeInformation, FiveLinesWithTheUsedLevelAndVersion)
{
    EXPECT_EQ(CodeInformationText(2, 0, 1),
              "\x81\x46 M(15%)\r\n\x81\x46 0.25mm\r\n\x81\x46 1\r\n\x81\x46 7.25mm\r\n\x81\x46 5.25mm\r\n");
    EXPECT_EQ(CodeInformationText(4, 7, 15),
              "\x81\x46 H(30%)\r\n\x81\x46 0.6mm\r\n\x81\x46 15\r\n\x81\x46 51.00mm\r\n\x81\x46 46.20mm\r\n");
    EXPECT_EQ(CodeInformationText(3, 2, 5),
              "\x81\x46 Q(25%)\r\n\x81\x46 0.35mm\r\n\x81\x46 5\r\n\x81\x46 15.75mm\r\n\x81\x46 12.95mm\r\n");
}

TEST(SettingsSummary, ShowsTheManualChoices)
{
    CodeSettings settings;
    settings.shownLevel = 3;
    settings.cellSizeIndex = 2;
    settings.shownVersion = 5;
    settings.splitCount = 3;
    EXPECT_EQ(SettingsSummaryText(settings),
              "\x81\x46 Q(25%)\r\n\x81\x46 0.35mm\r\n\x81\x46 5\r\n\x81\x46 15.75mm\r\n\x81\x46 12.95mm\r\n"
              "\x81\x46 3\r\n");
}

TEST(ParseInteger, ReadsTheLeadingIntegerOrNamesWhyThereIsNone)
{
    for (const auto& [text, value] : {std::pair{"16", 16}, {"-3", -3}, {"7x", 7}}) {
        const Result<int, NumberFailure> parsed = ParseInteger(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
    for (const auto& [text, why] : {std::pair{"", NumberFailure::NotANumber},
                                    {"x7", NumberFailure::NotANumber},
                                    {"99999999999", NumberFailure::OutOfRange}}) {
        const Result<int, NumberFailure> parsed = ParseInteger(text);
        ASSERT_FALSE(parsed) << text;
        EXPECT_EQ(parsed.Error(), why) << text;
    }
}

TEST(SymbolBitmaps, ReleaseEveryBitmapAndTheArray)
{
    SymbolBitmaps held;
    QrEncodeParams params{0, 0};
    QrBitmap** raw = nullptr;
    ASSERT_EQ(TavoQREnc_QrEncode("0123456789012345678901234567890123456789", 40, 2, &raw, &params), 0);
    held.Adopt(raw, 2);
    EXPECT_EQ(held.Count(), 2);
    ASSERT_NE(held.At(1), nullptr);
    EXPECT_EQ(held.At(2), nullptr);
    held.Release();
    EXPECT_TRUE(held.IsNull());
    held.Release();  // twice is harmless
}

}  // namespace
}  // namespace nubora
