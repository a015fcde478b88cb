#include "nubora/framework/dialog_units.h"

#include <QFontMetrics>

#include <cmath>

namespace nubora::fw {
namespace {

// a * b / c rounded half away from zero, as the template conversion rounds.
int MulDiv(int a, int b, int c) { return static_cast<int>(std::lround(static_cast<double>(a) * b / c)); }

}  // namespace

QFont DialogFont()
{
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPointSize(9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (width / 26 + 1) / 2;
    baseY_ = metrics.height();
}

int DialogUnits::ToPixelsX(int dlu) const { return MulDiv(dlu, baseX_, 4); }
int DialogUnits::ToPixelsY(int dlu) const { return MulDiv(dlu, baseY_, 8); }

QRect DialogUnits::ToPixels(const QRect& dluRect) const
{
    const int left = ToPixelsX(dluRect.x());
    const int top = ToPixelsY(dluRect.y());
    const int right = ToPixelsX(dluRect.x() + dluRect.width());
    const int bottom = ToPixelsY(dluRect.y() + dluRect.height());
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace nubora::fw
