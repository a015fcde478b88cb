#include "nubora/logic/symbol_files.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "nubora/logic/file_io.h"
#include "pdf_canvas.h"

namespace nubora {
namespace {

// Larger than any symbol the engine draws (version 40 is 185 pixels with its
// quiet zone); keeps every file size far from overflow.
constexpr int32_t kMaxSide = 1000;

bool UsableSymbol(const QrBitmap& symbol)
{
    return symbol.Bits() != nullptr && symbol.Side() >= 1 && symbol.Side() <= kMaxSide;
}

bool UsableCell(double cellMm) { return cellMm >= kMinSymbolCellMm && cellMm <= kMaxSymbolCellMm; }

// Calls visit(x, y, length) for every horizontal run of dark pixels, rows top
// to bottom, runs left to right; x and y of the run's first pixel.
template <typename Visit>
void ForEachDarkRun(const QrBitmap& symbol, Visit visit)
{
    const int32_t side = symbol.Side();
    for (int32_t y = 0; y < side; ++y) {
        for (int32_t x = 0; x < side;) {
            if (!symbol.IsDark(x, y)) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < side && symbol.IsDark(x, y))
                ++x;
            visit(start, y, x - start);
        }
    }
}

// `value` with at most `decimals` decimals, trailing zeros dropped, a dot as
// the decimal sign and never an exponent.
std::string Decimal(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, decimals);
    std::string text = error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

// How a stream is deflated: zlib's level, its window (log2 of bytes) and
// its memory level (the hash table and the block size).
struct DeflateSettings {
    int level;
    int windowBits;
    int memLevel;
};

// A PNG picture's rows (PngScanlines). Their redundancy lies in the rows
// that repeat the one above, which their filter turns into runs of zeros,
// and in the runs of modules within a row. Level 3, the last of zlib's fast
// levels, finds both: at 3 pixels a module its files are as small as level
// 9's at a third of its work, and on larger pictures level 9 spends far more
// searching long chains of equal bytes for little. Small tables (an 8 KiB
// window, a 4,096-entry hash) make setting up the stream cheap; a repeated
// row is matched at distance 1 whatever the window.
constexpr DeflateSettings kPictureDeflate = {3, 13, 5};

Result<std::string, BuildFailure> Deflated(const std::string_view raw, const DeflateSettings& settings)
{
    z_stream stream{};
    if (deflateInit2(&stream, settings.level, Z_DEFLATED, settings.windowBits, settings.memLevel, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return Fail(BuildFailure::RenderFailed);
    std::string out(deflateBound(&stream, static_cast<uLong>(raw.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    stream.avail_in = static_cast<uInt>(raw.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const bool finished = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (!finished)
        return Fail(BuildFailure::RenderFailed);
    return out;
}

std::string_view AsChars(const std::vector<uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
std::string_view AsChars(const std::string& bytes) { return bytes; }

// Saves what a builder made at `path`.
template <typename Bytes>
Result<void, WriteFailure> SaveBuilt(const std::string& path, const Result<Bytes, BuildFailure>& built, FileSync sync)
{
    if (!built)
        return Fail(WriteFailure{path, WriteFailure::Step::Build});
    return SaveWholeFile(path, AsChars(*built), sync);
}

// --- PNG ---------------------------------------------------------------------

constexpr std::array<uint8_t, 8> kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kPngBitDepth = 1;
constexpr uint8_t kPngGreyscale = 0;  // colour type
constexpr uint8_t kPngUnitMetre = 1;
constexpr uint8_t kPngFilterNone = 0;
constexpr uint8_t kPngFilterUp = 2;  // each byte less the one above it
constexpr double kMmPerMetre = 1000.0;

void AppendU32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

// Appends one chunk: length, type, data, CRC of type and data.
void AppendChunk(std::vector<uint8_t>& out, const char (&type)[5], std::string_view data)
{
    AppendU32(out, static_cast<uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    AppendU32(out, static_cast<uint32_t>(crc));
}

std::string BigEndian(std::initializer_list<uint32_t> values)
{
    std::string out;
    for (uint32_t v : values) {
        for (int shift = 24; shift >= 0; shift -= 8)
            out.push_back(static_cast<char>(v >> shift));
    }
    return out;
}

// The pixels of 8 modules side by side, as the picture's row holds them: for
// each byte of a bitmap row (8 modules, leftmost in the most significant
// bit), its modules `pixelsPerModule` pixels wide each, which makes exactly
// pixelsPerModule bytes. Both keep 1 for light.
class ModuleSpread {
public:
    explicit ModuleSpread(int pixelsPerModule)
        : bytes_(static_cast<std::size_t>(pixelsPerModule)),
          entryBytes_((bytes_ + kWord - 1) / kWord * kWord),
          table_(256 * entryBytes_, '\0')
    {
        // Each value is a smaller one (its lowest 1 bit cleared) with one
        // more light module.
        for (std::size_t value = 1; value < 256; ++value) {
            char* spread = &table_[value * entryBytes_];
            std::copy_n(&table_[(value & (value - 1)) * entryBytes_], entryBytes_, spread);
            const std::size_t first = (7 - static_cast<std::size_t>(std::countr_zero(value))) * bytes_;
            for (std::size_t pixel = first; pixel < first + bytes_; ++pixel)
                spread[pixel / 8] = static_cast<char>(static_cast<uint8_t>(spread[pixel / 8]) | 0x80u >> pixel % 8);
        }
    }

    // Bytes RowInto writes for `modules` modules (its whole groups of 8 and
    // the slack of the last word).
    std::size_t RowBytes(std::size_t modules) const { return (modules + 7) / 8 * bytes_ + entryBytes_; }

    // Writes the pixels of `modules` modules from `bits` (a bitmap row) to
    // `out`, which has room for RowBytes(modules) bytes.
    void RowInto(const uint8_t* bits, std::size_t modules, char* out) const
    {
        // Whole words at a time: each group's slack is overwritten by the next.
        for (std::size_t group = 0; group < (modules + 7) / 8; ++group, out += bytes_) {
            const char* spread = &table_[bits[group] * entryBytes_];
            for (std::size_t word = 0; word < entryBytes_; word += kWord)
                std::memcpy(out + word, spread + word, kWord);
        }
    }

private:
    static constexpr std::size_t kWord = 8;
    std::size_t bytes_;
    std::size_t entryBytes_;  // bytes_ rounded up to whole words
    std::string table_;       // 256 entries of entryBytes_ bytes
};

// The filtered picture rows: a filter byte, then 1 bit a pixel, leftmost in
// the most significant bit, 1 light; the bits after the last pixel are light.
// The first pixel row of every row of modules is stored as it is (filter
// None); the rows that repeat it are stored as their difference to the row
// above (filter Up), that is as zeros.
std::string PngScanlines(const QrBitmap& symbol, int pixelsPerModule)
{
    const auto side = static_cast<std::size_t>(symbol.Side());
    const auto repeat = static_cast<std::size_t>(pixelsPerModule);
    const std::size_t width = side * repeat;
    const std::size_t rowBytes = (width + 7) / 8;
    const std::size_t line = rowBytes + 1;
    const uint8_t lastByteLight = width % 8 == 0 ? 0 : static_cast<uint8_t>(0xFFu >> width % 8);
    const ModuleSpread spread(pixelsPerModule);
    std::string spreadRow(spread.RowBytes(side), '\0');
    std::string rows(line * width, '\0');
    for (std::size_t y = 0; y < side; ++y) {
        spread.RowInto(symbol.Bits() + y * static_cast<std::size_t>(symbol.Stride()), side, spreadRow.data());
        char* first = &rows[y * repeat * line];
        first[0] = static_cast<char>(kPngFilterNone);
        std::copy_n(spreadRow.data(), rowBytes, first + 1);
        first[rowBytes] = static_cast<char>(static_cast<uint8_t>(first[rowBytes]) | lastByteLight);
        for (std::size_t copy = 1; copy < repeat; ++copy)
            first[copy * line] = static_cast<char>(kPngFilterUp);
    }
    return rows;
}

// --- PDF ---------------------------------------------------------------------

constexpr double kPageWidthMm = 210.0;  // A4
constexpr double kPageHeightMm = 297.0;
constexpr double kMarginMm = 15.0;
constexpr double kGapMm = 10.0;
constexpr detail::TextFit kPartLabelFit{9.0, 6.0, detail::TextAlign::Centre};
constexpr double kLabelBandMm = 11.0 / detail::kPointsPerMm;  // under a symbol, for its label
constexpr detail::TextFit kFooterFit{8.0, 5.0, detail::TextAlign::Left};
constexpr double kFooterBandMm = 4.0;  // the footer's line, centred on it, above the bottom margin

// Draws the symbols, labelled "n/N" when split, and the footer on every page.
void DrawPdfSheet(detail::PdfCanvas& canvas, const QrBitmap* const* symbols, int count, double cellMm,
                  const std::string& footer)
{
    int32_t side = 0;
    for (int i = 0; i < count; ++i)
        side = std::max(side, symbols[i]->Side());
    const double sideMm = side * cellMm;
    const MmRect footerBox{kMarginMm, kPageHeightMm - kMarginMm - kFooterBandMm, kPageWidthMm - 2 * kMarginMm,
                           kFooterBandMm};
    canvas.TextLine(footer, footerBox, kFooterFit);

    if (count == 1) {
        canvas.FillSymbol(*symbols[0], (kPageWidthMm - sideMm) / 2, (kPageHeightMm - sideMm) / 2, cellMm);
        return;
    }
    // The grid lies between the top margin and a gap above the footer line.
    const double areaWidth = kPageWidthMm - 2 * kMarginMm;
    const double areaHeight = footerBox.y - kGapMm - kMarginMm;
    const double cellHeight = sideMm + kLabelBandMm;
    constexpr double kSlack = 1e-6;  // a grid that fits exactly is not lost to rounding
    const int columns = std::max(1, static_cast<int>((areaWidth + kGapMm + kSlack) / (sideMm + kGapMm)));
    const int rows = std::max(1, static_cast<int>((areaHeight + kGapMm + kSlack) / (cellHeight + kGapMm)));
    const int perPage = columns * rows;
    const int usedColumns = std::min(columns, count);
    const double left = kMarginMm + (areaWidth - (usedColumns * sideMm + (usedColumns - 1) * kGapMm)) / 2;

    for (int i = 0; i < count; ++i) {
        const int onPage = i % perPage;
        if (onPage == 0 && i > 0) {
            canvas.NextPage();
            canvas.TextLine(footer, footerBox, kFooterFit);
        }
        const double x = left + (onPage % columns) * (sideMm + kGapMm);
        const double top = kMarginMm + (onPage / columns) * (cellHeight + kGapMm);
        canvas.FillSymbol(*symbols[i], x, top, cellMm);
        const std::string label = std::to_string(i + 1) + "/" + std::to_string(count);
        canvas.TextLine(label, MmRect{x, top + sideMm, sideMm, kLabelBandMm}, kPartLabelFit);
    }
}

}  // namespace

Result<std::vector<uint8_t>, BuildFailure> BuildPngFile(const QrBitmap& symbol, int pixelsPerModule, double cellMm)
{
    if (!UsableSymbol(symbol))
        return Fail(BuildFailure::NoPicture);
    if (!UsableCell(cellMm) || pixelsPerModule < kMinPngModulePixels || pixelsPerModule > kMaxPngModulePixels)
        return Fail(BuildFailure::OutOfRange);
    const Result<std::string, BuildFailure> pixels = Deflated(PngScanlines(symbol, pixelsPerModule), kPictureDeflate);
    if (!pixels)
        return Fail(pixels.Error());
    const auto extent = static_cast<uint32_t>(symbol.Side() * pixelsPerModule);
    const auto perMetre = static_cast<uint32_t>(std::lround(pixelsPerModule * kMmPerMetre / cellMm));

    std::vector<uint8_t> file(kPngSignature.begin(), kPngSignature.end());
    const std::string header = BigEndian({extent, extent}) + static_cast<char>(kPngBitDepth) +
                               static_cast<char>(kPngGreyscale) +
                               std::string(3, '\0');  // deflate, adaptive, no interlace
    AppendChunk(file, "IHDR", header);
    AppendChunk(file, "pHYs", BigEndian({perMetre, perMetre}) + static_cast<char>(kPngUnitMetre));
    AppendChunk(file, "IDAT", *pixels);
    AppendChunk(file, "IEND", {});
    return file;
}

Result<void, WriteFailure> SavePngFile(const std::string& path, const QrBitmap& symbol, int pixelsPerModule,
                                       double cellMm, FileSync sync)
{
    return SaveBuilt(path, BuildPngFile(symbol, pixelsPerModule, cellMm), sync);
}

Result<std::string, BuildFailure> BuildSvgFile(const QrBitmap& symbol, double cellMm)
{
    if (!UsableSymbol(symbol))
        return Fail(BuildFailure::NoPicture);
    if (!UsableCell(cellMm))
        return Fail(BuildFailure::OutOfRange);
    const std::string side = std::to_string(symbol.Side());
    const std::string size = Decimal(symbol.Side() * cellMm, 4) + "mm";
    std::string svg =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        size + "\" height=\"" + size + "\" viewBox=\"0 0 " + side + " " + side +
        "\" shape-rendering=\"crispEdges\">\n"
        "<rect width=\"" +
        side + "\" height=\"" + side + "\" fill=\"#fff\"/>\n<path fill=\"#000\" d=\"";
    ForEachDarkRun(symbol, [&svg](int32_t x, int32_t y, int32_t length) {
        const std::string n = std::to_string(length);
        svg += "M" + std::to_string(x) + " " + std::to_string(y) + "h" + n + "v1h-" + n + "z";
    });
    return svg + "\"/>\n</svg>\n";
}

Result<void, WriteFailure> SaveSvgFile(const std::string& path, const QrBitmap& symbol, double cellMm, FileSync sync)
{
    return SaveBuilt(path, BuildSvgFile(symbol, cellMm), sync);
}

Result<std::string, BuildFailure> BuildPdfSheet(const QrBitmap* const* symbols, int count, double cellMm,
                                                const std::string& footer)
{
    if (symbols == nullptr || count < 1 || count > kMaxPdfSheetSymbols || !UsableCell(cellMm))
        return Fail(BuildFailure::OutOfRange);
    for (int i = 0; i < count; ++i) {
        if (symbols[i] == nullptr || !UsableSymbol(*symbols[i]))
            return Fail(BuildFailure::NoPicture);
    }
    detail::PdfCanvas canvas(kPageWidthMm, kPageHeightMm);
    DrawPdfSheet(canvas, symbols, count, cellMm, footer);
    Result<std::string, detail::PdfCanvasFailure> file = canvas.Finish();
    if (!file)
        return Fail(BuildFailure::RenderFailed);
    return std::move(file).Value();
}

Result<void, WriteFailure> SavePdfSheet(const std::string& path, const QrBitmap* const* symbols, int count,
                                        double cellMm, const std::string& footer, FileSync sync)
{
    return SaveBuilt(path, BuildPdfSheet(symbols, count, cellMm, footer), sync);
}

}  // namespace nubora
