// The program's pictures, painted in code at their stated sizes (in logical
// pixels, at any device pixel ratio): bitmaps by
// resource id (resource_ids.h), the program icon (128) and the cursor shown
// over buttons (209). Needs a QGuiApplication (for the fonts).
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

#include <functional>

class QPainter;

namespace nubora::res {

// Bitmap `id` painted at `devicePixelRatio` (> 0) device pixels per logical
// pixel: an image of its logical size times the ratio (rounded up) with that
// devicePixelRatio, so that it shows at its logical size without scaling. A
// null image for an id without a picture.
QImage LoadBitmap(int id, qreal devicePixelRatio = 1);
// Paints bitmap `id` at the ratio it is given, as LoadBitmap does: for a
// picture that is painted again when its widget's ratio changes.
std::function<QImage(qreal devicePixelRatio)> BitmapSource(int id);

// Icon 128 at `size` × `size` pixels.
QImage ProgramIconImage(int size);
// Icon 128 painted with `painter` over (0, 0, size, size): the same artwork on
// any paint device, a vector one included.
void PaintProgramIcon(QPainter& painter, int size);
// Icon 128 in the sizes a window manager asks for (16 to 256 pixels).
QIcon LoadProgramIcon();

// Cursor 209: its 32 × 32 picture and the cursor with its hot spot, painted
// at `devicePixelRatio` device pixels per logical pixel.
QImage ButtonCursorImage(qreal devicePixelRatio = 1);
QCursor LoadButtonCursor(qreal devicePixelRatio = 1);

}  // namespace nubora::res
