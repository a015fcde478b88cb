// The settings corner of the three input screens (templates 129, 130, 131):
// the summary box 1027 and the gauge 1056 at their template rectangles, and
// the panel that the backgrounds 198, 200 and 201 paint around them, with a
// label level with each summary line. The panel ends above the bottom button
// row; what of the summary box lies below the panel's inside is not shown.
#pragma once

#include "nubora/framework/dialog_units.h"

#include <QFontMetrics>
#include <QRect>

#include <algorithm>

namespace nubora::res::layout::inputScreen {

// Template rectangles, dialog units.
inline constexpr QRect kSummaryTemplate(60, 269, 75, 48);
inline constexpr QRect kGaugeTemplate(156, 295, 125, 20);
// Level, cell size, version, print size, code size, split count.
inline constexpr int kSummaryLines = 6;
// The payload form's line, client pixels: inside the panel, right of the
// summary, between the confirm button 1057 and the gauge.
inline constexpr QRect kFormSummary(273, 452, 219, 20);
// First client row of the bottom buttons 1001, 1012 and 1002.
inline constexpr int kButtonRowTop = 512;

// The settings panel in client pixels, its 1-pixel border included: 30 px
// above the summary box (room for the heading), 14 px right of the gauge and
// 8 px below the lower of the two, but never lower than the row above the
// buttons.
inline QRect SettingsPanel(const fw::DialogUnits& units)
{
    const QRect summary = units.ToPixels(kSummaryTemplate);
    const QRect gauge = units.ToPixels(kGaugeTemplate);
    const int bottom = std::min(std::max(summary.bottom(), gauge.bottom()) + 8, kButtonRowTop - 1);
    return QRect(QPoint(6, summary.top() - 30), QPoint(gauge.right() + 14, bottom));
}

// The part of the summary box inside the panel's border, client pixels.
inline QRect SummaryVisibleRect(const fw::DialogUnits& units)
{
    const QRect inside = SettingsPanel(units).adjusted(1, 1, -1, -1);
    return units.ToPixels(kSummaryTemplate).intersected(inside);
}

// Pixels from one summary line to the next: the dialog font's line spacing,
// less where the six lines would not fit the visible part of the box.
inline int SummaryLineHeight(const fw::DialogUnits& units)
{
    return std::min(QFontMetrics(fw::DialogFont()).lineSpacing(), SummaryVisibleRect(units).height() / kSummaryLines);
}

}  // namespace nubora::res::layout::inputScreen
