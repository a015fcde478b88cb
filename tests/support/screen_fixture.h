// What the tests of one input screen share, whoever hosts the screen: every
// platform dialog answered by the scripted services, the screen opened and
// active, and the few gestures and checks the tests use. `Owner`, the
// fixture built on this one, holds the screen as `screen` and opens it in
// Open().
#pragma once

#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/resources/control_ids.h"
#include "nubora/resources/string_table.h"
#include "screen_controls.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

#include <vector>

#include <gtest/gtest.h>

namespace nubora::testing {

template <class Screen, class Owner>
class ScreenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        static_cast<Owner&>(*this).Open();
        QApplication::setActiveWindow(&Shown());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Shown(), 2000));
    }
    Screen& Shown() { return static_cast<Owner&>(*this).screen; }

    template <class W>
    static W* As(fw::Dialog& dialog, int id)
    {
        return ControlOf<W>(dialog, id);
    }
    template <class W>
    W* As(int id)
    {
        return ControlOf<W>(Shown(), id);
    }
    fw::BitmapButton* Button(int id) { return As<fw::BitmapButton>(id); }
    QString Summary() { return As<QPlainTextEdit>(ctl::input::kSettingsSummary)->toPlainText(); }

    void Hover(QWidget* target, QPoint local = QPoint(5, 5))
    {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
    }
    // The pointer comes onto the button (which takes the focus without a
    // check) and clicks it.
    void Click(int buttonId)
    {
        Hover(Button(buttonId));
        QTest::mouseClick(Button(buttonId), Qt::LeftButton);
    }

    // True while `dialog` runs over the screen: the screen is its parent and
    // it opens over the screen, not at the desktop's centre.
    bool OpensOverTheScreen(const QWidget& dialog)
    {
        return dialog.parentWidget() == &Shown() && Shown().frameGeometry().contains(dialog.frameGeometry().center());
    }

    const std::vector<fw::testing::RecordedBox>& Boxes() { return services.messages.Boxes(); }
    // Exactly one box was shown: message `stringId` as a `type` box with the
    // program's caption, owned by the window titled `owner` (the screen when
    // empty).
    void ExpectOneBox(int stringId, fw::BoxType type, const QString& owner = QString())
    {
        ASSERT_EQ(Boxes().size(), 1u) << (Boxes().empty() ? "" : Boxes().back().text.toStdString());
        EXPECT_EQ(Boxes().back().text, res::LoadString(stringId));
        EXPECT_EQ(Boxes().back().type, type);
        EXPECT_EQ(Boxes().back().caption, QStringLiteral("ヌボラ"));
        EXPECT_EQ(Boxes().back().ownerTitle, owner.isEmpty() ? Shown().windowTitle() : owner);
    }

    fw::testing::ScriptedServices services;
};

}  // namespace nubora::testing
