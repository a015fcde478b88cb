#include "code_view_artwork.h"

#include "artwork_kit.h"
#include "nubora/framework/dialog_units.h"
#include "nubora/resources/code_view_layout.h"
#include "nubora/resources/resource_ids.h"
#include "nubora/resources/screen_labels.h"

#include <QFontMetrics>
#include <QLinearGradient>

#include <algorithm>
#include <iterator>

namespace nubora::res::art {
namespace {

namespace lay = layout::codeView;

enum class Face { SaveBmp, Back, Copy, Print };

ButtonFace LookOf(Face face)
{
    switch (face) {
    case Face::SaveBmp: return {{126, 61}, kBrand, "QRコード保存", "(BMP形式)"};
    case Face::Back: return {{126, 61}, QColor(0xd9, 0x6a, 0x1e), "戻る", ""};
    case Face::Copy: return {{75, 47}, QColor(0x3a, 0x7d, 0x3c), "QRコード", "コピー"};
    case Face::Print: return {{75, 47}, QColor(0x4a, 0x5a, 0x78), "印刷", ""};
    }
    return {};
}

// The pictogram of each face, centred on `c`, about 2r across.
void DrawPictogram(QPainter& p, Face face, QPointF c, qreal r, const QColor& ink)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, std::max<qreal>(1.2, r * 0.18), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (face) {
    case Face::SaveBmp:
        // A disk.
        p.drawPolygon(QPolygonF({c + QPointF(-r * 0.85, -r * 0.85), c + QPointF(r * 0.55, -r * 0.85),
                                 c + QPointF(r * 0.85, -r * 0.55), c + QPointF(r * 0.85, r * 0.85),
                                 c + QPointF(-r * 0.85, r * 0.85)}));
        p.drawRect(QRectF(c.x() - r * 0.45, c.y() - r * 0.85, r * 0.8, r * 0.55));
        p.drawRect(QRectF(c.x() - r * 0.5, c.y() + r * 0.15, r * 1.0, r * 0.7));
        break;
    case Face::Back:
        // A curved arrow to the left.
        p.drawArc(QRectF(c.x() - r * 0.6, c.y() - r * 0.7, r * 1.5, r * 1.4), 90 * 16, -180 * 16);
        p.drawLine(c + QPointF(r * 0.15, -r * 0.7), c + QPointF(-r * 0.7, -r * 0.7));
        p.drawPolyline(QPolygonF(
            {c + QPointF(-r * 0.35, -r * 1.05), c + QPointF(-r * 0.75, -r * 0.7), c + QPointF(-r * 0.35, -r * 0.35)}));
        break;
    case Face::Copy:
        // Two sheets.
        p.drawRect(QRectF(c.x() - r * 0.8, c.y() - r * 0.8, r * 1.1, r * 1.2));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(c.x() - r * 0.3, c.y() - r * 0.4, r * 1.1, r * 1.2));
        break;
    case Face::Print:
        // A printer with its sheet.
        p.drawRect(QRectF(c.x() - r * 0.5, c.y() - r * 0.95, r * 1.0, r * 0.6));
        p.drawRoundedRect(QRectF(c.x() - r * 0.95, c.y() - r * 0.35, r * 1.9, r * 0.9), r * 0.15, r * 0.15);
        p.drawRect(QRectF(c.x() - r * 0.5, c.y() + r * 0.25, r * 1.0, r * 0.7));
        break;
    }
    p.restore();
}

// One face in one look, in the manner of the input screens' frame buttons.
QImage FaceButton(Face face, ButtonLook look, qreal ratio)
{
    const ButtonFace f = LookOf(face);
    return PaintButtonFace(f, look, ratio, [&](QPainter& p, const QRectF& body, const QColor& ink, const QColor& text) {
        if (f.size.height() >= 60) {
            DrawPictogram(p, face, body.topLeft() + QPointF(26, body.height() / 2), 13, ink);
            DrawCaption(p, body.adjusted(46, 2, -5, -2), f.line1, f.line2, 15, text);
        } else {
            const bool oneLine = !*f.line2;
            DrawPictogram(p, face, body.topLeft() + QPointF(body.width() / 2, oneLine ? 14 : 10), oneLine ? 8 : 6, ink);
            DrawCaption(p, body.adjusted(2, oneLine ? 24 : 17, -2, 0), f.line1, f.line2, oneLine ? 13 : 10, text);
        }
    });
}

void DrawHeading(QPainter& p, QPointF at, const QString& text)
{
    p.setFont(JapaneseFont(12, true));
    p.setPen(kBrandDark);
    p.drawText(at, text);
}

}  // namespace

QImage CodeViewBackground(qreal ratio)
{
    const int side = lay::kClientSide;
    QImage image = NewImage(side, side, Qt::white, ratio);
    QPainter p(&image);
    Prepare(p);

    DrawPaperAndBand(p, QSize(side, side), 52, kBrandDark, kBrand);
    p.setFont(JapaneseFont(24, true));
    p.setPen(Qt::white);
    p.drawText(QPointF(16, 36), QStringLiteral("QRコード表示"));
    p.setFont(JapaneseFont(12));
    p.setPen(QColor(0xdd, 0xea, 0xfb));
    p.drawText(QPointF(190, 35), QStringLiteral("保存・印刷・コピーして携帯電話で読み取れます"));

    // The picture area: white, with its heading above the symbol.
    DrawPanel(p, QRectF(lay::kPicture).adjusted(0.5, 0.5, -0.5, -0.5));
    DrawHeading(p, QPointF(lay::kPicture.left() + 11, lay::kPicture.top() + 17),
                QString::fromUtf8(labels::kPictureHeading));

    // The information panel: one label per line of the box 1027.
    const QRect info = lay::kInformation;
    const QRect number = lay::kSymbolNumber;
    DrawPanel(p, QRectF(228, info.top() - 28, 510 - 228, number.bottom() + 12 - (info.top() - 28)));
    DrawHeading(p, QPointF(238, info.top() - 9), QString::fromUtf8(labels::kInformationHeading));
    const int lineHeight = QFontMetrics(fw::DialogFont()).lineSpacing();
    for (int i = 0; i < std::ssize(labels::kInformationLineLabels); ++i)
        DrawFittedLabel(p, QRectF(236, info.top() + i * lineHeight, info.left() - 238, lineHeight),
                        labels::kInformationLineLabels[i], 11, false, Qt::AlignRight | Qt::AlignVCenter);
    DrawFittedLabel(p, QRectF(236, number.top(), number.left() - 240, number.height()), labels::kSymbolNumber, 11,
                    false, Qt::AlignRight | Qt::AlignVCenter);

    // The input summary's heading.
    DrawHeading(p, QPointF(lay::kInputSummary.left() + 2, lay::kInputSummary.top() - 8),
                QString::fromUtf8(labels::kInputSummaryHeading));

    // The right column behind the side buttons.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xdc, 0xe8, 0xf7));
    p.drawPath(Rounded(QRectF(519, 92, 90, 116), 10));
    return image;
}

QImage CodeViewBitmap(int id, qreal ratio)
{
    const struct {
        int normal, pressed, focused;
        Face face;
    } faces[] = {
        {bmp::kSaveBmpNormal, bmp::kSaveBmpPressed, bmp::kSaveBmpFocused, Face::SaveBmp},
        {bmp::kBackNormal, bmp::kBackPressed, bmp::kBackFocused, Face::Back},
        {bmp::kCopyNormal, bmp::kCopyPressed, bmp::kCopyFocused, Face::Copy},
        {bmp::kPrintNormal, bmp::kPrintPressed, bmp::kPrintFocused, Face::Print},
    };
    if (id == bmp::kCodeViewBackground)
        return CodeViewBackground(ratio);
    for (const auto& f : faces) {
        if (id == f.normal)
            return FaceButton(f.face, ButtonLook::Normal, ratio);
        if (id == f.pressed)
            return FaceButton(f.face, ButtonLook::Pressed, ratio);
        if (id == f.focused)
            return FaceButton(f.face, ButtonLook::Focused, ratio);
    }
    return QImage();
}

}  // namespace nubora::res::art
