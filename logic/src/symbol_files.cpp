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

// A PDF page's drawing operators: text, deflated as small as zlib can (these
// are compress2's own settings, so the sheets stay as they were).
constexpr DeflateSettings kPageDeflate = {Z_BEST_COMPRESSION, 15, 8};

// A PNG picture's rows (PngScanlines). Their redundancy lies in the rows
// that repeat the one above, which their filter turns into runs of zeros,
// and in the runs of modules within a row. Level 3, the last of zlib's fast
// levels, finds both: at 3 pixels a module its files are as small as level
// 9's at a third of its work, and on larger pictures level 9 spends far more
// searching long chains of equal bytes for little. Small tables (an 8 KiB
// window, a 4,096-entry hash) make setting up the stream cheap; a repeated
// row is matched at distance 1 whatever the window.
constexpr DeflateSettings kPictureDeflate = {3, 13, 5};

std::string Deflated(const std::string_view raw, const DeflateSettings& settings)
{
    z_stream stream{};
    if (deflateInit2(&stream, settings.level, Z_DEFLATED, settings.windowBits, settings.memLevel, Z_DEFAULT_STRATEGY) !=
        Z_OK)
        return {};
    std::string out(deflateBound(&stream, static_cast<uLong>(raw.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    stream.avail_in = static_cast<uInt>(raw.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const bool finished = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return finished ? out : std::string();
}

std::string_view AsChars(const std::vector<uint8_t>& bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
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

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kPageWidthPt = 595.276;   // A4, 210 mm
constexpr double kPageHeightPt = 841.890;  // A4, 297 mm
constexpr double kMarginPt = 15.0 * kPointsPerMm;
constexpr double kGapPt = 10.0 * kPointsPerMm;
constexpr double kLabelSizePt = 9.0;
constexpr double kLabelBandPt = 11.0;  // under a symbol, for its label
constexpr double kFooterSizePt = 8.0;
// Helvetica advance widths in thousandths of the font size.
constexpr int kHelveticaDigitWidth = 556;
constexpr int kHelveticaSlashWidth = 278;
constexpr int kNumberDecimals = 3;

std::string Pt(double value) { return Decimal(value, kNumberDecimals); }

// A string for a PDF text operator: only printable ASCII, the delimiters escaped.
std::string PdfString(const std::string& text)
{
    std::string out = "(";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\')
            out += '\\';
        out += byte >= 0x20 && byte <= 0x7E ? c : '?';
    }
    return out + ")";
}

std::string Text(double sizePt, double x, double y, const std::string& text)
{
    return "BT /F1 " + Pt(sizePt) + " Tf " + Pt(x) + " " + Pt(y) + " Td " + PdfString(text) + " Tj ET\n";
}

// Draws `symbol` with its bottom left corner at (x, y) pt: one unit of the
// transformed space per module, y upwards, a rectangle per dark run.
std::string SymbolDrawing(const QrBitmap& symbol, double modulePt, double x, double y)
{
    const int32_t side = symbol.Side();
    std::string out = "q " + Pt(modulePt) + " 0 0 " + Pt(modulePt) + " " + Pt(x) + " " + Pt(y) + " cm\n";
    ForEachDarkRun(symbol, [&](int32_t rx, int32_t ry, int32_t length) {
        out += std::to_string(rx) + " " + std::to_string(side - 1 - ry) + " " + std::to_string(length) + " 1 re\n";
    });
    return out + "f Q\n";
}

// "n/N", centred on `centreX` with its baseline at `baseline`.
std::string PartLabel(int index, int count, double centreX, double baseline)
{
    const std::string label = std::to_string(index + 1) + "/" + std::to_string(count);
    const int width = static_cast<int>(label.size() - 1) * kHelveticaDigitWidth + kHelveticaSlashWidth;
    return Text(kLabelSizePt, centreX - width * kLabelSizePt / 2000.0, baseline, label);
}

// The content of every page: the symbols placed, labelled when split, and the footer.
std::vector<std::string> PageContents(const QrBitmap* const* symbols, int count, double cellMm,
                                      const std::string& footer)
{
    const double modulePt = cellMm * kPointsPerMm;
    int32_t side = 0;
    for (int i = 0; i < count; ++i)
        side = std::max(side, symbols[i]->Side());
    const double sidePt = side * modulePt;
    const std::string footerText = Text(kFooterSizePt, kMarginPt, kMarginPt, footer);

    if (count == 1) {
        const double x = (kPageWidthPt - sidePt) / 2;
        const double y = (kPageHeightPt - sidePt) / 2;
        return {"0 g\n" + SymbolDrawing(*symbols[0], modulePt, x, y) + footerText};
    }

    // The grid lies between the top margin and a gap above the footer line.
    const double areaWidth = kPageWidthPt - 2 * kMarginPt;
    const double areaTop = kPageHeightPt - kMarginPt;
    const double areaHeight = areaTop - (kMarginPt + kFooterSizePt + kGapPt);
    const double cellHeight = sidePt + kLabelBandPt;
    constexpr double kSlack = 1e-6;  // a grid that fits exactly is not lost to rounding
    const int columns = std::max(1, static_cast<int>((areaWidth + kGapPt + kSlack) / (sidePt + kGapPt)));
    const int rows = std::max(1, static_cast<int>((areaHeight + kGapPt + kSlack) / (cellHeight + kGapPt)));
    const int perPage = columns * rows;
    const int usedColumns = std::min(columns, count);
    const double left = kMarginPt + (areaWidth - (usedColumns * sidePt + (usedColumns - 1) * kGapPt)) / 2;

    std::vector<std::string> pages;
    for (int i = 0; i < count; ++i) {
        const int onPage = i % perPage;
        if (onPage == 0)
            pages.push_back("0 g\n" + footerText);
        const double x = left + (onPage % columns) * (sidePt + kGapPt);
        const double top = areaTop - (onPage / columns) * (cellHeight + kGapPt);
        pages.back() += SymbolDrawing(*symbols[i], modulePt, x, top - sidePt);
        pages.back() += PartLabel(i, count, x + sidePt / 2, top - sidePt - kLabelSizePt);
    }
    return pages;
}

// Writes numbered objects and remembers where each starts, for the xref table.
class PdfWriter {
public:
    PdfWriter() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void Object(int number, const std::string& body)
    {
        if (offsets_.size() < static_cast<std::size_t>(number))
            offsets_.resize(static_cast<std::size_t>(number));
        offsets_[static_cast<std::size_t>(number - 1)] = out_.size();
        out_ += std::to_string(number) + " 0 obj\n" + body + "\nendobj\n";
    }

    void Stream(int number, const std::string& compressed)
    {
        Object(number, "<< /Length " + std::to_string(compressed.size()) + " /Filter /FlateDecode >>\nstream\n" +
                           compressed + "\nendstream");
    }

    std::string Finish()
    {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size() + 1) + "\n0000000000 65535 f \n";
        for (const std::size_t offset : offsets_) {
            std::array<char, 24> entry{};
            std::snprintf(entry.data(), entry.size(), "%010zu 00000 n \n", offset);
            out_ += entry.data();
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size() + 1) + " /Root 1 0 R >>\nstartxref\n" +
                std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

private:
    std::string out_;
    std::vector<std::size_t> offsets_;
};

constexpr int kCatalogObject = 1;
constexpr int kPagesObject = 2;
constexpr int kFontObject = 3;
constexpr int kFirstPageObject = 4;  // then its content, then the next page

}  // namespace

std::vector<uint8_t> BuildPngFile(const QrBitmap& symbol, int pixelsPerModule, double cellMm)
{
    if (!UsableSymbol(symbol) || !UsableCell(cellMm) || pixelsPerModule < kMinPngModulePixels ||
        pixelsPerModule > kMaxPngModulePixels)
        return {};
    const std::string pixels = Deflated(PngScanlines(symbol, pixelsPerModule), kPictureDeflate);
    if (pixels.empty())
        return {};
    const auto extent = static_cast<uint32_t>(symbol.Side() * pixelsPerModule);
    const auto perMetre = static_cast<uint32_t>(std::lround(pixelsPerModule * kMmPerMetre / cellMm));

    std::vector<uint8_t> file(kPngSignature.begin(), kPngSignature.end());
    const std::string header = BigEndian({extent, extent}) + static_cast<char>(kPngBitDepth) +
                               static_cast<char>(kPngGreyscale) +
                               std::string(3, '\0');  // deflate, adaptive, no interlace
    AppendChunk(file, "IHDR", header);
    AppendChunk(file, "pHYs", BigEndian({perMetre, perMetre}) + static_cast<char>(kPngUnitMetre));
    AppendChunk(file, "IDAT", pixels);
    AppendChunk(file, "IEND", {});
    return file;
}

bool SavePngFile(const std::string& path, const QrBitmap& symbol, int pixelsPerModule, double cellMm, FileSync sync)
{
    const std::vector<uint8_t> file = BuildPngFile(symbol, pixelsPerModule, cellMm);
    return !file.empty() && WriteFileAtomically(path, AsChars(file), sync).Ok();
}

std::string BuildSvgFile(const QrBitmap& symbol, double cellMm)
{
    if (!UsableSymbol(symbol) || !UsableCell(cellMm))
        return {};
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

bool SaveSvgFile(const std::string& path, const QrBitmap& symbol, double cellMm, FileSync sync)
{
    const std::string file = BuildSvgFile(symbol, cellMm);
    return !file.empty() && WriteFileAtomically(path, file, sync).Ok();
}

std::string BuildPdfSheet(const QrBitmap* const* symbols, int count, double cellMm, const std::string& footer)
{
    if (symbols == nullptr || count < 1 || count > kMaxPdfSheetSymbols || !UsableCell(cellMm))
        return {};
    for (int i = 0; i < count; ++i) {
        if (symbols[i] == nullptr || !UsableSymbol(*symbols[i]))
            return {};
    }
    const std::vector<std::string> pages = PageContents(symbols, count, cellMm, footer);

    PdfWriter pdf;
    pdf.Object(kCatalogObject, "<< /Type /Catalog /Pages " + std::to_string(kPagesObject) + " 0 R >>");
    std::string kids;
    for (std::size_t p = 0; p < pages.size(); ++p)
        kids += std::to_string(kFirstPageObject + 2 * static_cast<int>(p)) + " 0 R ";
    pdf.Object(kPagesObject, "<< /Type /Pages /Kids [ " + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    pdf.Object(kFontObject, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    const std::string mediaBox = "[0 0 " + Pt(kPageWidthPt) + " " + Pt(kPageHeightPt) + "]";
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const int page = kFirstPageObject + 2 * static_cast<int>(p);
        pdf.Object(page, "<< /Type /Page /Parent " + std::to_string(kPagesObject) + " 0 R /MediaBox " + mediaBox +
                             " /Resources << /Font << /F1 " + std::to_string(kFontObject) + " 0 R >> >> /Contents " +
                             std::to_string(page + 1) + " 0 R >>");
        const std::string compressed = Deflated(pages[p], kPageDeflate);
        if (compressed.empty())
            return {};
        pdf.Stream(page + 1, compressed);
    }
    return pdf.Finish();
}

bool SavePdfSheet(const std::string& path, const QrBitmap* const* symbols, int count, double cellMm,
                  const std::string& footer, FileSync sync)
{
    const std::string file = BuildPdfSheet(symbols, count, cellMm, footer);
    return !file.empty() && WriteFileAtomically(path, file, sync).Ok();
}

}  // namespace nubora
