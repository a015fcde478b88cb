// The PNG, SVG and PDF symbol files: their structure byte for byte where it is
// fixed, and the payload read back by the peer decoders from what Qt's image
// reader, rsvg-convert and pdftoppm make of them.
#include "nubora/logic/symbol_files.h"
#include "nubora/logic/symbol_writer.h"

#include <zlib.h>

#include <gtest/gtest.h>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "decoders.h"
#include "encoded_symbols.h"
#include "qt_grey.h"
#include "tavoqrenc.h"
#include "temp_folder.h"

namespace nubora {
namespace {

using testing::TempFolder;

using testing::Symbols;

// A text long enough to be split, with a running number so that no two
// parts look alike.
std::string LongPayload(int characters)
{
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < characters; ++i)
        text += std::to_string(i) + ":NUBORA symbol files;";
    return text;
}

uint32_t BigU32(const std::string& b, std::size_t at)
{
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i)
        v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}

std::string AsString(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// Runs a shell command; its standard output, or "" with `ok` false when it fails.
std::string Shell(const std::string& command, bool& ok)
{
    std::string out;
    FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r");
    ok = pipe != nullptr;
    if (pipe == nullptr)
        return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    ok = ::pclose(pipe) == 0;
    return out;
}

peers::GreyImage LoadGrey(const std::string& path)
{
    QImage image;
    if (!image.load(QString::fromStdString(path), "PNG"))
        return {};
    return testing::GreyOf(image);
}

// The number of pages pdfinfo finds in a PDF file, or -1.
int PageCount(const std::string& pdf)
{
    bool ok = false;
    const std::string info = Shell("pdfinfo '" + pdf + "'", ok);
    const std::size_t at = info.find("\nPages:");
    return ok && at != std::string::npos ? std::atoi(info.c_str() + at + 7) : -1;
}

TEST(SymbolFileFormat, FollowsTheExtensionInAnyCase)
{
    struct Row {
        const char* path;
        std::optional<SymbolFileFormat> format;
    };
    const Row rows[] = {
        {"code.bmp", SymbolFileFormat::Bmp},
        {"/home/u/CODE.PNG", SymbolFileFormat::Png},
        {"a.Svg", SymbolFileFormat::Svg},
        {"sheet.pDf", SymbolFileFormat::Pdf},
        {"x.tar.png", SymbolFileFormat::Png},
        {"code.jpeg", std::nullopt},
        {"code.svgz", std::nullopt},
        {"code", std::nullopt},
        {".png", std::nullopt},
        {"folder.png/code", std::nullopt},
        {"", std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SymbolFileFormatFor(row.path), row.format) << row.path;
}

TEST(SymbolFileFormat, EachNameIsItsExtensionAndOptionValue)
{
    for (const SymbolFileFormat format :
         {SymbolFileFormat::Bmp, SymbolFileFormat::Png, SymbolFileFormat::Svg, SymbolFileFormat::Pdf}) {
        EXPECT_EQ(SymbolFileFormatNamed(FormatName(format)), format);
        EXPECT_EQ(SymbolFileFormatFor("code" + ExtensionOf(format)), format);
    }
    EXPECT_EQ(SymbolFileFormatNamed("PNG"), std::nullopt);
}

TEST(PngModulePixels, TheFewestGivingAtLeast300DotsPerInch)
{
    const struct {
        double cellMm;
        int pixels;
    } rows[] = {{0.25, 3}, {0.3, 4}, {0.5, 6}, {0.6, 8}, {2 * 25.4 / 300, 2}, {0.05, 1}, {5.0, 50}, {0.0, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(PngModulePixels(row.cellMm), row.pixels) << row.cellMm;
}

TEST(SymbolFilePng, ChunksHeaderAndResolutionAreExact)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    const std::string file = AsString(BuildPngFile(symbols[0], 3, 0.25).Value());
    ASSERT_GT(file.size(), 8u);
    EXPECT_EQ(file.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));

    std::vector<std::string> types;
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = BigU32(file, at);
        ASSERT_LE(at + 12 + length, file.size());
        const std::string type = file.substr(at + 4, 4);
        const std::string data = file.substr(at + 8, length);
        const auto crc = static_cast<uint32_t>(
            crc32(0L, reinterpret_cast<const Bytef*>(file.data() + at + 4), length + 4));
        EXPECT_EQ(BigU32(file, at + 8 + length), crc) << type;
        if (type == "IHDR") {
            ASSERT_EQ(length, 13u);
            EXPECT_EQ(BigU32(data, 0), 87u);  // 29 modules · 3
            EXPECT_EQ(BigU32(data, 4), 87u);
            EXPECT_EQ(data.substr(8), std::string("\x01\x00\x00\x00\x00", 5));  // 1 bit grey, deflate, no interlace
        }
        if (type == "pHYs") {
            ASSERT_EQ(length, 9u);
            EXPECT_EQ(BigU32(data, 0), 12000u);  // 3 px / 0.25 mm
            EXPECT_EQ(BigU32(data, 4), 12000u);
            EXPECT_EQ(data[8], 1);  // metre
        }
        types.push_back(type);
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"}));
}

TEST(SymbolFilePng, SavedPictureReadsBackWithItsResolution)
{
    const std::string payload = "NUBORA PNG read back";
    Symbols symbols(payload, 1, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string path = folder.Path() + "/code.png";
    ASSERT_TRUE(SavePngFile(path, symbols[0], 4, 0.3));

    QImage image;
    ASSERT_TRUE(image.load(QString::fromStdString(path), "PNG"));
    EXPECT_EQ(image.width(), symbols[0].Side() * 4);
    EXPECT_EQ(image.dotsPerMeterX(), 13333);  // 4 px / 0.3 mm
    const peers::ZxingReading reading = peers::ReadWithZxing(testing::GreyOf(image));
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, payload);
}

TEST(SymbolFileSvg, SizeInMillimetresViewBoxInModulesAndOnePath)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    struct Row {
        double cellMm;
        const char* size;
    };
    for (const Row row : {Row{0.25, "\"7.25mm\""}, Row{0.35, "\"10.15mm\""}, Row{0.33333, "\"9.6666mm\""}}) {
        const std::string svg = BuildSvgFile(symbols[0], row.cellMm).Value();
        EXPECT_NE(svg.find(std::string("width=") + row.size + " height=" + row.size), std::string::npos) << svg;
    }
    const std::string svg = BuildSvgFile(symbols[0], 0.25).Value();
    EXPECT_NE(svg.find("viewBox=\"0 0 29 29\""), std::string::npos);
    EXPECT_EQ(svg.find("<path"), svg.rfind("<path"));
    EXPECT_NE(svg.find("<path fill=\"#000\" d=\"M4 4h7v1h-7z"), std::string::npos);  // the top finder row
}

TEST(SymbolFileSvg, RasterisedDrawingReadsBack)
{
    const std::string payload = "NUBORA SVG read back";
    Symbols symbols(payload, 1, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string svg = folder.Path() + "/code.svg";
    ASSERT_TRUE(SaveSvgFile(svg, symbols[0], 0.25));
    const std::string side = std::to_string(symbols[0].Side() * 4);
    bool ok = false;
    Shell("rsvg-convert -w " + side + " -h " + side + " -o '" + folder.Path() + "/code.png' '" + svg + "'", ok);
    ASSERT_TRUE(ok);
    const peers::ZxingReading reading = peers::ReadWithZxing(LoadGrey(folder.Path() + "/code.png"));
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, payload);
}

TEST(SymbolFilePdf, CrossReferenceTablePointsAtEveryObject)
{
    Symbols symbols(LongPayload(300), 4, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    const std::string pdf = BuildPdfSheet(symbols.All(), 4, 0.25, "footer").Value();
    ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const std::size_t start = pdf.rfind("startxref\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t xref = std::stoul(pdf.substr(start + 10));
    ASSERT_EQ(pdf.compare(xref, 7, "xref\n0 "), 0);
    const int size = std::stoi(pdf.substr(xref + 7));
    const std::size_t entries = pdf.find('\n', xref + 7) + 1;
    EXPECT_EQ(pdf.compare(entries, 20, "0000000000 65535 f \n"), 0);
    for (int i = 1; i < size; ++i) {
        const std::string entry = pdf.substr(entries + 20 * static_cast<std::size_t>(i), 20);
        ASSERT_EQ(entry.substr(10), " 00000 n \n");
        const std::string object = std::to_string(i) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(std::stoul(entry.substr(0, 10)), object.size(), object), 0) << i;
    }
    const std::size_t trailer = pdf.find("trailer", entries);
    ASSERT_NE(trailer, std::string::npos);
    EXPECT_NE(pdf.find("/Size " + std::to_string(size) + " ", trailer), std::string::npos);
    const std::size_t root = pdf.find("/Root ", trailer);
    ASSERT_NE(root, std::string::npos);
    const std::size_t catalog = pdf.find(std::to_string(std::stoi(pdf.substr(root + 6))) + " 0 obj\n<<");
    ASSERT_NE(catalog, std::string::npos);
    EXPECT_NE(pdf.find("/Type /Catalog", catalog), std::string::npos);
    EXPECT_EQ(pdf.substr(pdf.size() - 6), "%%EOF\n");
}

TEST(SymbolFilePdf, OneSymbolReadsBackCentredAtItsSize)
{
    const std::string payload = "NUBORA PDF read back";
    Symbols symbols(payload, 1, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string pdf = folder.Path() + "/code.pdf";
    ASSERT_TRUE(SavePdfSheet(pdf, symbols.All(), 1, 0.5, ""));
    const peers::GreyImage page = testing::RasterisedPdfPage(pdf, 1);
    ASSERT_NEAR(page.width, 2480, 1);  // A4 at 300 dpi
    ASSERT_NEAR(page.height, 3508, 1);

    const peers::ZxingReading reading = peers::ReadWithZxing(page);
    ASSERT_TRUE(reading.valid) << reading.error;
    EXPECT_EQ(reading.bytes, payload);
    // The dark modules span the side less the quiet zone, around the page's centre.
    int left = page.width, right = -1, top = page.height, bottom = -1;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            if (page.pixels[static_cast<std::size_t>(y * page.width + x)] < 128) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    }
    const double expected = (symbols[0].Side() - 8) * 0.5 / 25.4 * 300;
    EXPECT_NEAR(right - left + 1, expected, 2.0);
    EXPECT_NEAR(bottom - top + 1, expected, 2.0);
    EXPECT_NEAR((left + right) / 2.0, page.width / 2.0, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, page.height / 2.0, 2.0);
}

TEST(SymbolFilePdf, FourPartsOnOneSheetAllReadBackWithLabelsAndFooter)
{
    const std::string payload = LongPayload(300);
    Symbols symbols(payload, 4, 0);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string pdf = folder.Path() + "/split.pdf";
    ASSERT_TRUE(SavePdfSheet(pdf, symbols.All(), 4, 0.4, "NUBORA \xe6\x96\x87 (test)"));

    EXPECT_EQ(PageCount(pdf), 1);
    bool ok = false;
    const std::string text = Shell("pdftotext -layout '" + pdf + "' -", ok);
    ASSERT_TRUE(ok);
    for (const char* label : {"1/4", "2/4", "3/4", "4/4", "NUBORA \xe6\x96\x87 (test)"})
        EXPECT_NE(text.find(label), std::string::npos) << label << " in\n" << text;
    // zbar joins a complete structured-append sequence into one result.
    const std::vector<std::string> found = peers::ReadWithZbar(testing::RasterisedPdfPage(pdf, 1));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], payload);
}

TEST(SymbolFilePdf, SixteenLargePartsTakeASecondPage)
{
    Symbols symbols(LongPayload(600), 16, 15);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string pdf = folder.Path() + "/split.pdf";
    ASSERT_TRUE(SavePdfSheet(pdf, symbols.All(), 16, 0.6, "footer"));
    EXPECT_EQ(PageCount(pdf), 2);
    bool ok = false;
    const std::string second = Shell("pdftotext -f 2 -l 2 '" + pdf + "' -", ok);
    ASSERT_TRUE(ok);
    EXPECT_NE(second.find("13/16"), std::string::npos) << second;
    EXPECT_NE(second.find("16/16"), std::string::npos);
    EXPECT_EQ(second.find("12/16"), std::string::npos);
    EXPECT_NE(second.find("footer"), std::string::npos);
}

TEST(SymbolFileArguments, OutOfRangeGiveNoFile)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    const QrBitmap& s = symbols[0];
    EXPECT_FALSE(BuildPngFile(s, 0, 0.25));
    EXPECT_FALSE(BuildPngFile(s, 51, 0.25));
    EXPECT_TRUE(BuildPngFile(s, 50, 0.25));
    EXPECT_FALSE(BuildPngFile(s, 3, 0.0));
    EXPECT_FALSE(BuildSvgFile(s, -1.0));
    const QrBitmap* withNull[] = {&s, nullptr};
    EXPECT_FALSE(BuildPdfSheet(nullptr, 1, 0.25, ""));
    EXPECT_FALSE(BuildPdfSheet(withNull, 2, 0.25, ""));
    EXPECT_FALSE(BuildPdfSheet(symbols.All(), 0, 0.25, ""));
    EXPECT_FALSE(BuildPdfSheet(symbols.All(), 17, 0.25, ""));
    EXPECT_EQ(BuildSvgFile(s, -1.0).Error(), BuildFailure::OutOfRange);
    EXPECT_EQ(BuildPdfSheet(withNull, 2, 0.25, "").Error(), BuildFailure::NoPicture);
}

TEST(SymbolFileSave, MissingFolderGivesFalseAndLeavesNothing)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    const std::string missing = folder.Path() + "/missing/code";
    EXPECT_FALSE(SavePngFile(missing + ".png", symbols[0], 3, 0.25));
    EXPECT_FALSE(SaveSvgFile(missing + ".svg", symbols[0], 0.25));
    EXPECT_FALSE(SavePdfSheet(missing + ".pdf", symbols.All(), 1, 0.25, ""));
    EXPECT_FALSE(SavePdfSheet(folder.Path() + "/null.pdf", nullptr, 1, 0.25, ""));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(SymbolFileSave, AFailureNamesTheFileAndTheStepThatFailed)
{
    Symbols symbols("01234567", 1, 1);
    ASSERT_EQ(symbols.status, TAVOQRENC_OK);
    TempFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory(folder / "taken.svg"));
    SymbolBitmaps none;
    using Step = WriteFailure::Step;
    const struct {
        std::string path;
        Result<void, WriteFailure> saved;
        Step step;
    } cases[] = {
        {folder / "missing/code.png", SavePngFile(folder / "missing/code.png", symbols[0], 3, 0.25), Step::Write},
        {folder / "taken.svg", SaveSvgFile(folder / "taken.svg", symbols[0], 0.25), Step::Write},
        {folder / "cell.svg", SaveSvgFile(folder / "cell.svg", symbols[0], 9.0), Step::Build},
        {folder / "null.pdf", SavePdfSheet(folder / "null.pdf", nullptr, 1, 0.25, ""), Step::Build},
        {folder / "none.png", SaveCodeFile(folder / "none.png", SymbolFileFormat::Png, none, 0, 0.25, 0), Step::Build},
    };
    for (const auto& c : cases) {
        ASSERT_FALSE(c.saved) << c.path;
        EXPECT_EQ(c.saved.Error().path, c.path);
        EXPECT_EQ(c.saved.Error().step, c.step) << c.path;
        EXPECT_EQ(c.saved.Error().status, FileStatus::CannotOpen) << c.path;
    }
}

}  // namespace
}  // namespace nubora
