#include "nubora/output/symbol_output.h"

#include "nubora/framework/print_service.h"
#include "nubora/resources/string_ids.h"
#include "nubora/resources/string_table.h"

#include <QPainter>

#include <cmath>

namespace nubora {

fw::FileDialogRequest SymbolSaveRequest()
{
    return {QStringLiteral("QRコードイメージ(*.bmp)|*.bmp|PNG画像(*.png)|*.png|SVG画像(*.svg)|*.svg|"
                           "PDF文書(*.pdf)|*.pdf|すべて(*.*)|*.*||"),
            QStringLiteral("bmp"), fw::InitialFolder(QStringLiteral("Bitmap"))};
}

SymbolFileFormat SavedFormatFor(const std::string& path)
{
    return SymbolFileFormatFor(path).value_or(SymbolFileFormat::Bmp);
}

int PrintedSide(int dotsPerInchY, double printSizeMm)
{
    if (dotsPerInchY <= 0 || !(printSizeMm > 0.0))
        return 0;
    return static_cast<int>(std::trunc(dotsPerInchY * (printSizeMm * 10.0) / 254.0));
}

void PrintSymbol(fw::PrintTarget& target, const QImage& symbol, double printSizeMm)
{
    const int side = PrintedSide(target.DotsPerInchY(), printSizeMm);
    {
        QPainter painter(&target.Device());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (!symbol.isNull() && side > 0)
            painter.drawImage(QRect(0, 0, side, side), symbol);
    }
    target.Finish();
}

QImage ClipboardPicture(const QImage& symbol)
{
    if (symbol.isNull())
        return QImage();
    return symbol.scaled(symbol.size() * kClipboardModulePixels, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

QString ClipboardNotice(double printSizeMm)
{
    QString text = res::LoadString(res::str::kCopiedToClipboard);
    const QString size = QString::number(printSizeMm, 'f', 2);
    const QString placeholder = QStringLiteral("%0.2f");
    for (int i = 0; i < 2; ++i) {
        const qsizetype at = text.indexOf(placeholder);
        if (at >= 0)
            text.replace(at, placeholder.size(), size);
    }
    return text;
}

}  // namespace nubora
