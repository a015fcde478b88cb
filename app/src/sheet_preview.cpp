#include "nubora/app/sheet_preview.h"

#include "nubora/logic/symbol_outline.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace nubora {
namespace {

QRectF ToPixels(const MmRect& rect, double scale, QPointF origin)
{
    return {origin.x() + rect.x * scale, origin.y() + rect.y * scale, rect.width * scale, rect.height * scale};
}

// The dark modules of `symbol` as one path, a module 1 across.
QPainterPath CodePath(const QrBitmap& symbol)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const std::vector<OutlineCorner>& outline : SymbolOutlines(symbol)) {
        path.moveTo(outline.front().x, outline.front().y);
        for (size_t i = 1; i < outline.size(); ++i)
            path.lineTo(outline[i].x, outline[i].y);
        path.closeSubpath();
    }
    return path;
}

// `code` (CodePath of a symbol `side` modules across) in `square`.
void DrawCode(QPainter& painter, const QPainterPath& code, int32_t side, const QRectF& square)
{
    painter.save();
    painter.translate(square.topLeft());
    painter.scale(square.width() / side, square.height() / side);
    painter.fillPath(code, Qt::black);
    painter.restore();
}

}  // namespace

SheetPreview::SheetPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(250, 354);
    setAccessibleName(QStringLiteral("1枚目の見本"));
}

void SheetPreview::SetSheet(const SheetLayout& layout, std::vector<PreviewLabel> labels)
{
    shown_ = true;
    layout_ = layout;
    labels_ = std::move(labels);
    // Built once here: a paint only fills them.
    codes_.clear();
    for (const PreviewLabel& label : labels_)
        codes_.push_back(CodePath(*label.symbols->At(0)));
    update();
}

void SheetPreview::Clear()
{
    shown_ = false;
    labels_.clear();
    codes_.clear();
    update();
}

void SheetPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (!shown_ || layout_.paperWidthMm <= 0 || layout_.paperHeightMm <= 0)
        return;
    // The paper as large as it fits, centred; a millimetre the same across and down.
    const double scale = std::min((width() - 2) / layout_.paperWidthMm, (height() - 2) / layout_.paperHeightMm);
    const QPointF origin((width() - layout_.paperWidthMm * scale) / 2, (height() - layout_.paperHeightMm * scale) / 2);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(ToPixels({0, 0, layout_.paperWidthMm, layout_.paperHeightMm}, scale, origin), Qt::white);
    painter.setPen(QPen(Qt::gray, 0));
    painter.drawRect(ToPixels({0, 0, layout_.paperWidthMm, layout_.paperHeightMm}, scale, origin));
    const double radius = layout_.cornerRadiusMm * scale;
    for (int index = 0; index < LabelsPerSheet(layout_); ++index) {
        const LabelSlot slot = LabelSlotAt(layout_, index, 0);
        painter.drawRoundedRect(ToPixels(slot.rect, scale, origin), radius, radius);
    }
    QFont font = painter.font();
    for (size_t i = 0; i < labels_.size(); ++i) {
        const PreviewLabel& label = labels_[i];
        if (label.placement.code.width <= 0)
            continue;
        DrawCode(painter, codes_[i], label.symbols->At(0)->Side(), ToPixels(label.placement.code, scale, origin));
        const QRectF caption = ToPixels(label.placement.caption, scale, origin);
        if (label.caption.empty() || caption.width() < 2 || caption.height() < 2)
            continue;
        font.setPixelSize(std::max(4, static_cast<int>(std::min(caption.height(), kCaptionMaxPt / 72 * 25.4 * scale))));
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QString text = painter.fontMetrics().elidedText(QString::fromStdString(label.caption), Qt::ElideRight,
                                                              static_cast<int>(caption.width()));
        const bool under = label.placement.caption.y >= label.placement.code.y + label.placement.code.height;
        painter.drawText(caption, under ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.setPen(QPen(Qt::gray, 0));
    }
}

}  // namespace nubora
