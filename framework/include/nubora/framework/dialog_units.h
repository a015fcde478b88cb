// Dialog units: the coordinates of dialog templates, relative to the dialog
// font. One horizontal unit is a quarter of the font's average character
// width, one vertical unit an eighth of its character height.
#pragma once

#include <QFont>
#include <QRect>

namespace nubora::fw {

// The font of every dialog: IPAPGothic 9 point, standing in for the
// templates' "ＭＳ Ｐゴシック" 9 point.
QFont DialogFont();

class DialogUnits {
public:
    // Measures `font`: the average width of the 52 Latin letters, rounded,
    // and the character height, both in pixels.
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int BaseX() const { return baseX_; }  // average character width, pixels
    int BaseY() const { return baseY_; }  // character height, pixels

    int ToPixelsX(int dlu) const;
    int ToPixelsY(int dlu) const;
    // A template rectangle (x, y, width, height in dialog units) in pixels.
    QRect ToPixels(const QRect& dluRect) const;

private:
    int baseX_;
    int baseY_;
};

}  // namespace nubora::fw
