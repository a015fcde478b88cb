// The real open and save dialogs of QtFileService, driven in the offscreen
// platform: their filter, folder and default suffix, the question before a
// file is replaced, and the file the user picks.
#include "nubora/framework/file_service.h"
#include "temp_folder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace nubora::fw {
namespace {

using nubora::testing::Spill;
using nubora::testing::TempFolder;

// What a dialog was set up with.
struct SeenDialog {
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QStringList nameFilters;
    QString defaultSuffix;
    QString directory;
    bool confirmsOverwrite = false;
};

// Presses the dialog's accepting button (QFileDialog's own accept() is protected).
void Accept(QFileDialog& dialog) { static_cast<QDialog&>(dialog).accept(); }

// Runs `act` on the file dialog once it is shown, after noting its set-up.
void WhenTheDialogShows(SeenDialog& seen, std::function<void(QFileDialog&)> act)
{
    QTimer::singleShot(0, [&seen, act = std::move(act)] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = {dialog->acceptMode(),
                dialog->fileMode(),
                dialog->nameFilters(),
                dialog->defaultSuffix(),
                dialog->directory().absolutePath(),
                !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
        act(*dialog);
    });
}

FileDialogRequest Request(const std::string& folder)
{
    return {QStringLiteral("アドレス帳用データファイル(*.aqr)|*.aqr||"), QStringLiteral("aqr"),
            QString::fromStdString(folder)};
}

TEST(QtFileDialogs, SaveStartsInTheFolderAndAddsTheDefaultSuffix)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Valid());
    SeenDialog seen;
    WhenTheDialogShows(seen, [](QFileDialog& dialog) {
        dialog.selectFile(QStringLiteral("entry"));
        Accept(dialog);
    });
    QtFileService service;
    const std::optional<QString> path = service.SaveFileName(nullptr, Request(folder.Path()));
    EXPECT_EQ(path, QString::fromStdString(folder / "entry.aqr"));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(seen.nameFilters, QStringList{QStringLiteral("アドレス帳用データファイル(*.aqr)")});
    EXPECT_EQ(seen.defaultSuffix, QStringLiteral("aqr"));
    EXPECT_EQ(seen.directory, QString::fromStdString(folder.Path()));
    EXPECT_TRUE(seen.confirmsOverwrite);
}

TEST(QtFileDialogs, ATypeChosenInTheSaveDialogGivesItsSuffix)
{
    TempFolder folder;
    ASSERT_TRUE(folder.Valid());
    SeenDialog seen;
    QString suffixAfterChoice;
    WhenTheDialogShows(seen, [&suffixAfterChoice](QFileDialog& dialog) {
        dialog.selectNameFilter(dialog.nameFilters().at(1));
        Q_EMIT dialog.filterSelected(dialog.nameFilters().at(1));
        suffixAfterChoice = dialog.defaultSuffix();
        dialog.selectFile(QStringLiteral("code"));
        Accept(dialog);
    });
    QtFileService service;
    const std::optional<QString> path = service.SaveFileName(
        nullptr, {QStringLiteral("QRコードイメージ(*.bmp)|*.bmp|PNG画像(*.png)|*.png|すべて(*.*)|*.*||"),
                  QStringLiteral("bmp"), QString::fromStdString(folder.Path())});
    EXPECT_EQ(seen.defaultSuffix, QStringLiteral("bmp"));
    EXPECT_EQ(suffixAfterChoice, QStringLiteral("png"));
    EXPECT_EQ(path, QString::fromStdString(folder / "code.png"));
}

TEST(QtFileDialogs, SaveOverAnExistingFileAsksFirst)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "old.aqr", "old,"));
    SeenDialog seen;
    bool asked = false;
    WhenTheDialogShows(seen, [&asked](QFileDialog& dialog) {
        // The question comes up inside accept(): answer No, then give up.
        QTimer::singleShot(0, [&asked, &dialog] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->button(QMessageBox::No)->click();
            }
            QTimer::singleShot(0, &dialog, &QFileDialog::reject);
        });
        dialog.selectFile(QStringLiteral("old.aqr"));
        Accept(dialog);
    });
    QtFileService service;
    EXPECT_FALSE(service.SaveFileName(nullptr, Request(folder.Path())).has_value());
    EXPECT_TRUE(asked);
}

TEST(QtFileDialogs, OpenWantsAnExistingFileAndGivesItsPath)
{
    TempFolder folder;
    ASSERT_TRUE(Spill(folder / "entry.aqr", ",,,,,,,,"));
    SeenDialog seen;
    WhenTheDialogShows(seen, [](QFileDialog& dialog) {
        dialog.selectFile(QStringLiteral("entry.aqr"));
        Accept(dialog);
    });
    QtFileService service;
    const std::optional<QString> path = service.OpenFileName(nullptr, Request(folder.Path()));
    EXPECT_EQ(path, QString::fromStdString(folder / "entry.aqr"));
    EXPECT_EQ(seen.acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(seen.fileMode, QFileDialog::ExistingFile);
}

TEST(QtFileDialogs, CancelGivesNothing)
{
    TempFolder folder;
    SeenDialog seen;
    WhenTheDialogShows(seen, [](QFileDialog& dialog) { dialog.reject(); });
    QtFileService service;
    EXPECT_FALSE(service.OpenFileName(nullptr, Request(folder.Path())).has_value());
}

}  // namespace
}  // namespace nubora::fw
