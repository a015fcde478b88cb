// Shared colours, fonts and drawing helpers of the painted artwork.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <functional>

namespace nubora::res::art {

// The palette: a deep indigo for text and outlines, a fresh blue for the
// brand, an orange accent for focus, warm off-white paper.
inline const QColor kInk{0x1f, 0x2a, 0x44};
inline const QColor kBrand{0x1e, 0x6f, 0xd9};
inline const QColor kBrandDark{0x14, 0x4f, 0xa3};
inline const QColor kSky{0xe8, 0xf1, 0xfc};
inline const QColor kPaper{0xff, 0xfd, 0xf8};
inline const QColor kAccent{0xf5, 0x8a, 0x1f};
inline const QColor kMuted{0x6b, 0x78, 0x90};

// The three looks of a picture button.
enum class ButtonLook { Normal, Pressed, Focused };

// `colour` mixed with `percentWhite` per cent of white.
QColor Tint(const QColor& colour, int percentWhite);

// IPAPGothic at `pixelSize`, optionally bold.
QFont JapaneseFont(int pixelSize, bool bold = false);

// `font` made a pixel smaller at a time, but not below 8 pixels, until `text`
// fits `width` logical pixels.
QFont FittedFont(QFont font, const QString& text, qreal width);

// A blank ARGB image of `width` × `height` logical pixels filled with `fill`,
// painted at `ratio` device pixels per logical pixel (its devicePixelRatio):
// a painter on it draws in logical pixels.
QImage NewImage(int width, int height, const QColor& fill = Qt::transparent, qreal ratio = 1);

// A painter with antialiasing for shapes and text.
void Prepare(QPainter& painter);

// A rounded rectangle path.
QPainterPath Rounded(const QRectF& rect, qreal radius);

// The paper of a window of `size` (sky fading to white from y 60 down) and
// its title band, `bandHeight` high, from `from` on the left to `to` on the
// right, with a 3 pixel accent line under it.
void DrawPaperAndBand(QPainter& painter, QSize size, int bandHeight, const QColor& from, const QColor& to);

// A white panel with a thin border and corners of 8 pixels, as the screens
// draw behind their fields.
void DrawPanel(QPainter& painter, const QRectF& panel);

// `utf8` in kInk placed in `box` by `align`, in IPAPGothic of `pixelSize`
// (optionally bold) shrunk until it fits (FittedFont).
void DrawFittedLabel(QPainter& painter, const QRectF& box, const char* utf8, int pixelSize, bool bold,
                     Qt::Alignment align);

// One or two caption lines (UTF-8; line2 may be empty) centred in box, in
// bold IPAPGothic of pixelSize, shrunk until every line fits the width.
void DrawCaption(QPainter& painter, const QRectF& box, const char* line1, const char* line2, int pixelSize,
                 const QColor& ink);

// The rounded body of a picture button of `size` in `look`: a soft shadow
// unless pressed; paper with a border tinted from `colour`, a light tint of
// it with the accent border when focused, `colour` itself when pressed (the
// body then moved down and right). Corners of at most `maxRadius`. Returns
// the body's rectangle, for what is drawn on it.
QRectF DrawButtonBody(QPainter& painter, QSize size, const QColor& colour, ButtonLook look, qreal maxRadius = 10);

// The face of a picture button: its size in logical pixels, its colour, and
// its caption of one or two lines (UTF-8; line2 may be empty).
struct ButtonFace {
    QSize size;
    QColor colour;
    const char* line1;
    const char* line2;
};

// Draws on the body of a face: the pictogram in `ink` (the face's colour)
// and the caption in `text` (kInk), both white when the face is pressed.
using FaceContents = std::function<void(QPainter& painter, const QRectF& body, const QColor& ink, const QColor& text)>;

// `face` in `look` at `ratio`: a transparent image of the face's size, its
// button body (DrawButtonBody) and `contents` on the body.
QImage PaintButtonFace(const ButtonFace& face, ButtonLook look, qreal ratio, const FaceContents& contents);

// A QR Code finder pattern (7 × 7 modules) at `origin`, modules of `module` px.
void DrawFinder(QPainter& painter, QPointF origin, qreal module, const QColor& dark, const QColor& light);

// A decorative symbol-like pattern of `modules` × `modules` cells with the
// three finder patterns, its data cells chosen by a fixed pseudo-random
// sequence from `seed` so that it looks the same on every run.
void DrawSymbolMotif(QPainter& painter, QRectF area, int modules, unsigned seed, const QColor& dark,
                     const QColor& light);

// The program's name, ヌボラ, as a real QR Code symbol (version 1, level H)
// made by the engine, that any reader decodes: `dark` modules, whole logical
// pixels each (the nearest to 1/21 of area's width, at least one), centred on
// `area` and drawn crisply, on a `light` plate that leaves a quiet zone of two
// modules around them. Draws the plate alone should the engine fail.
void DrawNameSymbol(QPainter& painter, QRectF area, const QColor& dark, const QColor& light);

}  // namespace nubora::res::art
