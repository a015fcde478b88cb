#include "nubora/resources/picture_button.h"

#include "nubora/resources/artwork.h"

namespace nubora::res {

fw::BitmapButton* AddPictureButton(fw::Dialog& dialog, int id, const char* caption, const QRect& pixelRect,
                                   ButtonPictures pictures)
{
    auto* button = dialog.AddControlAtPixels(id, new fw::BitmapButton(QString::fromUtf8(caption)), pixelRect);
    button->SetPictures(BitmapSource(pictures.normal), BitmapSource(pictures.pressed), BitmapSource(pictures.focused));
    button->SetCursorSource(LoadButtonCursor);
    return button;
}

}  // namespace nubora::res
