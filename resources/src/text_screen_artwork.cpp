#include "text_screen_artwork.h"

#include "artwork_kit.h"
#include "nubora/framework/dialog_units.h"
#include "nubora/resources/input_screen_layout.h"
#include "nubora/resources/screen_labels.h"
#include "screen_artwork.h"

#include <QFontMetrics>
#include <QLinearGradient>

#include <iterator>

namespace nubora::res::art {
namespace {

constexpr int kScreenSide = 600;

struct LinkFace {
    QColor colour;
    const char* caption;
};

LinkFace FaceOf(LinkButtonKind kind)
{
    switch (kind) {
    case LinkButtonKind::Tel: return {QColor(0x2e, 0x8b, 0x57), "TELリンク"};
    case LinkButtonKind::Navi: return {QColor(0xd9, 0x4f, 0x2b), "ナビリンク"};
    case LinkButtonKind::OneSeg: return {QColor(0x7a, 0x4c, 0xcf), "ワンセグ"};
    }
    return {};
}

// A handset, a map pin or a small television, centred on `c`, about 2r
// across, in `ink` on `paper`.
void DrawLinkPictogram(QPainter& p, LinkButtonKind kind, QPointF c, qreal r, const QColor& ink, const QColor& paper)
{
    p.save();
    p.setPen(QPen(ink, r * 0.28, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
    case LinkButtonKind::Tel: {
        QPainterPath handset;
        handset.moveTo(c + QPointF(-r * 0.8, -r * 0.55));
        handset.cubicTo(c + QPointF(-r * 0.9, r * 0.2), c + QPointF(-r * 0.2, r * 0.9), c + QPointF(r * 0.55, r * 0.8));
        p.drawPath(handset);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(c + QPointF(-r * 0.7, -r * 0.7), r * 0.3, r * 0.3);
        p.drawEllipse(c + QPointF(r * 0.7, r * 0.7), r * 0.3, r * 0.3);
        break;
    }
    case LinkButtonKind::Navi: {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(c + QPointF(0, -r * 0.3), r * 0.62, r * 0.62);
        p.drawPolygon(
            QPolygonF({c + QPointF(-r * 0.52, -r * 0.05), c + QPointF(r * 0.52, -r * 0.05), c + QPointF(0, r)}));
        p.setBrush(paper);
        p.drawEllipse(c + QPointF(0, -r * 0.3), r * 0.25, r * 0.25);
        break;
    }
    case LinkButtonKind::OneSeg:
        p.drawRoundedRect(QRectF(c.x() - r, c.y() - r * 0.6, 2 * r, r * 1.4), r * 0.2, r * 0.2);
        p.drawLine(c + QPointF(-r * 0.4, -r * 1.1), c + QPointF(0, -r * 0.65));
        p.drawLine(c + QPointF(r * 0.4, -r * 1.1), c + QPointF(0, -r * 0.65));
        break;
    }
    p.restore();
}

// Paper, the title band with the screen's name and a line on what it makes.
void DrawBackdrop(QPainter& p, const QString& title, const QString& subtitle, const QColor& from, const QColor& to)
{
    DrawPaperAndBand(p, QSize(kScreenSide, kScreenSide), 52, from, to);
    p.setFont(JapaneseFont(24, true));
    p.setPen(Qt::white);
    p.drawText(QPointF(16, 36), title);
    const int titleWidth = QFontMetrics(JapaneseFont(24, true)).horizontalAdvance(title);
    p.setFont(JapaneseFont(12));
    p.setPen(Tint(to, 80));
    p.drawText(QPointF(16 + titleWidth + 18, 35), subtitle);
}

}  // namespace

QImage LinkButton(LinkButtonKind kind, ButtonLook look, qreal ratio)
{
    const LinkFace face = FaceOf(kind);
    QImage image = NewImage(82, 23, Qt::transparent, ratio);
    QPainter p(&image);
    Prepare(p);
    const bool pressed = look == ButtonLook::Pressed;
    const QRectF body = DrawButtonBody(p, QSize(82, 23), face.colour, look, 8);
    const QColor ink = pressed ? QColor(Qt::white) : face.colour;
    DrawLinkPictogram(p, kind, body.topLeft() + QPointF(13, body.height() / 2), 5.5, ink,
                      pressed ? face.colour : QColor(Qt::white));
    const QString caption = QString::fromUtf8(face.caption);
    const QRectF box = body.adjusted(23, 0, -4, 0);
    p.setFont(FittedFont(JapaneseFont(12, true), caption, box.width()));
    p.setPen(pressed ? QColor(Qt::white) : kInk);
    p.drawText(box, Qt::AlignCenter, caption);
    return image;
}

QImage MailBackground(qreal ratio)
{
    QImage image = NewImage(kScreenSide, kScreenSide, Qt::white, ratio);
    QPainter p(&image);
    Prepare(p);
    const fw::DialogUnits units(fw::DialogFont());
    const QColor from(0x14, 0x4f, 0xa3);
    const QColor to(0x1e, 0x6f, 0xd9);
    DrawBackdrop(p, QStringLiteral("Eメール"), QStringLiteral("携帯電話で送るメールのQRコードを作ります"), from, to);

    const auto& [toField, subjectField, bodyField] = labels::kMailFields;
    const QRect recipient = units.ToPixels(toField.templateRect);
    const QRect subject = units.ToPixels(subjectField.templateRect);
    const QRect body = units.ToPixels(bodyField.templateRect);
    DrawPanel(p, QRectF(6, recipient.top() - 14, body.right() + 14 - 6, body.bottom() + 14 - (recipient.top() - 14)));
    // Single-line fields: the label centred on the field; the body: on its first line.
    const auto labelBox = [](const QRect& field) { return QRectF(10, field.top(), field.left() - 16, field.height()); };
    DrawFittedLabel(p, labelBox(recipient), toField.text, 12, true, Qt::AlignRight | Qt::AlignVCenter);
    DrawFittedLabel(p, labelBox(subject), subjectField.text, 12, true, Qt::AlignRight | Qt::AlignVCenter);
    DrawFittedLabel(p, QRectF(10, body.top(), body.left() - 16, subject.height()), bodyField.text, 12, true,
                    Qt::AlignRight | Qt::AlignVCenter);
    DrawSettingsPanelAndColumn(p, units, from);
    return image;
}

QImage FreeTextBackground(qreal ratio)
{
    QImage image = NewImage(kScreenSide, kScreenSide, Qt::white, ratio);
    QPainter p(&image);
    Prepare(p);
    const fw::DialogUnits units(fw::DialogFont());
    const QColor from(0x5a, 0x3d, 0xb5);
    const QColor to(0x7a, 0x4c, 0xcf);
    DrawBackdrop(p, QStringLiteral("フリーテキスト"), QStringLiteral("自由な文章とリンクのQRコードを作ります"), from,
                 to);

    const labels::FieldLabel& field = labels::kFreeTextFields[0];
    const QRect text = units.ToPixels(field.templateRect);
    DrawPanel(p, QRectF(6, text.top() - 14, text.right() + 14 - 6, text.height() + 28));
    const int lineHeight = units.ToPixels(QRect(0, 0, 0, 17)).height();
    DrawFittedLabel(p, QRectF(10, text.top(), text.left() - 16, lineHeight), field.text, 12, true,
                    Qt::AlignRight | Qt::AlignVCenter);
    // A heading over the link buttons (which stand at x 10, y 140 and below).
    p.setFont(JapaneseFont(11, true));
    p.setPen(from);
    p.drawText(QRectF(10, 118, 82, 18), Qt::AlignCenter, QStringLiteral("リンク挿入"));
    p.setPen(QPen(Tint(from, 60), 1));
    p.drawLine(QPointF(14, 136), QPointF(88, 136));
    DrawSettingsPanelAndColumn(p, units, from);
    return image;
}

}  // namespace nubora::res::art
