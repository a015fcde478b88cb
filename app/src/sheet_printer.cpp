#include "nubora/app/sheet_printer.h"

#include "nubora/logic/symbol_outline.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace nubora {
namespace {

constexpr double kMmPerInch = 25.4;

// The printer's dots: a length in mm to dots, each way.
struct DotScale {
    double acrossPerMm = 0;
    double downPerMm = 0;
    QRectF Of(const MmRect& rect) const
    {
        return {rect.x * acrossPerMm, rect.y * downPerMm, rect.width * acrossPerMm, rect.height * downPerMm};
    }
};

// Fills the dark modules of `symbol` as one path, its top-left corner (quiet
// zone included) at dot (x, y), a module `across` × `down` dots.
void DrawCode(QPainter& painter, const QrBitmap& symbol, long x, long y, int across, int down)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const std::vector<OutlineCorner>& outline : SymbolOutlines(symbol)) {
        path.moveTo(double(x + long(outline.front().x) * across), double(y + long(outline.front().y) * down));
        for (size_t i = 1; i < outline.size(); ++i)
            path.lineTo(double(x + long(outline[i].x) * across), double(y + long(outline[i].y) * down));
        path.closeSubpath();
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(path, Qt::black);
}

// Sets `text` (UTF-8) on one line in `room` (dots) as the sheet PDF sets its
// captions: the largest size from kCaptionMaxPt down to kCaptionMinPt whose
// height and width fit, then cut with "…"; nothing when even the smallest is
// too tall.
void DrawCaption(QPainter& painter, const std::string& text, const QRectF& room)
{
    QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (const QChar end : {QChar('\n'), QChar('\r'), QChar('\t')})
        line.replace(end, QChar(' '));
    if (line.isEmpty() || !(room.width() > 0) || !(room.height() > 0))
        return;
    QFont font(QStringLiteral("IPAPGothic"));
    const auto natural = [&](double pt) {
        font.setPointSizeF(pt);
        const QFontMetricsF metrics(font, painter.device());
        return QSizeF(metrics.horizontalAdvance(line), metrics.height());
    };
    // Sizes scale with the font: shrink for the height, then for the width.
    double size = kCaptionMaxPt;
    const QSizeF largest = natural(size);
    if (largest.height() > room.height())
        size *= room.height() / largest.height();
    const double width = largest.width() * size / kCaptionMaxPt;
    if (width > room.width())
        size = std::max(kCaptionMinPt, size * room.width() / width);
    if (size < kCaptionMinPt)
        return;
    if (natural(size).width() > room.width())
        line = QFontMetricsF(font, painter.device()).elidedText(line, Qt::ElideRight, room.width());
    painter.save();
    painter.setClipRect(room);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(room, Qt::AlignCenter | Qt::TextSingleLine, line);
    painter.restore();
}

}  // namespace

fw::PrintRequest SheetPrintRequest(const SheetLayout& layout)
{
    return {fw::PageOrigin::PaperCorner, QSizeF(layout.paperWidthMm, layout.paperHeightMm)};
}

SheetPrintResult PrintSheets(fw::PrintTarget& target, const SheetPdfOptions& options,
                             const std::vector<SheetRunLabel>& labels)
{
    SheetPrintResult result;
    QPainter painter;
    if (!painter.begin(&target.Device())) {
        result.printed = false;
        return result;
    }
    const int dpi = target.DotsPerInchY();
    const int dpiAcross = target.Device().logicalDpiX();
    const ModuleDots module = ModuleInDots(options.moduleMm, dpi);
    const int across = ModuleInDots(module.mm, dpiAcross).dots;
    const DotScale scale{dpiAcross / kMmPerInch, dpi / kMmPerInch};
    int sheet = 0;
    for (const SheetRunLabel& label : labels) {
        const QrBitmap& symbol = *label.symbols->At(0);
        const LabelSlot slot = LabelSlotAt(options.layout, result.labels, options.skipLabels);
        const Result<LabelPlacement, SheetFailure> placed = PlaceOnDots(options.layout, slot.rect, symbol.Side(),
                                                                        module, dpi, options.captionPlace);
        if (!placed) {
            result.refused.push_back({label.row, SheetFailureMessage(placed.Error())});
            continue;
        }
        for (; sheet < slot.sheet; ++sheet) {
            if (!target.NewPage()) {
                result.printed = false;
                painter.end();
                return result;
            }
        }
        DrawCode(painter, symbol, std::lround(placed->code.x * scale.acrossPerMm),
                 std::lround(placed->code.y * scale.downPerMm), across, module.dots);
        if (options.captionPlace != CaptionPlace::None)
            DrawCaption(painter, label.caption, scale.Of(placed->caption));
        ++result.labels;
    }
    painter.end();
    target.Finish();
    return result;
}

}  // namespace nubora
