// The dialog base: dialog units, controls by id, handlers by id and the
// pre-translation hook.
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/dialog.h"
#include "nubora/framework/dialog_units.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace nubora::fw {
namespace {

TEST(DialogUnits, ConvertsWithQuarterWidthAndEighthHeight)
{
    const DialogUnits units(6, 12);
    // Each edge is converted on its own: 65 → 97.5 → 98, 227 → 340.5 → 341,
    // 56 → 84, 73 → 109.5 → 110.
    EXPECT_EQ(units.ToPixels(QRect(65, 56, 162, 17)), QRect(98, 84, 243, 26));
    EXPECT_EQ(units.ToPixelsX(4), 6);
    EXPECT_EQ(units.ToPixelsY(8), 12);
    // Rounded halves go up: 1 unit of a 6-pixel font is 1.5 pixels.
    EXPECT_EQ(units.ToPixelsX(1), 2);
}

TEST(DialogUnits, MeasuresTheDialogFont)
{
    const QFont font = DialogFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(font.pointSize(), 9);
    const DialogUnits units(font);
    const QFontMetrics metrics(font);
    EXPECT_EQ(units.BaseY(), metrics.height());
    EXPECT_GE(units.BaseX(), 4);
    EXPECT_LE(units.BaseX(), 9);
}

class ProbeDialog final : public Dialog {
public:
    ProbeDialog() : Dialog(196) {}
    std::vector<std::pair<int, QEvent::Type>> seen;
    bool swallowKeys = false;
    int initCount = 0;

protected:
    void OnInitDialog() override
    {
        ++initCount;
        AddControl(1040, new QLineEdit, QRect(95, 50, 50, 12));
        AddControlAtPixels(1, new BitmapButton(QStringLiteral("OK")), QRect(30, 171, 50, 14));
        AddControl(1043, new QLineEdit, QRect(95, 138, 50, 15));
    }
    bool PreTranslateMessage(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            seen.emplace_back(ControlId(qobject_cast<QWidget*>(target)), event->type());
            return swallowKeys;
        }
        return false;
    }
};

TEST(Dialog, PlacesControlsAtTheirTemplateRectangles)
{
    ProbeDialog dialog;
    dialog.Create(false);
    EXPECT_EQ(dialog.Control(1040)->geometry(), dialog.Units().ToPixels(QRect(95, 50, 50, 12)));
    EXPECT_EQ(dialog.Control(1)->geometry(), QRect(30, 171, 50, 14));
    EXPECT_EQ(dialog.Control(1040)->font().family(), QStringLiteral("IPAPGothic"));
}

TEST(Dialog, InitialisesOnce)
{
    ProbeDialog dialog;
    dialog.Create(false);
    dialog.Create(true);
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(Dialog, FindsControlsAndTheirIds)
{
    ProbeDialog dialog;
    dialog.Create(false);
    EXPECT_NE(dialog.ControlAs<QLineEdit>(1040), nullptr);
    EXPECT_EQ(dialog.ControlAs<QLineEdit>(1), nullptr);
    EXPECT_EQ(dialog.Control(9999), nullptr);
    EXPECT_EQ(dialog.ControlId(dialog.Control(1043)), 1043);
    EXPECT_EQ(dialog.ControlId(&dialog), 0);
}

TEST(Dialog, ReportsTheFocusedControl)
{
    ProbeDialog dialog;
    dialog.Create(true);
    QApplication::setActiveWindow(&dialog);
    dialog.Control(1043)->setFocus();
    EXPECT_EQ(dialog.FocusedControlId(), 1043);
    dialog.Control(1)->setFocus();
    EXPECT_EQ(dialog.FocusedControlId(), 1);
}

TEST(Dialog, RunsClickHandlersById)
{
    ProbeDialog dialog;
    dialog.Create(true);
    int clicks = 0;
    dialog.OnClicked(1, [&clicks] { ++clicks; });
    QTest::mouseClick(dialog.Control(1), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST(Dialog, RunsTextChangeAndFocusLossHandlersById)
{
    ProbeDialog dialog;
    dialog.Create(true);
    QApplication::setActiveWindow(&dialog);
    int changes = 0;
    int losses = 0;
    dialog.OnTextChanged(1040, [&changes] { ++changes; });
    dialog.OnFocusLost(1040, [&losses, &dialog] {
        ++losses;
        EXPECT_EQ(dialog.FocusedControlId(), 1043);  // the new focus is already set
    });
    dialog.ControlAs<QLineEdit>(1040)->setText(QStringLiteral("x"));
    EXPECT_EQ(changes, 1);
    dialog.Control(1040)->setFocus();
    dialog.Control(1043)->setFocus();
    EXPECT_EQ(losses, 1);
}

TEST(Dialog, PreTranslationSeesControlEventsFirstAndMayConsumeThem)
{
    ProbeDialog dialog;
    dialog.Create(true);
    QApplication::setActiveWindow(&dialog);
    auto* edit = dialog.ControlAs<QLineEdit>(1040);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A);
    ASSERT_FALSE(dialog.seen.empty());
    EXPECT_EQ(dialog.seen.front().first, 1040);
    EXPECT_EQ(edit->text(), QStringLiteral("a"));

    dialog.swallowKeys = true;
    QTest::keyClick(edit, Qt::Key_B);
    EXPECT_EQ(edit->text(), QStringLiteral("a"));
}

TEST(Dialog, EndDialogLeavesTheModalLoop)
{
    ProbeDialog dialog;
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.EndDialog(7); });
    EXPECT_EQ(dialog.RunModalLoop(), 7);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_FALSE(dialog.isVisible());
}

TEST(Dialog, HidingTheWindowDoesNotEndItsLoop)
{
    ProbeDialog dialog;
    bool stillRunning = false;
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.hide(); });
    QTimer::singleShot(20, &dialog, [&] {
        stillRunning = !dialog.HasEnded();
        dialog.EndDialog(1);
    });
    EXPECT_EQ(dialog.RunModalLoop(), 1);
    EXPECT_TRUE(stillRunning);
}

}  // namespace
}  // namespace nubora::fw
