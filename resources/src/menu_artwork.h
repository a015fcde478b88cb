// Pictures of the main menu: background 139 and the picture buttons 163-175.
#pragma once

#include "artwork_kit.h"

#include <QImage>

namespace nubora::res::art {

// Each picture is painted at `ratio` device pixels per logical pixel; the
// sizes below are logical.

// 500 × 350: title band, prompt, the right column and the footer.
QImage MenuBackground(qreal ratio);

enum class MenuButtonKind { AddressBook, Mail, FreeText };

// 131 × 191: one of the three content buttons in one look.
QImage MenuCard(MenuButtonKind kind, ButtonLook look, qreal ratio);
// 124 × 42: the exit button in one look.
QImage MenuExitButton(ButtonLook look, qreal ratio);

}  // namespace nubora::res::art
