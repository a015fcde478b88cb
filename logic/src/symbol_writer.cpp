#include "nubora/logic/symbol_writer.h"

#include "nubora/logic/bmp_writer.h"
#include "nubora/logic/shell_rules.h"
#include "nubora/logic/symbol_files.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <vector>

namespace nubora {
namespace {

struct FormatNames {
    SymbolFileFormat format;
    std::string_view name;  // also the extension, after a dot
};

// Every format under its one name.
constexpr std::array<FormatNames, 4> kFormats = {{
    {SymbolFileFormat::Bmp, "bmp"},
    {SymbolFileFormat::Png, "png"},
    {SymbolFileFormat::Svg, "svg"},
    {SymbolFileFormat::Pdf, "pdf"},
}};

// The resolution a PNG picture gives at least at its print size.
constexpr double kPngDotsPerInch = 300.0;
constexpr double kMmPerInch = 25.4;

// Modules of quiet zone in a symbol's side, four on each side.
constexpr int kQuietModules = 8;

}  // namespace

std::string_view FormatName(SymbolFileFormat format)
{
    for (const FormatNames& entry : kFormats) {
        if (entry.format == format)
            return entry.name;
    }
    return {};
}

std::string ExtensionOf(SymbolFileFormat format) { return "." + std::string(FormatName(format)); }

std::optional<SymbolFileFormat> SymbolFileFormatNamed(std::string_view name)
{
    for (const FormatNames& entry : kFormats) {
        if (entry.name == name)
            return entry.format;
    }
    return std::nullopt;
}

std::optional<SymbolFileFormat> SymbolFileFormatFor(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    for (const FormatNames& entry : kFormats) {
        // At least one character before the dot.
        if (name.size() <= entry.name.size() + 1)
            continue;
        const std::string_view tail = name.substr(name.size() - entry.name.size());
        if (name[name.size() - entry.name.size() - 1] == '.' &&
            std::equal(tail.begin(), tail.end(), entry.name.begin(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return entry.format;
    }
    return std::nullopt;
}

int PngModulePixels(double cellMm)
{
    if (!(cellMm > 0.0))
        return kMinPngModulePixels;
    // The small allowance keeps a cell that gives exactly 300 dpi at its count
    // of pixels from getting one more through rounding.
    const double pixels = std::ceil(cellMm * kPngDotsPerInch / kMmPerInch - 1e-9);
    return static_cast<int>(std::clamp(pixels, double{kMinPngModulePixels}, double{kMaxPngModulePixels}));
}

std::string SheetFooter(const SymbolBitmaps& symbols, double cellMm, double printSizeMm)
{
    const QrBitmap* first = symbols.At(0);
    const int version = first ? (first->Side() - kQuietModules - 17) / 4 : 0;
    // The labels and forms of the settings summary, one full-width space between items.
    return "ヌボラ\u3000セルサイズ： " + FormatMm2(cellMm) + "mm\u3000バージョン： " + std::to_string(version) +
           "\u3000コード分割数： " + std::to_string(symbols.Count()) + "\u3000印刷サイズ： " + FormatMm2(printSizeMm) +
           "mm";
}

Result<void, WriteFailure> SaveCodeFile(const std::string& path, SymbolFileFormat format, const SymbolBitmaps& symbols,
                                        int shown, double cellMm, double printSizeMm, FileSync sync)
{
    const QrBitmap* symbol = symbols.At(shown);
    if (!symbol)
        return Fail(WriteFailure{path, WriteFailure::Step::Build});
    switch (format) {
    case SymbolFileFormat::Bmp: return SaveBmpFile(path, *symbol, sync);
    case SymbolFileFormat::Png: return SavePngFile(path, *symbol, PngModulePixels(cellMm), cellMm, sync);
    case SymbolFileFormat::Svg: return SaveSvgFile(path, *symbol, cellMm, sync);
    case SymbolFileFormat::Pdf: break;
    }
    std::vector<const QrBitmap*> all;
    for (int i = 0; i < symbols.Count(); ++i)
        all.push_back(symbols.At(i));
    return SavePdfSheet(path, all.data(), symbols.Count(), cellMm, SheetFooter(symbols, cellMm, printSizeMm), sync);
}

}  // namespace nubora
