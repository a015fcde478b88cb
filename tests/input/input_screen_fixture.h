// The set-up the input-screen tests share: one of the three screens on the
// fake host, opened as the menu opens it and active, every platform dialog
// answered by the scripted services, and the few gestures and checks each
// test uses.
#pragma once

#include "fake_screen_host.h"
#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/testing/scripted_services.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
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

template <class Screen>
class InputScreenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.Hold(screen);
        host.OpenScreen(screen.Id());
        QApplication::setActiveWindow(&screen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen, 2000));
    }

    template <class W>
    static W* As(fw::Dialog& dialog, int id)
    {
        return ControlOf<W>(dialog, id);
    }
    template <class W>
    W* As(int id)
    {
        return ControlOf<W>(screen, id);
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
    bool OpensOverTheScreen(const QWidget& dialog) const
    {
        return dialog.parentWidget() == &screen && screen.frameGeometry().contains(dialog.frameGeometry().center());
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
        EXPECT_EQ(Boxes().back().ownerTitle, owner.isEmpty() ? screen.windowTitle() : owner);
    }

    fw::testing::ScriptedServices services;
    FakeScreenHost host;
    Screen screen{host};
};

}  // namespace nubora::testing
