// The file, print and clipboard services as the screens will use them.
#include "nubora/framework/file_service.h"
#include "nubora/framework/services.h"
#include "nubora/framework/testing/scripted_services.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace nubora::fw {
namespace {

TEST(FileService, TurnsATemplateFilterIntoAQtFilter)
{
    EXPECT_EQ(QtNameFilter(QStringLiteral("アドレス帳データ(*.aqr)|*.aqr||")),
              QStringLiteral("アドレス帳データ(*.aqr)"));
    EXPECT_EQ(QtNameFilter(QStringLiteral("A(*.a)|*.a|B|*.b||")), QStringLiteral("A(*.a);;B (*.b)"));
    EXPECT_EQ(QtNameFilter(QStringLiteral("QRコードイメージ(*.bmp)|*.bmp|すべて(*.*)|*.*||")),
              QStringLiteral("QRコードイメージ(*.bmp);;すべて(*.*)"));
}

TEST(FileService, StartsInAnExistingFolderOfTheHomeOrTheHome)
{
    EXPECT_EQ(InitialFolder(QStringLiteral("no-such-folder-of-nubora")), QDir::home().absolutePath());
}

TEST(ScriptedFiles, AnswerInOrderAndRecordTheRequests)
{
    testing::ScriptedServices services;
    services.files.ScriptOpen(QStringLiteral("/tmp/a.aqr"));
    services.files.ScriptOpen(QString());
    const FileDialogRequest request{QStringLiteral("A(*.aqr)|*.aqr||"), QStringLiteral("aqr"), QDir::homePath()};
    EXPECT_EQ(CurrentServices().files->OpenFileName(nullptr, request), QStringLiteral("/tmp/a.aqr"));
    EXPECT_FALSE(CurrentServices().files->OpenFileName(nullptr, request).has_value());
    EXPECT_FALSE(CurrentServices().files->SaveFileName(nullptr, request).has_value());
    ASSERT_EQ(services.files.Requests().size(), 3u);
    EXPECT_EQ(services.files.Requests()[0].defaultSuffix, QStringLiteral("aqr"));
}

TEST(ScriptedPrinting, PrintsOnAPageOfTheScriptedResolution)
{
    testing::ScriptedServices services;
    services.printing.ScriptPrinter(600, QSize(400, 300));
    auto target = CurrentServices().printing->ChoosePrinter(nullptr);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->DotsPerInchY(), 600);
    {
        QPainter painter(&target->Device());
        painter.fillRect(QRect(0, 0, 171, 171), Qt::black);
    }
    target->Finish();
    ASSERT_EQ(services.printing.Pages().size(), 1u);
    EXPECT_EQ(services.printing.Pages()[0].pixelColor(170, 170), QColor(Qt::black));
    EXPECT_EQ(services.printing.Pages()[0].pixelColor(171, 171), QColor(Qt::white));
}

TEST(ScriptedPrinting, KeepsEveryPageOfThePaperAskedFor)
{
    testing::ScriptedServices services;
    services.printing.ScriptPrinter(300, QSize(10, 10));
    auto target = CurrentServices().printing->ChoosePrinter(nullptr, {PageOrigin::PaperCorner, QSizeF(210, 297)});
    ASSERT_NE(target, nullptr);
    {
        QPainter painter(&target->Device());
        painter.fillRect(QRect(0, 0, 10, 10), Qt::black);
        EXPECT_TRUE(target->NewPage());
        painter.fillRect(QRect(20, 0, 10, 10), Qt::black);
    }
    target->Finish();
    const std::vector<QImage>& pages = services.printing.Pages();
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), QSize(2480, 3508));  // A4 at 300 dpi
    EXPECT_EQ(pages[0].pixelColor(5, 5), QColor(Qt::black));
    EXPECT_EQ(pages[0].pixelColor(25, 5), QColor(Qt::white));
    EXPECT_EQ(pages[1].pixelColor(5, 5), QColor(Qt::white));
    EXPECT_EQ(pages[1].pixelColor(25, 5), QColor(Qt::black));
}

TEST(ScriptedPrinting, CancelGivesNoPrinter)
{
    testing::ScriptedServices services;
    services.printing.ScriptCancel();
    EXPECT_EQ(CurrentServices().printing->ChoosePrinter(nullptr), nullptr);
    EXPECT_EQ(services.printing.DialogsShown(), 1);
}

TEST(ScriptedClipboard, KeepsTheImages)
{
    testing::ScriptedServices services;
    QImage image(145, 145, QImage::Format_Mono);
    CurrentServices().clipboard->SetImage(image);
    ASSERT_EQ(services.clipboard.Images().size(), 1u);
    EXPECT_EQ(services.clipboard.Images()[0].size(), QSize(145, 145));
}

}  // namespace
}  // namespace nubora::fw
