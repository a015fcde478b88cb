#include "menu_artwork.h"

#include "artwork_kit.h"

#include <QLinearGradient>

namespace nubora::res::art {
namespace {

constexpr int kMenuWidth = 500;
constexpr int kMenuHeight = 350;
constexpr int kCardWidth = 131;
constexpr int kCardHeight = 191;
constexpr int kExitWidth = 124;
constexpr int kExitHeight = 42;

struct CardContent {
    QColor colour;
    const char* title;
    const char* line1;
    const char* line2;
};

CardContent ContentOf(MenuButtonKind kind)
{
    switch (kind) {
    case MenuButtonKind::AddressBook:
        return {QColor(0x12, 0x9c, 0x8e), "アドレス帳", "名前や電話番号を", "電話帳コードに"};
    case MenuButtonKind::Mail: return {QColor(0x1e, 0x6f, 0xd9), "Eメール", "宛先・件名・本文を", "メール作成コードに"};
    case MenuButtonKind::FreeText:
        return {QColor(0x7a, 0x4c, 0xcf), "フリーテキスト", "自由な文章やリンクを", "テキストコードに"};
    }
    return {};
}

void DrawPerson(QPainter& p, QPointF c, qreal r)
{
    p.drawEllipse(QRectF(c.x() - r * 0.36, c.y() - r * 0.62, r * 0.72, r * 0.72));
    QPainterPath body;
    body.moveTo(c.x() - r * 0.62, c.y() + r * 0.62);
    body.cubicTo(c.x() - r * 0.62, c.y() + r * 0.05, c.x() + r * 0.62, c.y() + r * 0.05, c.x() + r * 0.62,
                 c.y() + r * 0.62);
    body.closeSubpath();
    p.drawPath(body);
}

void DrawEnvelope(QPainter& p, QPointF c, qreal r, const QColor& back)
{
    const QRectF box(c.x() - r * 0.7, c.y() - r * 0.45, r * 1.4, r * 0.95);
    p.drawRoundedRect(box, r * 0.08, r * 0.08);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(back, r * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({box.topLeft() + QPointF(r * 0.1, r * 0.1), QPointF(c.x(), c.y() + r * 0.08),
                              box.topRight() + QPointF(-r * 0.1, r * 0.1)}));
    p.restore();
}

void DrawDocument(QPainter& p, QPointF c, qreal r, const QColor& back)
{
    const QRectF page(c.x() - r * 0.5, c.y() - r * 0.65, r * 1.0, r * 1.3);
    const qreal fold = r * 0.3;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    p.drawPath(outline);
    p.save();
    p.setPen(QPen(back, r * 0.09, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const qreal y = page.top() + r * (0.45 + 0.22 * i);
        const qreal right = page.right() - r * (i == 3 ? 0.4 : 0.16);
        p.drawLine(QPointF(page.left() + r * 0.16, y), QPointF(right, y));
    }
    p.restore();
}

void DrawPictogram(QPainter& p, MenuButtonKind kind, QPointF centre, qreal radius, const QColor& back)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    switch (kind) {
    case MenuButtonKind::AddressBook: DrawPerson(p, centre, radius); break;
    case MenuButtonKind::Mail: DrawEnvelope(p, centre, radius, back); break;
    case MenuButtonKind::FreeText: DrawDocument(p, centre, radius, back); break;
    }
    p.restore();
}

void DrawCentredText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignVCenter, text);
}

}  // namespace

QImage MenuBackground(qreal ratio)
{
    QImage image = NewImage(kMenuWidth, kMenuHeight, Qt::white, ratio);
    QPainter p(&image);
    Prepare(p);

    // Paper, a soft sky fading to white, and the title band.
    DrawPaperAndBand(p, QSize(kMenuWidth, kMenuHeight), 56, kBrandDark, kBrand);
    DrawNameSymbol(p, QRectF(14, 9, 38, 38), kBrandDark, Qt::white);
    p.setFont(JapaneseFont(30, true));
    p.setPen(Qt::white);
    p.drawText(QPointF(64, 40), QStringLiteral("ヌボラ"));
    p.setFont(JapaneseFont(13));
    p.setPen(QColor(0xdc, 0xe9, 0xfb));
    p.drawText(QPointF(172, 39), QStringLiteral("かんたんQRコード作成"));

    // Prompt above the buttons.
    p.setFont(JapaneseFont(12));
    p.setPen(kInk);
    p.drawText(QPointF(12, 73), QStringLiteral("作りたいQRコードの種類を選んでください。"));

    // Right column: a sample symbol and the three steps.
    const QRectF sample(423, 84, 66, 66);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(Rounded(sample.adjusted(-5, -5, 5, 5), 6));
    DrawNameSymbol(p, sample, kInk, Qt::white);
    const char* steps[] = {"種類を選ぶ", "入力する", "作成する"};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 172 + i * 32;
        p.setPen(Qt::NoPen);
        p.setBrush(kBrand);
        p.drawEllipse(QRectF(419, y - 11, 16, 16));
        p.setPen(Qt::white);
        p.setFont(JapaneseFont(11, true));
        p.drawText(QRectF(419, y - 11, 16, 16), Qt::AlignCenter, QString::number(i + 1));
        p.setPen(kInk);
        p.setFont(JapaneseFont(10));
        p.drawText(QPointF(438, y + 1), QString::fromUtf8(steps[i]));
        if (i < 2) {
            p.setPen(QPen(Tint(kBrand, 50), 1.5, Qt::DotLine));
            p.drawLine(QPointF(427, y + 7), QPointF(427, y + 19));
        }
    }

    // Footer.
    p.setPen(QPen(QColor(0xc8, 0xd6, 0xea), 1));
    p.drawLine(QPointF(10, 283.5), QPointF(490, 283.5));
    p.setFont(JapaneseFont(11));
    p.setPen(kMuted);
    p.drawText(QPointF(196, 312), QStringLiteral("作成したコードは保存・印刷・コピーできます。"));
    p.setFont(JapaneseFont(10));
    p.drawText(QRectF(196, 320, 294, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("ISO/IEC 18004 QRコード モデル2"));
    return image;
}

QImage MenuCard(MenuButtonKind kind, ButtonLook look, qreal ratio)
{
    const CardContent content = ContentOf(kind);
    QImage image = NewImage(kCardWidth, kCardHeight, Qt::transparent, ratio);
    QPainter p(&image);
    Prepare(p);

    const bool pressed = look == ButtonLook::Pressed;
    const bool lit = look != ButtonLook::Normal;
    const QPointF shift = pressed ? QPointF(1.5, 2) : QPointF(0, 0);
    const QRectF card = QRectF(2, 2, kCardWidth - 6, kCardHeight - 7).translated(shift);

    // Shadow, then the card.
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x2a, 0x44, 40));
        p.drawPath(Rounded(card.translated(2, 3), 11));
    }
    p.setBrush(pressed ? Tint(content.colour, 80) : (lit ? Tint(content.colour, 92) : kPaper));
    p.setPen(QPen(lit ? kAccent : Tint(content.colour, 45), lit ? 3 : 1.2));
    p.drawPath(Rounded(card.adjusted(1, 1, -1, -1), 10));

    // Pictogram in a coloured disc.
    const QPointF centre = card.topLeft() + QPointF(card.width() / 2, 54);
    QRadialGradient disc(centre - QPointF(8, 10), 44);
    disc.setColorAt(0, Tint(content.colour, 25));
    disc.setColorAt(1, pressed ? content.colour.darker(115) : content.colour);
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(centre, 33, 33);
    DrawPictogram(p, kind, centre, 26, content.colour);

    // Title and the two lines that say what it makes.
    DrawCentredText(p, QRectF(card.left(), card.top() + 96, card.width(), 24), QString::fromUtf8(content.title),
                    JapaneseFont(kind == MenuButtonKind::FreeText ? 15 : 17, true), kInk);
    DrawCentredText(p, QRectF(card.left(), card.top() + 121, card.width(), 15), QString::fromUtf8(content.line1),
                    JapaneseFont(10), kMuted);
    DrawCentredText(p, QRectF(card.left(), card.top() + 136, card.width(), 15), QString::fromUtf8(content.line2),
                    JapaneseFont(10), kMuted);

    // Foot strip: the action.
    const QRectF foot(card.left() + 10, card.bottom() - 30, card.width() - 20, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(lit ? kAccent : content.colour);
    p.drawPath(Rounded(foot, 10.5));
    DrawCentredText(p, foot, lit ? QStringLiteral("入力画面へ ▶") : QStringLiteral("えらぶ"), JapaneseFont(11, true),
                    Qt::white);
    return image;
}

QImage MenuExitButton(ButtonLook look, qreal ratio)
{
    QImage image = NewImage(kExitWidth, kExitHeight, Qt::transparent, ratio);
    QPainter p(&image);
    Prepare(p);
    const bool pressed = look == ButtonLook::Pressed;
    const bool lit = look != ButtonLook::Normal;
    const QColor red(0xc8, 0x3c, 0x3c);
    const QRectF pill = QRectF(2, 2, kExitWidth - 5, kExitHeight - 6).translated(pressed ? QPointF(1, 1.5) : QPointF());
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x2a, 0x44, 40));
        p.drawPath(Rounded(pill.translated(1.5, 2.5), pill.height() / 2));
    }
    p.setBrush(pressed ? red : (lit ? Tint(kAccent, 88) : kPaper));
    p.setPen(QPen(lit ? kAccent : Tint(red, 40), lit ? 2.5 : 1.2));
    p.drawPath(Rounded(pill.adjusted(1, 1, -1, -1), pill.height() / 2 - 1));

    // A power symbol and the word.
    const QColor ink = pressed ? Qt::white : red;
    const QPointF c = pill.topLeft() + QPointF(30, pill.height() / 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 8, c.y() - 8, 16, 16), 125 * 16, 290 * 16);
    p.drawLine(c - QPointF(0, 10), c - QPointF(0, 2));
    p.setFont(JapaneseFont(16, true));
    p.setPen(pressed ? QColor(Qt::white) : kInk);
    p.drawText(QRectF(pill.left() + 44, pill.top(), pill.width() - 52, pill.height()), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("終了"));
    return image;
}

}  // namespace nubora::res::art
