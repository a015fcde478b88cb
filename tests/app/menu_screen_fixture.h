// The set-up of the tests of what the menu does for an input screen: the
// real menu with one of its three screens open and active, every platform
// dialog answered by the scripted services, and the gestures and checks.
#pragma once

#include "nubora/app/main_menu_dialog.h"
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
#include <QTest>

#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

namespace nubora::testing {

template <class Screen>
class MenuScreenFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.Create(true);
        if constexpr (std::is_same_v<Screen, AddressBookDialog>)
            menu.OpenAddressBook();
        else if constexpr (std::is_same_v<Screen, MailDialog>)
            menu.OpenMail();
        else
            menu.OpenFreeText();
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

    void Hover(QWidget* target, QPoint local = QPoint(5, 5))
    {
        const QPointF global = target->mapToGlobal(QPointF(local));
        QMouseEvent move(QEvent::MouseMove, QPointF(local), global, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
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
    MainMenuDialog menu;
    Screen& screen = [this]() -> Screen& {
        if constexpr (std::is_same_v<Screen, AddressBookDialog>)
            return *menu.addressBook;
        else if constexpr (std::is_same_v<Screen, MailDialog>)
            return *menu.mail;
        else
            return *menu.freeText;
    }();
};

}  // namespace nubora::testing
