// The settings dialog driven as a user drives it, modally above the menu:
// the opening in automatic and manual mode, the print area, the spinner, OK
// and Cancel, and message 134. Every box is answered by the scripted service.
#include "fake_screen_host.h"
#include "nubora/app/settings_dialog.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/framework/up_down.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include <gtest/gtest.h>

namespace nubora {
namespace {

namespace id = ctl::settings;
using fw::Answer;
using fw::BoxType;

class SettingsDialogTest : public ::testing::Test {
protected:
    SettingsDialog& dialog() { return settingsDialog; }
    template <class W>
    W* Ctl(int controlId)
    {
        W* control = dialog().ControlAs<W>(controlId);
        if (!control)
            std::abort();
        return control;
    }
    QComboBox* List(int controlId) { return Ctl<QComboBox>(controlId); }
    QString Text(int controlId) { return Ctl<QLineEdit>(controlId)->text(); }
    void Choose(int controlId, const QString& item)
    {
        QComboBox* list = List(controlId);
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        list->setCurrentIndex(index);
    }
    void Click(int controlId) { QTest::mouseClick(Ctl<QWidget>(controlId), Qt::LeftButton); }

    // Runs the dialog modally; `whileOpen` acts on it, then it is left open
    // (the test's actions must close it) or closed with Cancel.
    int Run(const std::function<void()>& whileOpen)
    {
        QTimer::singleShot(0, &dialog(), [this, whileOpen] {
            whileOpen();
            if (dialog().isVisible() && !dialog().HasEnded())
                dialog().reject();
        });
        return dialog().DoModal();
    }

    fw::testing::ScriptedServices services;
    nubora::testing::FakeScreenHost host;
    SettingsDialog settingsDialog{host};
};

TEST_F(SettingsDialogTest, IsTheSettingsTemplateWithItsControls)
{
    Run([this] {
        EXPECT_EQ(dialog().windowTitle(), QStringLiteral("設定"));
        EXPECT_EQ(dialog().size(), dialog().Units().ToPixels(QRect(0, 0, 169, 200)).size());
        EXPECT_EQ(Ctl<QRadioButton>(id::kAutomatic)->text(), QStringLiteral("自動調整"));
        EXPECT_EQ(Ctl<QRadioButton>(id::kManual)->text(), QStringLiteral("任意調整"));
        EXPECT_EQ(Ctl<QPushButton>(ctl::kOk)->text(), QStringLiteral("OK"));
        EXPECT_EQ(Ctl<QPushButton>(ctl::kCancel)->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        EXPECT_EQ(Ctl<QWidget>(id::kAutomatic)->geometry(), dialog().Units().ToPixels(QRect(15, 13, 43, 10)));
        EXPECT_EQ(Ctl<QWidget>(id::kSplitCount)->geometry(), dialog().Units().ToPixels(QRect(95, 138, 50, 15)));
        QStringList levels, cells;
        for (int i = 0; i < List(id::kLevel)->count(); ++i)
            levels << List(id::kLevel)->itemText(i);
        for (int i = 0; i < List(id::kCellSize)->count(); ++i)
            cells << List(id::kCellSize)->itemText(i);
        EXPECT_EQ(levels, QStringList({"L(7%)", "M(15%)", "Q(25%)", "H(30%)"}));
        EXPECT_EQ(cells, QStringList({"0.25", "0.3", "0.35", "0.4", "0.45", "0.5", "0.55", "0.6"}));
        ASSERT_EQ(List(id::kVersion)->count(), 15);
        EXPECT_EQ(List(id::kVersion)->itemText(0), QStringLiteral("1"));
        EXPECT_EQ(List(id::kVersion)->itemText(14), QStringLiteral("15"));
        EXPECT_TRUE(Ctl<QLineEdit>(id::kSplitCount)->isReadOnly());
        EXPECT_TRUE(Ctl<QLineEdit>(id::kPrintArea)->isReadOnly());
        EXPECT_EQ(Ctl<QLineEdit>(id::kSplitCount)->palette().base().color(), QColor(Qt::white));
    });
}

TEST_F(SettingsDialogTest, OpensInAutomaticModeWithTheDefaultsDisabled)
{
    CodeSettings& s = host.state.codeSettings;
    s.splitCount = 4;
    s.shownLevel = 4;  // reset on opening in automatic mode
    Run([this] {
        EXPECT_TRUE(Ctl<QRadioButton>(id::kAutomatic)->isChecked());
        EXPECT_FALSE(Ctl<QRadioButton>(id::kManual)->isChecked());
        EXPECT_EQ(List(id::kLevel)->currentText(), QStringLiteral("M(15%)"));
        EXPECT_EQ(List(id::kCellSize)->currentText(), QStringLiteral("0.25"));
        EXPECT_EQ(List(id::kVersion)->currentText(), QStringLiteral("1"));
        for (int c : {id::kLevel, id::kCellSize, id::kVersion, id::kPrintArea})
            EXPECT_FALSE(Ctl<QWidget>(c)->isEnabled()) << c;
        EXPECT_EQ(Text(id::kPrintArea), QStringLiteral("7.25mm"));
        EXPECT_EQ(Text(id::kSplitCount), QStringLiteral("4"));
    });
}

TEST_F(SettingsDialogTest, CancelAfterAnAutomaticOpeningKeepsTheResetTexts)
{
    CodeSettings& s = host.state.codeSettings;
    s.shownLevel = 3;
    s.cellSizeIndex = 7;
    s.shownVersion = 7;
    EXPECT_EQ(Run([this] { Click(ctl::kCancel); }), QDialog::Rejected);
    EXPECT_EQ(LevelText(s.shownLevel), "M(15%)");
    EXPECT_EQ(CellSizeText(s.cellSizeIndex), "0.25");
    EXPECT_EQ(std::to_string(s.shownVersion), "1");
    EXPECT_EQ(s.autoAdjust, 1);
}

TEST_F(SettingsDialogTest, ManualEnablesTheListsAndTheyDriveThePrintArea)
{
    Run([this] {
        Click(id::kManual);
        for (int c : {id::kLevel, id::kCellSize, id::kVersion, id::kPrintArea})
            EXPECT_TRUE(Ctl<QWidget>(c)->isEnabled()) << c;
        Choose(id::kVersion, "15");
        Choose(id::kCellSize, "0.6");
        EXPECT_EQ(Text(id::kPrintArea), QStringLiteral("51.00mm"));
        Choose(id::kLevel, "H(30%)");
        EXPECT_EQ(Text(id::kPrintArea), QStringLiteral("51.00mm"));
        Click(id::kAutomatic);
        for (int c : {id::kLevel, id::kCellSize, id::kVersion, id::kPrintArea})
            EXPECT_FALSE(Ctl<QWidget>(c)->isEnabled()) << c;
        EXPECT_EQ(List(id::kVersion)->currentText(), QStringLiteral("15"));  // selections stay
    });
    EXPECT_EQ(host.state.codeSettings.autoAdjust, 1);
}

TEST_F(SettingsDialogTest, OkInManualModeStoresTheChoicesAndTheCapacityOfTheSplit)
{
    const int result = Run([this] {
        Click(id::kManual);
        Choose(id::kLevel, "Q(25%)");
        Choose(id::kCellSize, "0.35");
        Choose(id::kVersion, "5");
        auto* spinner = Ctl<fw::UpDownControl>(id::kSplitSpinner);
        spinner->Step(+1);
        spinner->Step(+1);
        EXPECT_EQ(Text(id::kSplitCount), QStringLiteral("3"));
        EXPECT_EQ(Text(id::kPrintArea), QStringLiteral("15.75mm"));
        Click(ctl::kOk);
    });
    EXPECT_EQ(result, QDialog::Accepted);
    const CodeSettings& s = host.state.codeSettings;
    EXPECT_EQ(s.autoAdjust, 0);
    EXPECT_EQ(s.level, 3);
    EXPECT_EQ(LevelText(s.shownLevel), "Q(25%)");
    EXPECT_EQ(s.cellSizeIndex, 2);
    EXPECT_EQ(CellSizeText(s.cellSizeIndex), "0.35");
    EXPECT_EQ(s.version, 5);
    EXPECT_EQ(std::to_string(s.shownVersion), "5");
    EXPECT_EQ(s.splitCount, 3);
    EXPECT_EQ(std::to_string(s.splitCount), "3");
    const int32_t fiveQ[2] = {5, 3};
    const int capacity = TavoQREnc_GetAvailableLength(fiveQ);
    ASSERT_GT(capacity, 0);
    EXPECT_EQ(s.availableLength, 3 * capacity);
    EXPECT_TRUE(services.messages.Boxes().empty());
}

TEST_F(SettingsDialogTest, ReopeningInManualModeShowsTheStoredChoices)
{
    Run([this] {
        Click(id::kManual);
        Choose(id::kLevel, "L(7%)");
        Choose(id::kCellSize, "0.3");
        Choose(id::kVersion, "10");
        Click(ctl::kOk);
    });
    Run([this] {
        EXPECT_TRUE(Ctl<QRadioButton>(id::kManual)->isChecked());
        EXPECT_EQ(List(id::kLevel)->currentText(), QStringLiteral("L(7%)"));
        EXPECT_EQ(List(id::kCellSize)->currentText(), QStringLiteral("0.3"));
        EXPECT_EQ(List(id::kVersion)->currentText(), QStringLiteral("10"));
        EXPECT_TRUE(List(id::kLevel)->isEnabled());
        EXPECT_EQ(Text(id::kPrintArea), QStringLiteral("19.50mm"));
    });
}

TEST_F(SettingsDialogTest, OkInAutomaticModeResetsTheSymbolChoices)
{
    CodeSettings& s = host.state.codeSettings;
    s = {3, 2, 5, 3, 3, 5, false, 0.0, 111};
    Run([this] {
        Click(id::kAutomatic);
        Click(ctl::kOk);
    });
    EXPECT_EQ(s.autoAdjust, 1);
    EXPECT_EQ(s.level, 0);
    EXPECT_EQ(s.cellSizeIndex, 0);
    EXPECT_EQ(s.version, 0);
    EXPECT_EQ(LevelText(s.shownLevel), "M(15%)");
    EXPECT_EQ(CellSizeText(s.cellSizeIndex), "0.25");
    EXPECT_EQ(std::to_string(s.shownVersion), "1");
    EXPECT_EQ(s.splitCount, 3);
    EXPECT_EQ(s.availableLength, 111);  // meaningless in automatic mode, left alone
}

TEST_F(SettingsDialogTest, TheSpinnerStaysWithinOneToSixteenAndTheBoxTakesNoTyping)
{
    Run([this] {
        auto* spinner = Ctl<fw::UpDownControl>(id::kSplitSpinner);
        auto* box = Ctl<QLineEdit>(id::kSplitCount);
        EXPECT_EQ(spinner->Lower(), 1);
        EXPECT_EQ(spinner->Upper(), 16);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(box, Qt::Key_Up);
        EXPECT_EQ(box->text(), QStringLiteral("16"));
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(box->text(), QStringLiteral("1"));
        QTest::keyClicks(box, "9");
        EXPECT_EQ(box->text(), QStringLiteral("1"));
    });
}

TEST_F(SettingsDialogTest, AFailedCapacityQueryShows134AndStaysOpen)
{
    host.capacityFails = true;
    const int result = Run([this] {
        Click(id::kManual);
        Choose(id::kLevel, "H(30%)");
        Choose(id::kVersion, "2");
        Click(ctl::kOk);
        EXPECT_FALSE(dialog().HasEnded());
        EXPECT_TRUE(dialog().isVisible());
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_EQ(services.messages.Boxes().size(), 1u);
    const auto& box = services.messages.Boxes().back();
    EXPECT_EQ(box.text, res::LoadString(res::str::kCapacityQueryFailed));
    EXPECT_EQ(box.type, BoxType::Warning);
    EXPECT_EQ(box.caption, QStringLiteral("ヌボラ"));
    EXPECT_EQ(box.ownerTitle, QStringLiteral("設定"));
    // What was written before the query stays.
    const CodeSettings& s = host.state.codeSettings;
    EXPECT_EQ(s.autoAdjust, 0);
    EXPECT_EQ(s.level, 4);
    EXPECT_EQ(s.version, 2);
    EXPECT_LT(s.availableLength, 0);
}

}  // namespace
}  // namespace nubora
