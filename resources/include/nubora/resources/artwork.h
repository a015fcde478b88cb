// The program's pictures, painted in code at their stated sizes: bitmaps by
// resource id (resource_ids.h), the program icon (128) and the cursor shown
// over buttons (209). Needs a QGuiApplication (for the fonts).
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

class QPainter;

namespace nubora::res {

// Bitmap `id`; a null image for an id without a picture.
QImage LoadBitmap(int id);

// Icon 128 at `size` × `size` pixels.
QImage ProgramIconImage(int size);
// Icon 128 painted with `painter` over (0, 0, size, size): the same artwork on
// any paint device, a vector one included.
void PaintProgramIcon(QPainter& painter, int size);
// Icon 128 in the sizes a window manager asks for (16 to 256 pixels).
QIcon LoadProgramIcon();

// Cursor 209: its 32 × 32 picture and the cursor with its hot spot.
QImage ButtonCursorImage();
QCursor LoadButtonCursor();

}  // namespace nubora::res
