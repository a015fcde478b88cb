// Small helpers the screen tests share: CP932 text from UTF-8, and a
// dialog's control by id that stops the test binary when it is missing.
#pragma once

#include <QString>

#include <cstdlib>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/cp932.h"
#include "nubora/framework/dialog.h"
#include "nubora/resources/artwork.h"

namespace nubora::testing {

inline std::string Sjis(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value(); }

template <class W>
W* ControlOf(fw::Dialog& dialog, int id)
{
    W* control = dialog.ControlAs<W>(id);
    if (!control)
        std::abort();
    return control;
}

// A picture button as a screen places it: its id, its rectangle in client
// pixels, and the bitmap ids of its three looks.
struct PictureButton {
    int id;
    QRect rect;
    int normal, pressed, focused;
};

// Each button stands at its rectangle with its three pictures (the normal
// one exactly the button's size) and the program's button cursor.
inline void ExpectPictureButtons(fw::Dialog& dialog, std::initializer_list<PictureButton> buttons)
{
    for (const PictureButton& c : buttons) {
        const fw::BitmapButton* button = ControlOf<fw::BitmapButton>(dialog, c.id);
        EXPECT_EQ(button->geometry(), c.rect) << c.id;
        EXPECT_EQ(button->Picture(fw::BitmapButton::Look::Normal), res::LoadBitmap(c.normal)) << c.id;
        EXPECT_EQ(button->Picture(fw::BitmapButton::Look::Pressed), res::LoadBitmap(c.pressed)) << c.id;
        EXPECT_EQ(button->Picture(fw::BitmapButton::Look::Focused), res::LoadBitmap(c.focused)) << c.id;
        EXPECT_EQ(res::LoadBitmap(c.normal).size(), c.rect.size()) << c.id;
        EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor) << c.id;
    }
}

}  // namespace nubora::testing
