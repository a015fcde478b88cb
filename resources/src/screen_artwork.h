// Pictures of the input screens: the frame's eight picture buttons and the
// address-book background 198 with the field labels beside the fields.
#pragma once

#include "artwork_kit.h"
#include "nubora/framework/dialog_units.h"

#include <QImage>

namespace nubora::res::art {

// Each picture is painted at `ratio` device pixels per logical pixel; the
// sizes below are logical.

enum class FrameButtonKind { CreateCode, Exit, BackToMenu, ClearInput, SaveInput, OpenInput, Settings, Confirm };

// One frame button in one look: 126 × 61 (create, exit, back to the menu),
// 75 × 47 (clear, save, open, settings) or 82 × 23 (confirm).
QImage FrameButton(FrameButtonKind kind, ButtonLook look, qreal ratio);

// On an input screen's background measured in `units`: the settings panel
// with its heading in `headingInk` and a label per line of the summary box
// 1027, level with the lines, and the right column behind the side buttons.
void DrawSettingsPanelAndColumn(QPainter& painter, const fw::DialogUnits& units, const QColor& headingInk);

// 600 × 600: the address-book screen with the labels of its eight fields and
// of the settings summary, each level with its control.
QImage AddressBookBackground(qreal ratio);

}  // namespace nubora::res::art
