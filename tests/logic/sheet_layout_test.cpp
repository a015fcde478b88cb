// Sheet layouts: the built-in sheets on their paper, every refusal with its
// message, label slots across sheets, the code and caption inside a label,
// modules in printer dots and the --list-sheets line.
#include "nubora/logic/sheet_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace nubora {
namespace {

constexpr int kVersion10 = 4 * 10 + 17 + 8;  // modules a side, quiet zone included

SheetLayout Sheet(std::string_view name)
{
    const auto sheet = FindSheetLayout(BuiltInSheetLayouts(), name);
    EXPECT_TRUE(sheet.Ok()) << name;
    return sheet.Ok() ? sheet.Value() : SheetLayout{};
}

// The message of `result`'s failure; empty when it succeeded.
template <typename T>
std::string Refusal(const Result<T, SheetFailure>& result)
{
    return result.Ok() ? "" : SheetFailureMessage(result.Error());
}

void ExpectRect(const MmRect& got, const MmRect& want, const std::string& what)
{
    EXPECT_NEAR(got.x, want.x, 1e-9) << what;
    EXPECT_NEAR(got.y, want.y, 1e-9) << what;
    EXPECT_NEAR(got.width, want.width, 1e-9) << what;
    EXPECT_NEAR(got.height, want.height, 1e-9) << what;
}

bool Inside(const MmRect& inner, const MmRect& outer)
{
    constexpr double e = 1e-9;
    return inner.x >= outer.x - e && inner.y >= outer.y - e && inner.x + inner.width <= outer.x + outer.width + e &&
           inner.y + inner.height <= outer.y + outer.height + e;
}

TEST(SheetLayout, BuiltInSheetsLieOnA4AndHoldAVersion10CodeAt03)
{
    struct Case {
        SheetLayout sheet;
        int labels;
        double rightGap, bottomGap;  // from the last label to the paper's edge
    };
    const Case cases[] = {
        {Sheet("meishi-10"), 10, 14.0, 11.0},
        {Sheet("a4-86x51-10"), 10, 18.6, 21.8},
        {Sheet("a4-70x42-18"), 18, 0.0, 21.7},
        {Sheet("a4-84x42-12"), 12, 19.0, 22.5},
        {PlainGridLayout(19.5, 2), 8 * 11, 11.0, 19.25},  // labels of 23.5 mm inside 190 × 277 mm, centred
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LabelsPerSheet(c.sheet), c.labels) << c.sheet.name;
        const MmRect last = LabelSlotAt(c.sheet, c.labels - 1, 0).rect;
        EXPECT_NEAR(c.sheet.paperWidthMm - last.x - last.width, c.rightGap, 1e-9) << c.sheet.name;
        EXPECT_NEAR(c.sheet.paperHeightMm - last.y - last.height, c.bottomGap, 1e-9) << c.sheet.name;
        EXPECT_NEAR(c.sheet.leftMm, c.rightGap, 1e-9) << c.sheet.name;
        EXPECT_TRUE(ValidateSheet(c.sheet, kVersion10, 0.3).Ok()) << c.sheet.name;
    }
}

TEST(SheetLayout, RefusesWithAMessageThatSaysWhich)
{
    struct Case {
        const char* what;
        std::function<void(SheetLayout&)> change;
        int modules;
        double moduleMm;
        std::string message;  // empty: accepted
    };
    const std::string tooBig = "コードがラベルに収まりません（クワイエットゾーンを含むコードの一辺 ";
    const Case cases[] = {
        {"AsBuilt", [](SheetLayout&) {}, kVersion10, 0.3, ""},
        {"PitchAcross", [](SheetLayout& s) { s.pitchAcrossMm = 80; }, 1, 1,
         "ラベルが重なっています（横のピッチ 80.0 mm < ラベルの幅 91.0 mm）"},
        {"PitchDown", [](SheetLayout& s) { s.pitchDownMm = 54.9; }, 1, 1,
         "ラベルが重なっています（縦のピッチ 54.9 mm < ラベルの高さ 55.0 mm）"},
        {"OneColumnIgnoresItsPitch", [](SheetLayout& s) { s.columns = 1, s.pitchAcrossMm = 0; }, 1, 1, ""},
        {"Left", [](SheetLayout& s) { s.leftMm = -1; }, 1, 1, "ラベルが用紙の左端から 1.0 mm はみ出しています"},
        {"Top", [](SheetLayout& s) { s.topMm = -0.5; }, 1, 1, "ラベルが用紙の上端から 0.5 mm はみ出しています"},
        {"Right", [](SheetLayout& s) { s.leftMm = 30; }, 1, 1, "ラベルが用紙の右端から 2.0 mm はみ出しています"},
        {"Bottom", [](SheetLayout& s) { s.topMm = 30; }, 1, 1, "ラベルが用紙の下端から 8.0 mm はみ出しています"},
        {"WithinTolerance", [](SheetLayout& s) { s.leftMm = 14.04, s.topMm = -0.04, s.pitchDownMm = 54.96; }, 1, 1, ""},
        {"CodeFillsTheRoom", [](SheetLayout&) {}, 70, 0.7, ""},  // 55 − 2 · 3 = 49 mm
        {"CodeOneModuleTooTall", [](SheetLayout&) {}, 71, 0.7, tooBig + "49.7 mm > 余白を除いたラベルの高さ 49.0 mm）"},
        {"CodeTooWide", [](SheetLayout& s) { s.labelWidthMm = 30; }, kVersion10, 0.4,
         tooBig + "26.0 mm > 余白を除いたラベルの幅 24.0 mm）"},
        // A square's corner stays inside a corner of radius r only r · (1 − 1/√2) in.
        {"RoundCornerInsetFits", [](SheetLayout& s) { s.marginMm = 0, s.cornerRadiusMm = 10; }, 70, 0.7, ""},
        {"RoundCornerCutsTheCode", [](SheetLayout& s) { s.marginMm = 0, s.cornerRadiusMm = 11; }, 70, 0.7,
         tooBig + "49.0 mm > 余白を除いたラベルの高さ 48.56 mm）"},
        {"NoColumns", [](SheetLayout& s) { s.columns = 0; }, 1, 1, "用紙またはラベルの寸法が正しくありません"},
        {"RadiusOverHalf", [](SheetLayout& s) { s.cornerRadiusMm = 27.6; }, 1, 1,
         "用紙またはラベルの寸法が正しくありません"},
        {"PlainGridTooBigForA4", [](SheetLayout& s) { s = PlainGridLayout(250, 0); }, 1, 1,
         "ラベルが用紙の左端から 20.0 mm はみ出しています"},
    };
    for (const Case& c : cases) {
        SheetLayout sheet = Sheet("meishi-10");
        c.change(sheet);
        EXPECT_EQ(Refusal(ValidateSheet(sheet, c.modules, c.moduleMm)), c.message) << c.what;
    }
}

TEST(SheetLayout, LabelsRunOnAcrossSheetsAfterTheSkippedOnes)
{
    const SheetLayout sheet = Sheet("meishi-10");
    struct Case {
        int index, sheet, row, column;
        double x, y;
    };
    const Case cases[] = {{0, 0, 3, 1, 105, 176}, {2, 0, 4, 1, 105, 231}, {3, 1, 0, 0, 14, 11}, {13, 2, 0, 0, 14, 11}};
    for (const Case& c : cases) {
        const LabelSlot slot = LabelSlotAt(sheet, c.index, 7);
        EXPECT_EQ(std::vector<int>({slot.sheet, slot.row, slot.column}), std::vector<int>({c.sheet, c.row, c.column}))
            << c.index;
        ExpectRect(slot.rect, {c.x, c.y, 91, 55}, std::to_string(c.index));
    }
    EXPECT_EQ(std::vector<int>({SheetsForLabels(sheet, 0, 7), SheetsForLabels(sheet, 3, 7),
                                SheetsForLabels(sheet, 4, 7), SheetsForLabels(sheet, 14, 7)}),
              std::vector<int>({0, 1, 2, 3}));
    const std::string notOnSheet = "開始位置のラベルが用紙にありません（この用紙のラベルは 10 枚、指定は ";
    EXPECT_EQ(Refusal(CheckStartLabel(sheet, 9)), "");
    EXPECT_EQ(Refusal(CheckStartLabel(sheet, 10)), notOnSheet + "11 枚目）");
    EXPECT_EQ(Refusal(CheckStartLabel(sheet, -1)), notOnSheet + "0 枚目）");
    EXPECT_EQ(Refusal(FindSheetLayout(BuiltInSheetLayouts(), "meishi-11")), "「meishi-11」という用紙はありません");
}

TEST(SheetLayout, PlacesTheCodeAndCaptionInsideTheMargins)
{
    const SheetLayout sheet = Sheet("meishi-10");
    const MmRect label = LabelSlotAt(sheet, 0, 0).rect;  // interior 17, 14, 85 × 49
    struct Case {
        CaptionPlace place;
        MmRect code, caption;
    };
    const Case cases[] = {
        {CaptionPlace::None, {49.75, 28.75, 19.5, 19.5}, {}},
        {CaptionPlace::Under, {49.75, 14, 19.5, 19.5}, {17, 33.5, 85, 29.5}},
        {CaptionPlace::Beside, {17, 28.75, 19.5, 19.5}, {36.5, 14, 65.5, 49}},
    };
    for (const Case& c : cases) {
        const auto placed = PlaceOnLabel(sheet, label, kVersion10, 0.3, c.place);
        ASSERT_TRUE(placed.Ok());
        ExpectRect(placed->code, c.code, "code " + std::to_string(static_cast<int>(c.place)));
        ExpectRect(placed->caption, c.caption, "caption " + std::to_string(static_cast<int>(c.place)));
    }
}

TEST(SheetLayout, NeverPlacesACodeOutsideTheLabelsInterior)
{
    std::vector<SheetLayout> sheets = BuiltInSheetLayouts();
    sheets.push_back(sheets[0]);
    sheets.back().marginMm = 0;
    sheets.back().cornerRadiusMm = 6;
    for (const SheetLayout& sheet : sheets)
        for (int version = 1; version <= 40; ++version)
            for (const double cell : {0.25, 0.4, 0.6, 0.85})
                for (const CaptionPlace place : {CaptionPlace::None, CaptionPlace::Under, CaptionPlace::Beside}) {
                    const int modules = 4 * version + 17 + 8;
                    const MmRect label = LabelSlotAt(sheet, LabelsPerSheet(sheet) - 1, 0).rect;
                    const MmRect room = LabelInterior(sheet, label);
                    const auto placed = PlaceOnLabel(sheet, label, modules, cell, place);
                    const std::string what = sheet.name + " v" + std::to_string(version) + " " + std::to_string(cell);
                    ASSERT_EQ(placed.Ok(), ValidateSheet(sheet, modules, cell).Ok()) << what;
                    if (!placed.Ok())
                        continue;
                    EXPECT_TRUE(Inside(placed->code, room) && Inside(room, label)) << what;
                    EXPECT_TRUE(placed->caption.width == 0 || Inside(placed->caption, room)) << what;
                }
}

TEST(SheetLayout, RoundsModulesToWholePrinterDots)
{
    struct Case {
        double moduleMm;
        int dpi, dots;
    };
    const Case cases[] = {{0.3, 600, 7}, {0.25, 300, 3}, {0.5, 1200, 24}, {0.1, 203, 1}, {0.01, 72, 1}};
    for (const Case& c : cases) {
        const ModuleDots rounded = ModuleInDots(c.moduleMm, c.dpi);
        EXPECT_EQ(rounded.dots, c.dots) << c.moduleMm << " @" << c.dpi;
        EXPECT_DOUBLE_EQ(rounded.mm, c.dots * 25.4 / c.dpi) << c.moduleMm << " @" << c.dpi;
    }
}

TEST(SheetLayout, PlacesAPrintedCodeOnTheDotGridInsideTheLabel)
{
    // The first sheet's interior is 49 mm high: a code that fills it is
    // moved inwards onto the grid, never past its edge.
    for (const SheetLayout& sheet : BuiltInSheetLayouts())
        for (const int dpi : {203, 300, 600})
            for (const double cell : {0.25, 0.6, 49.0 / 29})
                for (const CaptionPlace place : {CaptionPlace::None, CaptionPlace::Under, CaptionPlace::Beside}) {
                    const MmRect label = LabelSlotAt(sheet, LabelsPerSheet(sheet) - 1, 0).rect;
                    const ModuleDots module = ModuleInDots(cell, dpi);
                    const auto placed = PlaceOnDots(sheet, label, 29, module, dpi, place);
                    const std::string what = sheet.name + " @" + std::to_string(dpi) + " " + std::to_string(cell);
                    ASSERT_EQ(placed.Ok(), PlaceOnLabel(sheet, label, 29, module.mm, place).Ok()) << what;
                    if (!placed.Ok())
                        continue;
                    const double x = placed->code.x * dpi / 25.4, y = placed->code.y * dpi / 25.4;
                    EXPECT_NEAR(x, std::round(x), 1e-6) << what;
                    EXPECT_NEAR(y, std::round(y), 1e-6) << what;
                    EXPECT_NEAR(placed->code.width * dpi / 25.4, 29 * module.dots, 1e-6) << what;
                    EXPECT_TRUE(Inside(placed->code, LabelInterior(sheet, label))) << what;
                }
}

TEST(SheetLayout, ListLineGivesNamePaperLabelAndGrid)
{
    SheetLayout roll = Sheet("meishi-10");
    roll.name = "dymo-11354";
    roll.paperName.clear();
    roll.paperWidthMm = 57.15;
    roll.labelWidthMm = 89.9936;
    EXPECT_EQ(SheetListLine(Sheet("meishi-10")),
              "meishi-10                         A4              91.0×55.0 mm      2×5");
    EXPECT_EQ(SheetListLine(roll), "dymo-11354                        57.15×297.0 mm  89.99×55.0 mm     2×5");
}

}  // namespace
}  // namespace nubora
