// The set-up the input-screen tests share: one of the three screens on the
// fake host, opened as the menu opens it, with the gestures and checks of
// ScreenFixture.
#pragma once

#include "fake_screen_host.h"
#include "nubora/input/address_book_dialog.h"
#include "nubora/input/free_text_dialog.h"
#include "nubora/input/mail_dialog.h"
#include "screen_fixture.h"

namespace nubora::testing {

template <class Screen>
class InputScreenFixture : public ScreenFixture<Screen, InputScreenFixture<Screen>> {
protected:
    friend class ScreenFixture<Screen, InputScreenFixture<Screen>>;
    void Open()
    {
        host.Hold(screen);
        host.OpenScreen(screen.Id());
    }

    FakeScreenHost host;
    Screen screen{host};
};

}  // namespace nubora::testing
