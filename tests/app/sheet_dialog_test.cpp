// The CSV sheet dialog driven as a user drives it: a small CSV file to a PDF
// whose codes zbar and zxing-cpp read back as the rows, a failing row listed
// and its list saved, and a cancelled run that writes nothing.
#include "nubora/app/sheet_dialog.h"
#include "nubora/app/sheet_preview.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "qt_grey.h"
#include "temp_folder.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include <gtest/gtest.h>

namespace nubora {
namespace {

using testing::Slurp;
using testing::TempFolder;

constexpr int kVersion3 = 3;    // item of the version list: 自動, 1, 2, 3 …
constexpr int kCellHalfMm = 5;  // 0.5 mm

void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

struct SheetDialogTest : ::testing::Test {
    TempFolder folder;
    fw::testing::ScriptedServices services;
    SheetDialog dialog{CodeSettings()};

    void Open(const std::string& csv)
    {
        Write(folder / "rows.csv", csv);
        dialog.OpenCsv(QString::fromStdString(folder / "rows.csv"));
        dialog.version->setCurrentIndex(kVersion3);
        dialog.cellSize->setCurrentIndex(kCellHalfMm);
    }
};

TEST_F(SheetDialogTest, RowsBecomeAPdfWhoseCodesReadBackAndFailuresAreListed)
{
    Open("text\nNUBORA card 1\n\"\"\nNUBORA card 3\n");
    EXPECT_EQ(dialog.status->text(), QStringLiteral("フリーテキスト：3 行"));
    EXPECT_EQ(dialog.preview->Labels().size(), 2u);
    EXPECT_TRUE(dialog.moduleSize->text().startsWith(QStringLiteral("0.50 mm（600 dpi のプリンターで 12 ドット")))
        << dialog.moduleSize->text().toStdString();
    EXPECT_TRUE(dialog.advice->text().isEmpty());
    services.files.ScriptSave(QString::fromStdString(folder / "cards.pdf"));
    QTest::mouseClick(dialog.saveButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Running(); }, 20000));
    EXPECT_EQ(dialog.status->text(), res::LoadString(res::str::kSheetSaved).arg(2));
    ASSERT_EQ(dialog.failures->count(), 1);
    EXPECT_TRUE(dialog.failures->item(0)->text().startsWith(QStringLiteral("行 2: text: ")));
    services.files.ScriptSave(QString::fromStdString(folder / "failed.txt"));
    QTest::mouseClick(dialog.saveListButton, Qt::LeftButton);
    EXPECT_EQ(QString::fromStdString(Slurp(folder / "failed.txt")), dialog.failures->item(0)->text() + "\n");

    const std::string raster = "pdftoppm -r 300 -png -singlefile " + (folder / "cards.pdf") + " " + (folder / "page");
    ASSERT_EQ(std::system(raster.c_str()), 0);
    const peers::GreyImage page = testing::GreyOf(QImage(QString::fromStdString(folder / "page.png")));
    std::vector<std::string> zbar = peers::ReadWithZbar(page);
    std::sort(zbar.begin(), zbar.end());
    EXPECT_EQ(zbar, (std::vector<std::string>{"NUBORA card 1", "NUBORA card 3"}));
    // The left half of the page holds the first label alone (meishi-10 is 2 across).
    peers::GreyImage left{page.width / 2, page.height / 5, {}};
    for (int y = 0; y < left.height; ++y)
        for (int x = 0; x < left.width; ++x)
            left.pixels.push_back(page.pixels[static_cast<size_t>(y * page.width + x)]);
    EXPECT_EQ(peers::ReadWithZxing(left).bytes, "NUBORA card 1");
}

TEST_F(SheetDialogTest, ACancelledRunWritesNothingAndLeavesAnOldFile)
{
    std::string csv = "text\n";
    for (int row = 1; row <= 5000; ++row)
        csv += "NUBORA row " + std::to_string(row) + "\n";
    Open(csv);
    Write(folder / "cards.pdf", "old");
    services.files.ScriptSave(QString::fromStdString(folder / "cards.pdf"));
    QTest::mouseClick(dialog.saveButton, Qt::LeftButton);
    ASSERT_TRUE(dialog.Running());
    QTest::qWait(50);
    QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(dialog.status->text(), res::LoadString(res::str::kSheetCancelled));
    QTest::qWait(50);
    EXPECT_EQ(Slurp(folder / "cards.pdf"), "old");
}

}  // namespace
}  // namespace nubora
