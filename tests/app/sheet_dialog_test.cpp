// The CSV sheet dialog driven as a user drives it: a small CSV file to a PDF
// whose codes zbar and zxing-cpp read back as the rows, a failing row listed
// and its list saved, a cancelled run that writes nothing, and sheets printed
// through a real printer into a PDF file, their modules whole printer dots.
#include "nubora/app/sheet_dialog.h"
#include "nubora/app/sheet_preview.h"
#include "nubora/app/sheet_printer.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"
#include "nubora/text/cp932.h"
#include "qt_grey.h"
#include "temp_folder.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>

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

    const peers::GreyImage page = testing::RasterisedPdfPage(folder / "cards.pdf", 1);
    ASSERT_GT(page.width, 0);
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

TEST_F(SheetDialogTest, AShiftJisCsvWithoutAMarkIsReadAsShiftJis)
{
    Open("text\n" + text::Utf8ToCp932("名刺の文字").value() + "\n");
    EXPECT_EQ(dialog.status->text(), QStringLiteral("フリーテキスト：1 行"));
    EXPECT_EQ(dialog.preview->Labels().size(), 1u);
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

TEST_F(SheetDialogTest, PrintsEverySheetAtExactSizeWithModulesOfWholePrinterDots)
{
    constexpr int kDpi = 300;
    constexpr int kModuleDots = 6;  // 0.5 mm at 300 dpi: 5.91 dots
    Open("text\nNUBORA print 1\nNUBORA print 2\nNUBORA print 3\n");
    dialog.startLabel->setValue(10);  // the last card of a sheet: the run takes two
    const std::string pdf = folder / "printed.pdf";
    services.printing.ScriptPdfPrinter(kDpi, QString::fromStdString(pdf));
    QTest::mouseClick(dialog.printButton, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Running(); }, 20000));
    EXPECT_EQ(dialog.status->text(), res::LoadString(res::str::kSheetPrinted).arg(3));
    EXPECT_TRUE(
        dialog.moduleSize->text().startsWith(QStringLiteral("0.50 mm（300 dpi のプリンターで 6 ドット = 0.51 mm")))
        << dialog.moduleSize->text().toStdString();
    ASSERT_EQ(services.printing.Requests().size(), 1u);
    EXPECT_EQ(services.printing.Requests()[0].paperMm, QSizeF(210, 297));
    EXPECT_EQ(services.printing.Requests()[0].origin, fw::PageOrigin::PaperCorner);

    const SheetLayout layout = dialog.Options().sheet.layout;
    const peers::GreyImage pages[] = {testing::RasterisedPdfPage(pdf, 1, kDpi),
                                      testing::RasterisedPdfPage(pdf, 2, kDpi)};
    for (int row = 0; row < 3; ++row) {
        const std::string text = "NUBORA print " + std::to_string(row + 1);
        const LabelSlot slot = LabelSlotAt(layout, row, 9);
        const peers::GreyImage& page = pages[slot.sheet];
        ASSERT_EQ(page.width, 2480) << text;  // A4, the whole sheet
        const auto dots = [](double mm) { return static_cast<int>(std::lround(mm * kDpi / 25.4)); };
        peers::GreyImage crop{dots(slot.rect.width), dots(slot.rect.height), {}};
        int left = crop.width, right = -1, grey = 0;
        for (int y = 0; y < crop.height; ++y) {
            for (int x = 0; x < crop.width; ++x) {
                const uint8_t pixel =
                    page.pixels[static_cast<size_t>((dots(slot.rect.y) + y) * page.width + dots(slot.rect.x) + x)];
                crop.pixels.push_back(pixel);
                if (pixel < 128 && x < crop.width / 4)  // the code; its caption is centred right of it
                    left = std::min(left, x), right = std::max(right, x);
                grey += pixel > 32 && pixel < 170 && x < crop.width / 4;
            }
        }
        // Version 3 is 29 modules a side, each exactly 6 dots. pdftoppm's
        // smoothing tints the dot after an edge on the grid faintly (223);
        // an edge inside a dot would leave it mid grey.
        EXPECT_EQ(right - left + 1, 29 * kModuleDots) << text;
        EXPECT_EQ(grey, 0) << text;
        EXPECT_EQ(peers::ReadWithZxing(crop).bytes, text);
        EXPECT_EQ(peers::ReadWithZbar(crop), std::vector<std::string>{text});
    }
}

TEST_F(SheetDialogTest, NoPrinterOrACancelledPrintDialogPrintsNothing)
{
    Open("text\nNUBORA card 1\n");
    const auto noPrinter = [&] { services.printing.ScriptNoPrinter(); };
    const auto cancel = [&] { services.printing.ScriptCancel(); };
    const struct {
        std::function<void()> script;
        int dialogs;
        size_t boxes;
    } cases[] = {{cancel, 1, 0}, {noPrinter, 1, 1}};  // dialogs so far
    for (const auto& c : cases) {
        services.printing.ScriptPrinter(600, QSize(100, 100));
        c.script();
        QTest::mouseClick(dialog.printButton, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Running(); }, 20000));
        EXPECT_EQ(services.printing.DialogsShown(), c.dialogs);
        EXPECT_TRUE(services.printing.Pages().empty());
        ASSERT_EQ(services.messages.Boxes().size(), c.boxes);
        if (c.boxes == 1)
            EXPECT_EQ(services.messages.Boxes()[0].text, res::LoadString(res::str::kNoPrinter));
        else
            EXPECT_EQ(dialog.status->text(), res::LoadString(res::str::kSheetNothingPrinted));
    }
}

}  // namespace
}  // namespace nubora
