// Pictures of the code view: its background 199 with the labels of the
// information lines, and the faces of its save, back, copy and print buttons.
#pragma once

#include <QImage>

namespace nubora::res::art {

// Bitmap `id`, painted at `ratio` device pixels per logical pixel, when it is one of the code view's own pictures
// (background 199, buttons 144/155/154, 212/213/211, 188/190/189, 191/187/192); a null image for any other id.
QImage CodeViewBitmap(int id, qreal ratio);

// 600 × 600 logical pixels at `ratio`: the code view's background, its labels level with the lines of
// the information box and beside the symbol number box.
QImage CodeViewBackground(qreal ratio);

}  // namespace nubora::res::art
