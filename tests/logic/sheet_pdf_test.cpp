// The sheet PDF writer's refusals: each says why, and none leaves a file.
#include "encoded_symbols.h"
#include "temp_folder.h"

#include "nubora/logic/sheet_pdf.h"

#include <gtest/gtest.h>

namespace nubora {
namespace {

using testing::Symbols;
using testing::TempFolder;

TEST(SheetPdf, ARefusedOrCancelledRunNamesWhyAndLeavesTheFileAsItWas)
{
    Symbols small("NUBORA", 1, 1), large("NUBORA", 1, 15);
    const SheetLayout meishi = BuiltInSheetLayouts().front();
    const std::vector<SheetLabel> two = {{&small[0], "A"}, {&small[0], "B"}};
    const struct {
        std::vector<SheetLabel> labels;
        SheetPdfOptions options;
        bool keepGoing;
        const char* message;
    } cases[] = {
        {two,
         {meishi, 0.5, 10, CaptionPlace::Under, CutLines::Hidden},
         true,
         "開始位置のラベルが用紙にありません（この用紙のラベルは 10 枚、指定は 11 枚目）"},
        {{{&small[0], ""}, {&large[0], ""}},
         {meishi, 0.6, 0, CaptionPlace::None, CutLines::Shown},
         true,
         "2枚目のラベル："},
        {{}, {meishi, 0.5, 0, CaptionPlace::None, CutLines::Hidden}, true, "印刷するラベルがありません。"},
        {two, {meishi, 0.5, 0, CaptionPlace::Beside, CutLines::Hidden}, false, "作成を取り消しました。"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        const std::string path = folder.Path() + "/cards.pdf";
        ASSERT_TRUE(testing::Spill(path, "old"));
        int calls = 0;
        const Result<void, SheetPdfFailure> saved = SaveSheetPdf(path, c.labels, c.options, [&](int done, int total) {
            EXPECT_EQ(done, ++calls);
            EXPECT_EQ(total, static_cast<int>(c.labels.size()));
            return c.keepGoing;
        });
        ASSERT_FALSE(saved.Ok()) << c.message;
        EXPECT_EQ(SheetPdfFailureMessage(saved.Error()).rfind(c.message, 0), 0u)
            << SheetPdfFailureMessage(saved.Error());
        EXPECT_EQ(testing::Slurp(path), "old");
        EXPECT_EQ(folder.Names().size(), 1u);
    }
    // The same run, not cancelled, is written.
    TempFolder folder;
    EXPECT_TRUE(SaveSheetPdf(folder.Path() + "/cards.pdf", two, cases[3].options).Ok());
    EXPECT_EQ(testing::Slurp(folder.Path() + "/cards.pdf").rfind("%PDF-1.4\n", 0), 0u);
}

}  // namespace
}  // namespace nubora
