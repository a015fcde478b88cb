// The picture buttons of the menu and the screens: a bitmap button with its
// three pictures painted by the program and the hand cursor over it.
#pragma once

#include "nubora/framework/bitmap_button.h"
#include "nubora/framework/dialog.h"
#include "nubora/resources/resource_ids.h"

#include <QRect>

namespace nubora::res {

// Adds to `dialog` a bitmap button as control `id` (unique within the
// dialog) at `pixelRect` in client pixels, `caption` (UTF-8) as its caption
// and accessible name, painted from the bitmaps `pictures` at the window's
// device pixel ratio, with cursor 209 over it. The dialog owns the button;
// the returned pointer is never null.
fw::BitmapButton* AddPictureButton(fw::Dialog& dialog, int id, const char* caption, const QRect& pixelRect,
                                   ButtonPictures pictures);

}  // namespace nubora::res
