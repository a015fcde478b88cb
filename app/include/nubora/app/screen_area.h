// Reading a code from an area of the screen: the screen's picture taken, the
// area the user drags out over it, and that area in the picture's pixels.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

namespace nubora {

// The smallest drag that picks an area, in logical pixels each way: a
// smaller one is a click, which picks nothing.
inline constexpr int kMinimumDrag = 4;

// How long the windows are given to leave the screen before it is taken,
// in milliseconds.
inline constexpr int kHideDelayMs = 250;

// The area between `from` and `to` (either may come first), in logical
// pixels of an overlay of `shown` logical pixels, as pixels of `picture`
// (the same area at the screen's device pixel ratio, or any other scale),
// clipped to the picture. Also for a drag smaller than kMinimumDrag.
QRect ScaledToPicture(QPoint from, QPoint to, QSize shown, QSize picture);

// The part of `picture` that a drag from `from` to `to` over an overlay of
// `shown` logical pixels picks (ScaledToPicture); nothing for a click or a
// drag less than kMinimumDrag either way, or when `shown` or `picture` is empty.
std::optional<QRect> PickedPixels(QPoint from, QPoint to, QSize shown, QSize picture);

// Takes the picture of the whole virtual desktop (every screen), in device
// pixels. A null picture where the platform gives none (Wayland, offscreen).
using ScreenGrabber = std::function<QImage()>;
QImage GrabWholeDesktop();

// True where a program may take pictures of other windows at all: false on
// Wayland, whose compositor gives none without a portal, also to an X11
// program on XWayland (XDG_SESSION_TYPE=wayland).
bool ScreenGrabAllowed();

// Shows `screen` (the picture of `where`, the virtual desktop in logical
// pixels) dimmed in a frameless overlay over all of it, on which the user
// drags out an area with a crosshair; the area shows undimmed and outlined.
// Returns the area's part of `screen` in its own pixels; nothing when the
// user cancels (Esc, the right button, a click without a drag, closing).
// Blocks in a local event loop until then.
std::optional<QImage> PickScreenArea(const QImage& screen, const QRect& where);

}  // namespace nubora
