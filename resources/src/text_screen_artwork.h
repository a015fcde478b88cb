// Pictures of the e-mail and free-text screens: their backgrounds 201 and
// 200 with the field labels beside the fields, and the free-text screen's
// three link buttons.
#pragma once

#include "artwork_kit.h"

#include <QImage>

namespace nubora::res::art {

// Each picture is painted at `ratio` device pixels per logical pixel; the
// sizes below are logical.

enum class LinkButtonKind { Tel, Navi, OneSeg };

// 82 × 23: one link button in one look.
QImage LinkButton(LinkButtonKind kind, ButtonLook look, qreal ratio);

// 600 × 600: the e-mail screen with the labels of recipient, subject and
// body and of the settings summary, each level with its control.
QImage MailBackground(qreal ratio);

// 600 × 600: the free-text screen with the label of the text, a heading over
// the link buttons and the labels of the settings summary.
QImage FreeTextBackground(qreal ratio);

}  // namespace nubora::res::art
