#include "artwork_kit.h"

#include "tavoqrenc.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPen>
#include <QStringList>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace nubora::res::art {

QFont JapaneseFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont FittedFont(QFont font, const QString& text, qreal width)
{
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QImage NewImage(int width, int height, const QColor& fill, qreal ratio)
{
    QImage image(qCeil(width * ratio), qCeil(height * ratio), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

void Prepare(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPainterPath Rounded(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void DrawFinder(QPainter& painter, QPointF origin, qreal module, const QColor& dark, const QColor& light)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(dark);
    painter.drawRect(QRectF(origin, QSizeF(7 * module, 7 * module)));
    painter.setBrush(light);
    painter.drawRect(QRectF(origin + QPointF(module, module), QSizeF(5 * module, 5 * module)));
    painter.setBrush(dark);
    painter.drawRect(QRectF(origin + QPointF(2 * module, 2 * module), QSizeF(3 * module, 3 * module)));
    painter.restore();
}

void DrawSymbolMotif(QPainter& painter, QRectF area, int modules, unsigned seed, const QColor& dark,
                     const QColor& light)
{
    const qreal m = area.width() / modules;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawRect(area);
    auto inFinder = [modules](int x, int y) {
        const bool left = x < 8, top = y < 8, right = x >= modules - 8, bottom = y >= modules - 8;
        return (left && top) || (right && top) || (left && bottom);
    };
    unsigned state = seed;
    painter.setBrush(dark);
    for (int y = 0; y < modules; ++y) {
        for (int x = 0; x < modules; ++x) {
            state = state * 1103515245u + 12345u;
            if (inFinder(x, y))
                continue;
            const bool timing = (x == 6 || y == 6);
            const bool darkCell = timing ? ((x + y) % 2 == 0) : ((state >> 16) & 3) < 2;
            if (darkCell)
                painter.drawRect(QRectF(area.left() + x * m, area.top() + y * m, m + 0.05, m + 0.05));
        }
    }
    DrawFinder(painter, area.topLeft(), m, dark, light);
    DrawFinder(painter, area.topLeft() + QPointF((modules - 7) * m, 0), m, dark, light);
    DrawFinder(painter, area.topLeft() + QPointF(0, (modules - 7) * m), m, dark, light);
    painter.restore();
}

namespace {

// ヌボラ in Shift-JIS, the engine's text encoding: three Kanji-mode characters.
constexpr char kNameShiftJis[] = "\x83\x6b\x83\x7b\x83\x89";
constexpr int kNameModules = 21;     // version 1
constexpr int kEngineQuietZone = 4;  // modules around every bitmap of the engine
constexpr int kPlateMargin = 2;      // modules of quiet zone the plate leaves

// The name symbol's modules, one pixel each, dark and light in their
// colours; a null image should the engine fail.
QImage NameSymbolImage(const QColor& dark, const QColor& light)
{
    QrBitmap** bitmaps = nullptr;
    QrEncodeParams params{1, TAVOQRENC_LEVEL_H};
    if (TavoQREnc_QrEncode(kNameShiftJis, sizeof kNameShiftJis - 1, 1, &bitmaps, &params) != TAVOQRENC_OK)
        return {};
    QImage image(kNameModules, kNameModules, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < kNameModules; ++y) {
        for (int x = 0; x < kNameModules; ++x)
            image.setPixelColor(x, y, bitmaps[0]->IsDark(x + kEngineQuietZone, y + kEngineQuietZone) ? dark : light);
    }
    TavoQREnc_FreeBitmaps(bitmaps, 1);
    return image;
}

}  // namespace

void DrawNameSymbol(QPainter& painter, QRectF area, const QColor& dark, const QColor& light)
{
    const qreal module = std::max<qreal>(1, std::round(area.width() / kNameModules));
    const qreal side = module * kNameModules;
    // Whole logical pixels, so that every module is as wide as the others.
    const QRectF symbol(std::round(area.center().x() - side / 2), std::round(area.center().y() - side / 2), side, side);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    const qreal margin = kPlateMargin * module;
    painter.drawPath(Rounded(symbol.adjusted(-margin, -margin, margin, margin), module));
    // Nearest neighbour: each module a crisp square, never a blur.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(symbol, NameSymbolImage(dark, light));
    painter.restore();
}

void DrawCaption(QPainter& painter, const QRectF& box, const char* line1, const char* line2, int pixelSize,
                 const QColor& ink)
{
    QStringList lines{QString::fromUtf8(line1)};
    if (*line2)
        lines << QString::fromUtf8(line2);
    QFont font = JapaneseFont(pixelSize, true);
    for (const QString& line : lines)
        font = FittedFont(font, line, box.width());
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, lines.join(QLatin1Char('\n')));
}

QColor Tint(const QColor& colour, int percentWhite)
{
    const auto mix = [percentWhite](int c) { return (c * (100 - percentWhite) + 255 * percentWhite) / 100; };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

QRectF DrawButtonBody(QPainter& p, QSize size, const QColor& colour, ButtonLook look, qreal maxRadius)
{
    const bool pressed = look == ButtonLook::Pressed;
    const bool lit = look != ButtonLook::Normal;
    const QRectF body =
        QRectF(2, 2, size.width() - 5, size.height() - 6).translated(pressed ? QPointF(1, 1.5) : QPointF());
    const qreal radius = std::min<qreal>(maxRadius, body.height() / 2);
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x2a, 0x44, 40));
        p.drawPath(Rounded(body.translated(1.5, 2.5), radius));
    }
    p.setBrush(pressed ? colour : (lit ? Tint(colour, 88) : kPaper));
    p.setPen(QPen(lit ? kAccent : Tint(colour, 40), lit ? 2.5 : 1.2));
    p.drawPath(Rounded(body.adjusted(1, 1, -1, -1), radius - 1));
    return body;
}

QImage PaintButtonFace(const ButtonFace& face, ButtonLook look, qreal ratio, const FaceContents& contents)
{
    QImage image = NewImage(face.size.width(), face.size.height(), Qt::transparent, ratio);
    QPainter p(&image);
    Prepare(p);
    const bool pressed = look == ButtonLook::Pressed;
    const QRectF body = DrawButtonBody(p, face.size, face.colour, look);
    contents(p, body, pressed ? QColor(Qt::white) : face.colour, pressed ? QColor(Qt::white) : kInk);
    return image;
}

void DrawPaperAndBand(QPainter& p, QSize size, int bandHeight, const QColor& from, const QColor& to)
{
    QLinearGradient paper(0, 60, 0, size.height());
    paper.setColorAt(0, kSky);
    paper.setColorAt(1, Qt::white);
    p.fillRect(QRect(QPoint(0, 0), size), paper);
    QLinearGradient band(0, 0, size.width(), 0);
    band.setColorAt(0, from);
    band.setColorAt(1, to);
    p.fillRect(QRect(0, 0, size.width(), bandHeight), band);
    p.fillRect(QRect(0, bandHeight, size.width(), 3), kAccent);
}

void DrawPanel(QPainter& p, const QRectF& panel)
{
    p.setPen(QPen(QColor(0xc8, 0xd6, 0xea), 1));
    p.setBrush(Qt::white);
    p.drawPath(Rounded(panel, 8));
}

void DrawFittedLabel(QPainter& p, const QRectF& box, const char* utf8, int pixelSize, bool bold, Qt::Alignment align)
{
    const QString label = QString::fromUtf8(utf8);
    p.setFont(FittedFont(JapaneseFont(pixelSize, bold), label, box.width()));
    p.setPen(kInk);
    p.drawText(box, align, label);
}

}  // namespace nubora::res::art
