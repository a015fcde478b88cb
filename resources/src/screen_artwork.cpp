#include "screen_artwork.h"

#include "artwork_kit.h"
#include "nubora/framework/dialog_units.h"
#include "nubora/resources/input_screen_layout.h"
#include "nubora/resources/screen_labels.h"

#include <QFontMetrics>
#include <QLinearGradient>

#include <iterator>

namespace nubora::res::art {
namespace {

namespace inputScreen = layout::inputScreen;

constexpr int kScreenSide = 600;

ButtonFace FaceOf(FrameButtonKind kind)
{
    switch (kind) {
    case FrameButtonKind::CreateCode: return {{126, 61}, kBrand, "QRコード", "作成"};
    case FrameButtonKind::Exit: return {{126, 61}, QColor(0xc8, 0x3c, 0x3c), "終了", ""};
    case FrameButtonKind::BackToMenu: return {{126, 61}, QColor(0x12, 0x9c, 0x8e), "メインへ", ""};
    case FrameButtonKind::ClearInput: return {{75, 47}, QColor(0xd9, 0x6a, 0x1e), "入力データ", "クリア"};
    case FrameButtonKind::SaveInput: return {{75, 47}, QColor(0x3a, 0x7d, 0x3c), "入力データ", "保存"};
    case FrameButtonKind::OpenInput: return {{75, 47}, QColor(0x7a, 0x4c, 0xcf), "保存データ", "を開く"};
    case FrameButtonKind::Settings: return {{75, 47}, QColor(0x4a, 0x5a, 0x78), "設定", ""};
    case FrameButtonKind::Confirm: return {{82, 23}, kBrand, "確認", ""};
    }
    return {};
}

void DrawGear(QPainter& p, QPointF c, qreal r, const QColor& ink)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(i * 45);
        p.drawRect(QRectF(-r * 0.18, -r, r * 0.36, r * 0.5));
        p.restore();
    }
    p.drawEllipse(c, r * 0.72, r * 0.72);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r * 0.3, r * 0.3);
    p.restore();
}

// The small pictogram of each button, centred on `c`, about 2r across.
void DrawPictogram(QPainter& p, FrameButtonKind kind, QPointF c, qreal r, const QColor& ink)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, r * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (kind) {
    case FrameButtonKind::CreateCode:
        DrawSymbolMotif(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 21, 51u, ink, Qt::white);
        break;
    case FrameButtonKind::Exit:
        p.drawArc(QRectF(c.x() - r * 0.8, c.y() - r * 0.7, r * 1.6, r * 1.6), 125 * 16, 290 * 16);
        p.drawLine(c - QPointF(0, r * 0.95), c - QPointF(0, r * 0.1));
        break;
    case FrameButtonKind::BackToMenu:
        p.drawPolyline(
            QPolygonF({c + QPointF(-r * 0.9, r * 0.05), c + QPointF(0, -r * 0.8), c + QPointF(r * 0.9, r * 0.05)}));
        p.drawPolyline(QPolygonF({c + QPointF(-r * 0.6, -r * 0.15), c + QPointF(-r * 0.6, r * 0.85),
                                  c + QPointF(r * 0.6, r * 0.85), c + QPointF(r * 0.6, -r * 0.15)}));
        break;
    case FrameButtonKind::ClearInput:
        p.drawLine(c + QPointF(-r * 0.6, -r * 0.6), c + QPointF(r * 0.6, r * 0.6));
        p.drawLine(c + QPointF(r * 0.6, -r * 0.6), c + QPointF(-r * 0.6, r * 0.6));
        break;
    case FrameButtonKind::SaveInput:
        p.drawLine(c + QPointF(0, -r * 0.9), c + QPointF(0, r * 0.3));
        p.drawPolyline(
            QPolygonF({c + QPointF(-r * 0.5, -r * 0.15), c + QPointF(0, r * 0.35), c + QPointF(r * 0.5, -r * 0.15)}));
        p.drawPolyline(QPolygonF({c + QPointF(-r * 0.9, r * 0.4), c + QPointF(-r * 0.9, r * 0.9),
                                  c + QPointF(r * 0.9, r * 0.9), c + QPointF(r * 0.9, r * 0.4)}));
        break;
    case FrameButtonKind::OpenInput:
        p.drawPolygon(QPolygonF({c + QPointF(-r * 0.95, -r * 0.7), c + QPointF(-r * 0.3, -r * 0.7),
                                 c + QPointF(-r * 0.1, -r * 0.45), c + QPointF(r * 0.95, -r * 0.45),
                                 c + QPointF(r * 0.95, r * 0.8), c + QPointF(-r * 0.95, r * 0.8)}));
        break;
    case FrameButtonKind::Settings: DrawGear(p, c, r, ink); break;
    case FrameButtonKind::Confirm:
        p.drawEllipse(c + QPointF(-r * 0.2, -r * 0.2), r * 0.55, r * 0.55);
        p.drawLine(c + QPointF(r * 0.2, r * 0.2), c + QPointF(r * 0.8, r * 0.8));
        break;
    }
    p.restore();
}

}  // namespace

QImage FrameButton(FrameButtonKind kind, ButtonLook look, qreal ratio)
{
    const ButtonFace face = FaceOf(kind);
    return PaintButtonFace(face, look, ratio,
                           [&](QPainter& p, const QRectF& body, const QColor& ink, const QColor& text) {
                               if (face.size.height() >= 60) {
                                   // Large: pictogram on the left, caption on the right.
                                   DrawPictogram(p, kind, body.topLeft() + QPointF(28, body.height() / 2), 15, ink);
                                   DrawCaption(p, body.adjusted(50, 2, -6, -2), face.line1, face.line2, 16, text);
                               } else if (face.size.height() >= 40) {
                                   // Side column: pictogram above a small caption.
                                   const bool oneLine = !*face.line2;
                                   DrawPictogram(p, kind, body.topLeft() + QPointF(body.width() / 2, oneLine ? 14 : 9),
                                                 oneLine ? 8 : 5, ink);
                                   DrawCaption(p, body.adjusted(2, oneLine ? 24 : 15, -2, 0), face.line1, face.line2,
                                               oneLine ? 13 : 10, text);
                               } else {
                                   DrawPictogram(p, kind, body.topLeft() + QPointF(18, body.height() / 2), 6, ink);
                                   DrawCaption(p, body.adjusted(26, 0, -6, 0), face.line1, face.line2, 12, text);
                               }
                           });
}

QImage AddressBookBackground(qreal ratio)
{
    QImage image = NewImage(kScreenSide, kScreenSide, Qt::white, ratio);
    QPainter p(&image);
    Prepare(p);
    const fw::DialogUnits units(fw::DialogFont());

    const QColor from(0x0e, 0x7a, 0x6f);
    DrawPaperAndBand(p, QSize(kScreenSide, kScreenSide), 52, from, QColor(0x12, 0x9c, 0x8e));
    p.setFont(JapaneseFont(24, true));
    p.setPen(Qt::white);
    p.drawText(QPointF(16, 36), QStringLiteral("アドレス帳"));
    p.setFont(JapaneseFont(12));
    p.setPen(QColor(0xd8, 0xf3, 0xef));
    p.drawText(QPointF(150, 35), QStringLiteral("携帯電話の電話帳に登録できるQRコードを作ります"));

    // The field panel with a label beside each field.
    const auto& fields = labels::kAddressBookFields;
    const QRect first = units.ToPixels(std::begin(fields)->templateRect);
    const QRect last = units.ToPixels(std::rbegin(fields)->templateRect);
    const QRectF panel(6, first.top() - 14, last.right() + 14 - 6, last.bottom() + 14 - (first.top() - 14));
    DrawPanel(p, panel);
    for (const auto& f : fields) {
        const QRect field = units.ToPixels(f.templateRect);
        DrawFittedLabel(p, QRectF(10, field.top(), field.left() - 16, field.height()), f.text, 12, true,
                        Qt::AlignRight | Qt::AlignVCenter);
    }

    DrawSettingsPanelAndColumn(p, units, from);
    return image;
}

void DrawSettingsPanelAndColumn(QPainter& p, const fw::DialogUnits& units, const QColor& headingInk)
{
    const QRect summary = units.ToPixels(inputScreen::kSummaryTemplate);
    // The border runs through the centres of the panel's outermost pixels.
    DrawPanel(p, QRectF(inputScreen::SettingsPanel(units)).adjusted(0.5, 0.5, -0.5, -0.5));
    p.setFont(JapaneseFont(12, true));
    p.setPen(headingInk);
    p.drawText(QPointF(16, summary.top() - 11), QString::fromUtf8(labels::kSettingsHeading));
    const int lineHeight = inputScreen::SummaryLineHeight(units);
    for (int i = 0; i < std::ssize(labels::kSummaryLineLabels); ++i) {
        const QRectF box(10, summary.top() + i * lineHeight, summary.left() - 12, lineHeight);
        DrawFittedLabel(p, box, labels::kSummaryLineLabels[i], 11, false, Qt::AlignRight | Qt::AlignVCenter);
    }
    // The right column behind the side buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdc, 0xe8, 0xf7));
    p.drawPath(Rounded(QRectF(519, 92, 90, 408), 10));
}

}  // namespace nubora::res::art
