// nubora-qr run as a user runs it: its files are read back by zxing-cpp
// (through Qt's image reader, rsvg-convert and pdftoppm) and must give the
// exact CP932 payload the logic builds from the same input.
#include "decoders.h"
#include "qt_grey.h"
#include "temp_folder.h"

#include "nubora/framework/cp932.h"
#include "nubora/logic/address_book_text.h"
#include "nubora/logic/mail_text.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/logic/sheet_layout.h"

#include <gtest/gtest.h>

#include <QImage>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace nubora {
namespace {

using testing::TempFolder;

struct ProgramRun {
    int status = -1;
    std::string errors;  // standard error
    std::string output;  // standard output
};

std::string Quoted(const std::string& arg)
{
    std::string out = "'";
    for (char c : arg)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Runs nubora-qr with `args`, standard input from `input`.
ProgramRun RunProgram(const TempFolder& folder, const std::vector<std::string>& args, const std::string& input = {})
{
    WriteFile(folder.Path() + "/.stdin", input);
    std::string command = NUBORA_QR_PATH;
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    command += " <" + Quoted(folder.Path() + "/.stdin") + " 2>" + Quoted(folder.Path() + "/.stderr") + " >" +
               Quoted(folder.Path() + "/.stdout");
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(folder.Path() + "/.stderr"),
            ReadFile(folder.Path() + "/.stdout")};
}

std::string Cp932(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value_or("?"); }

// What zxing-cpp reads from a file of any of the four formats.
peers::ZxingReading Decode(const std::string& path)
{
    std::string picture = path;
    const std::string ext = path.substr(path.size() - 4);
    if (ext == ".svg" || ext == ".pdf") {
        picture = path + ".png";
        const std::string command = ext == ".svg"
                                        ? "rsvg-convert -z 4 -o " + Quoted(picture) + " " + Quoted(path)
                                        : "pdftoppm -r 400 -png -singlefile " + Quoted(path) + " " + Quoted(path);
        if (std::system(command.c_str()) != 0)
            return {};
    }
    QImage image;
    if (!image.load(QString::fromStdString(picture)))
        return {};
    return peers::ReadWithZxing(testing::GreyOf(image));
}

TEST(NuboraQr, SingleTextInEveryFormatReadsBackAsItsCp932Bytes)
{
    TempFolder folder;
    const char* text = "ヌボラ 髙橋 QR 0123";
    for (const char* ext : {".png", ".bmp", ".svg", ".pdf"}) {
        const std::string out = folder.Path() + "/code" + ext;
        const ProgramRun run = RunProgram(folder, {"-o", out, "-"}, text);
        ASSERT_EQ(run.status, 0) << ext << run.errors;
        EXPECT_NE(run.errors.find("warning: "), std::string::npos) << "髙 is named";
        const peers::ZxingReading reading = Decode(out);
        ASSERT_TRUE(reading.valid) << ext << reading.error;
        EXPECT_EQ(reading.bytes, Cp932(text)) << ext;
    }
}

TEST(NuboraQr, SplitWritesEveryPartWithItsHeader)
{
    TempFolder folder;
    const std::string text(300, 'x');
    const ProgramRun run = RunProgram(folder, {"--split", "3", "--level", "Q", "-o", folder.Path() + "/s.png", text});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_FALSE(Exists(folder.Path() + "/s.png"));
    std::string joined;
    for (int part = 1; part <= 3; ++part) {
        const peers::ZxingReading reading = Decode(folder.Path() + "/s-" + std::to_string(part) + ".png");
        ASSERT_TRUE(reading.valid) << part << reading.error;
        EXPECT_EQ(reading.sequenceIndex, part - 1);
        EXPECT_EQ(reading.sequenceSize, 3);
        EXPECT_EQ(reading.ecLevel, "Q");
        joined += reading.bytes;
    }
    EXPECT_EQ(joined, text);
}

TEST(NuboraQr, BatchRowsReadBackAsTheirPayloadsInEveryProfile)
{
    const AddressBookEntry a1{Cp932("山田 太郎"),
                              Cp932("ヤマダ タロウ"),
                              "03-1234-5678",
                              "",
                              "taro@example.jp",
                              "",
                              Cp932("東京都千代田区1-1, 2階"),
                              Cp932("一行目\r\n二行目")};
    const AddressBookEntry a2{Cp932("表示;テスト"), "", "", "090", "", "b@example.jp", "", ""};
    const std::string addressCsv =
        "name,reading,tel1,tel2,mail1,mail2,address,memo\r\n"
        "山田 太郎,ヤマダ タロウ,03-1234-5678,,taro@example.jp,,\"東京都千代田区1-1, 2階\","
        "\"一行目\n二行目\"\r\n"
        "表示;テスト,,,090,,b@example.jp,,\r\n";
    const MailEntry m1{"a@example.jp,b@example.jp", Cp932("件名"), Cp932("本文 \"引用\"\r\n二行目")};
    const MailEntry m2{"c@example.jp", "", ""};
    const std::string mailCsv =
        "to,subject,body\n\"a@example.jp,b@example.jp\",件名,\"本文 \"\"引用\"\"\n二行目\"\n"
        "c@example.jp,,\n";
    const struct {
        const char* kind;
        const char* profile;
        const std::string& csv;
        std::vector<std::string> payloads;
    } cases[] = {
        {"address", "memory", addressCsv, {AddressBookPayload(a1), AddressBookPayload(a2)}},
        {"address", "mecard", addressCsv, {MecardPayload(a1), MecardPayload(a2)}},
        {"mail", "mailto-legacy", mailCsv, {MailPayload(m1), MailPayload(m2)}},
        {"mail", "mailto-uri", mailCsv, {MailtoUriPayload(m1), MailtoUriPayload(m2)}},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        WriteFile(folder.Path() + "/rows.csv", c.csv);
        const std::string out = folder.Path() + "/out";
        const ProgramRun run = RunProgram(folder, {"--kind", c.kind, "--profile", c.profile, "--batch",
                                                   folder.Path() + "/rows.csv", "--output-dir", out});
        ASSERT_EQ(run.status, 0) << c.profile << run.errors;
        for (size_t row = 0; row < c.payloads.size(); ++row) {
            const peers::ZxingReading reading = Decode(out + "/000" + std::to_string(row + 1) + ".png");
            ASSERT_TRUE(reading.valid) << c.profile << row << reading.error;
            EXPECT_EQ(reading.bytes, c.payloads[row]) << c.profile << " row " << row + 1;
        }
    }
}

TEST(NuboraQr, ACharacterWithoutCp932CodeIsNamedAndNothingWritten)
{
    TempFolder folder;
    const ProgramRun run = RunProgram(folder, {"-o", folder.Path() + "/x.png", "ab😀c"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("character 3 '😀' (U+1F600)"), std::string::npos) << run.errors;
    EXPECT_FALSE(Exists(folder.Path() + "/x.png"));
}

TEST(NuboraQr, TheStandardFormTakesAnyCharacterAndReadsBackInBothReaders)
{
    TempFolder folder;
    const std::string text = "髙﨑①㈱ é µ 한국 😀 田中", dir = folder.Path() + "/out",
                      long5 = text + text + text + text + text;
    WriteFile(folder.Path() + "/rows.csv", "name,memo\n," + text + "\n");
    const struct {
        std::vector<std::string> args;
        std::string input, expected;
        std::vector<std::string> files;  // empty: the run fails, naming the UTF-8 form
    } cases[] = {
        {{"--form", "standard", "-o", dir + ".png", text}, "", text, {dir + ".png"}},
        {{"--form", "standard", "--split", "4", "-o", dir + ".png", "-"},
         long5,
         long5,
         {dir + "-1.png", dir + "-2.png", dir + "-3.png", dir + "-4.png"}},
        {{"--kind", "address", "--form", "standard", "--batch", folder.Path() + "/rows.csv", "--output-dir", dir},
         "",
         "MECARD:N:;NOTE:" + text + ";;",
         {dir + "/0001.png"}},
        {{"-o", dir + ".png", "µ"}, "", "use --form standard (UTF-8)", {}},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(folder, c.args, c.input);
        EXPECT_EQ(run.status, c.files.empty() ? 1 : 0) << c.expected << run.errors;
        EXPECT_EQ(c.files.empty(), run.errors.find(c.expected) != std::string::npos) << run.errors;
        EXPECT_EQ(Exists(dir + ".png"), !c.files.empty() && c.files[0] == dir + ".png");
        std::string joined;
        std::vector<peers::GreyImage> images;
        for (const std::string& file : c.files) {
            QImage image;
            ASSERT_TRUE(image.load(QString::fromStdString(file))) << file;
            images.push_back(testing::GreyOf(image));
            const peers::ZxingReading alone = peers::ReadWithZxing(images.back());
            EXPECT_TRUE(alone.valid && alone.hasEci && alone.text == alone.bytes) << file << alone.error;
            joined += alone.bytes;
        }
        if (!c.files.empty()) {
            EXPECT_EQ(joined, c.expected);
            EXPECT_EQ(peers::ReadWithZbar(peers::SideBySide(images), true), std::vector<std::string>{c.expected});
        }
        std::filesystem::remove_all(dir);
        std::filesystem::remove(dir + ".png");
    }
}

TEST(NuboraQr, ATooLongTextNamesTheVersionAskedForAndANulItsPosition)
{
    TempFolder folder;
    const std::string out = folder.Path() + "/x.png";
    const struct {
        std::vector<std::string> args;
        std::string input;
        std::string expected;
    } cases[] = {
        {{"--version", "1", "-o", out, std::string(300, 'A')}, "", "than a version 1 symbol holds at this level"},
        {{"--version", "1", "--split", "16", "-o", out, "-"}, std::string(90000, 'A'), "than 16 symbols of version 1"},
        {{"-o", out, "-"}, std::string("ab\0c", 4), "nubora-qr: 3 文字目にQRコードに入れられない制御文字（NUL）"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = RunProgram(folder, c.args, c.input);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find(c.expected), std::string::npos) << run.errors;
        EXPECT_FALSE(Exists(out));
    }
}

TEST(NuboraQr, AnOutOfRangeOptionIsAUsageError)
{
    TempFolder folder;
    const ProgramRun run = RunProgram(folder, {"--split", "17", "-o", folder.Path() + "/x.png", "abc"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("Usage:"), std::string::npos);
    EXPECT_FALSE(Exists(folder.Path() + "/x.png"));
}

TEST(NuboraQr, AFailingRowIsReportedWithItsNumberAndTheOthersWritten)
{
    TempFolder folder;
    WriteFile(folder.Path() + "/rows.csv", "name,tel1\nA,03\nB,03 (bad)\nC,04\n");
    const std::string out = folder.Path() + "/out";
    const ProgramRun run = RunProgram(
        folder, {"--kind", "address", "--batch", folder.Path() + "/rows.csv", "--output-dir", out, "--format", "bmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("nubora-qr: row 2: tel1: 電話番号に不正な文字が含まれています。"), std::string::npos)
        << run.errors;
    EXPECT_TRUE(Exists(out + "/0001.bmp"));
    EXPECT_FALSE(Exists(out + "/0002.bmp"));
    EXPECT_TRUE(Exists(out + "/0003.bmp"));
}

TEST(NuboraQr, AnUnwritableOutputIsStatus3AndLeavesNoFile)
{
    TempFolder folder;
    // A regular file where a folder should be: no user, root included, can write there.
    WriteFile(folder.Path() + "/file", "");
    WriteFile(folder.Path() + "/rows.csv", "text\nabc\n");
    const std::string blocked = folder.Path() + "/file/sub";
    const std::vector<std::vector<std::string>> cases = {
        {"--split", "2", "-o", blocked + "/x.png", "abcdefgh"},
        {"--kind", "text", "--batch", folder.Path() + "/rows.csv", "--output-dir", blocked},
    };
    for (const auto& args : cases) {
        const ProgramRun run = RunProgram(folder, args);
        EXPECT_EQ(run.status, 3) << run.errors;
    }
    EXPECT_EQ(ReadFile(folder.Path() + "/file"), "");

    // The second part cannot be written (a folder has its name): the first
    // part's file from before stays as it was, and no part is left behind.
    ASSERT_EQ(::mkdir((folder.Path() + "/y-2.png").c_str(), 0755), 0);
    ASSERT_TRUE(nubora::testing::Spill(folder / "y-1.png", "old"));
    const ProgramRun run = RunProgram(folder, {"--split", "2", "-o", folder.Path() + "/y.png", "abcdefgh"});
    EXPECT_EQ(run.status, 3) << run.errors;
    EXPECT_NE(run.errors.find("y-2.png: "), std::string::npos) << run.errors;
    EXPECT_EQ(nubora::testing::Slurp(folder / "y-1.png"), "old");
    for (const std::string& name : folder.Names())
        EXPECT_EQ(name.find(".nubora-part"), std::string::npos) << name;
}

TEST(NuboraQr, EveryBuiltInSheetPrintsEachRowsCodeCentredOnItsLabel)
{
    constexpr double kDotsPerMm = 300 / 25.4;
    constexpr double kModuleMm = 0.5;
    constexpr int kModules = 4 * 3 + 17;  // version 3, without the quiet zone
    std::vector<SheetLayout> layouts = BuiltInSheetLayouts();
    layouts.push_back(PlainGridLayout((kModules + 8) * kModuleMm, kBuiltInLabelMarginMm));
    const std::vector<std::string> rows = {"NUBORA sheet row 1", "NUBORA sheet row 2", "NUBORA sheet row 3"};
    for (const SheetLayout& layout : layouts) {
        TempFolder folder;
        WriteFile(folder.Path() + "/rows.csv", "text\n" + rows[0] + "\n" + rows[1] + "\n" + rows[2] + "\n");
        // From the last label of the first sheet on, so that the run takes a second.
        const int perSheet = layout.columns * layout.rows;
        const std::string pdf = folder.Path() + "/sheet.pdf";
        const ProgramRun run = RunProgram(
            folder, {"--kind", "text", "--batch", folder.Path() + "/rows.csv", "--sheet", layout.name, "--start",
                     std::to_string(perSheet), "--version", "3", "--cell", "0.5", "-o", pdf});
        ASSERT_EQ(run.status, 0) << layout.name << run.errors;
        const peers::GreyImage pages[] = {testing::RasterisedPdfPage(pdf, 1), testing::RasterisedPdfPage(pdf, 2)};
        for (size_t i = 0; i < rows.size(); ++i) {
            const int label = (perSheet - 1 + static_cast<int>(i)) % perSheet;
            const peers::GreyImage& page = pages[i == 0 ? 0 : 1];
            ASSERT_NEAR(page.width, 2480, 1) << layout.name;  // A4 at 300 dpi
            // The label on the page, straight from the layout's numbers.
            const double x = layout.leftMm + (label % layout.columns) * layout.pitchAcrossMm;
            const double y = layout.topMm + (label / layout.columns) * layout.pitchDownMm;
            peers::GreyImage crop{static_cast<int>(layout.labelWidthMm * kDotsPerMm),
                                  static_cast<int>(layout.labelHeightMm * kDotsPerMm),
                                  {}};
            int left = crop.width, right = -1, top = crop.height, bottom = -1;
            for (int cy = 0; cy < crop.height; ++cy) {
                for (int cx = 0; cx < crop.width; ++cx) {
                    const int px = static_cast<int>(x * kDotsPerMm) + cx, py = static_cast<int>(y * kDotsPerMm) + cy;
                    const uint8_t grey = page.pixels[static_cast<size_t>(py * page.width + px)];
                    crop.pixels.push_back(grey);
                    if (grey < 128)
                        left = std::min(left, cx), right = std::max(right, cx), top = std::min(top, cy),
                        bottom = std::max(bottom, cy);
                }
            }
            const std::string what = layout.name + " row " + std::to_string(i + 1);
            EXPECT_NEAR((right - left + 1) / kDotsPerMm, kModules * kModuleMm, 0.2) << what;
            EXPECT_NEAR((bottom - top + 1) / kDotsPerMm, kModules * kModuleMm, 0.2) << what;
            EXPECT_NEAR((left + right + 1) / 2.0 / kDotsPerMm, layout.labelWidthMm / 2, 0.2) << what;
            EXPECT_NEAR((top + bottom + 1) / 2.0 / kDotsPerMm, layout.labelHeightMm / 2, 0.2) << what;
            const peers::ZxingReading zxing = peers::ReadWithZxing(crop);
            EXPECT_EQ(zxing.bytes, rows[i]) << what << zxing.error;
            EXPECT_EQ(peers::ReadWithZbar(crop), std::vector<std::string>{rows[i]}) << what;
        }
    }
}

TEST(NuboraQr, CutLinesShowOnScreenInALayerThatIsNotPrinted)
{
    TempFolder folder;
    WriteFile(folder.Path() + "/rows.csv", "text\nNUBORA cut\n");
    const std::string pdf = folder.Path() + "/cut.pdf";
    const ProgramRun run = RunProgram(folder, {"--kind", "text", "--batch", folder.Path() + "/rows.csv", "--sheet",
                                               "meishi-10", "--cut-lines", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string file = ReadFile(pdf);
    EXPECT_EQ(file.rfind("%PDF-1.5\n", 0), 0u);
    EXPECT_NE(file.find("/Type /OCG /Usage << /Print << /PrintState /OFF >>"), std::string::npos);
    // On screen, the top edge of the first label (91 mm wide, 14 mm from the
    // left, 11 mm from the top) is a grey line, in the middle of its width.
    const SheetLayout meishi = BuiltInSheetLayouts().front();
    const peers::GreyImage page = testing::RasterisedPdfPage(pdf, 1);
    ASSERT_GT(page.width, 0);
    const int x = static_cast<int>((meishi.leftMm + meishi.labelWidthMm / 2) * 300 / 25.4);
    int darkest = 255;
    for (int y = static_cast<int>(meishi.topMm * 300 / 25.4) - 2; y <= meishi.topMm * 300 / 25.4 + 2; ++y)
        darkest = std::min<int>(darkest, page.pixels[static_cast<size_t>(y * page.width + x)]);
    EXPECT_LT(darkest, 220);
    EXPECT_GT(darkest, 60);
}

TEST(NuboraQr, SheetCaptionsAreEmbeddedAndCutToTheirLabel)
{
    TempFolder folder;
    const std::string longName = std::string(60, 'W') + "END";
    WriteFile(folder.Path() + "/rows.csv", "name,memo\nA,山田 太郎\nB," + longName + "\n");
    const std::string pdf = folder.Path() + "/cards.pdf";
    const ProgramRun run = RunProgram(folder, {"--kind", "address", "--batch", folder.Path() + "/rows.csv", "--sheet",
                                               "meishi-10", "--caption", "memo", "-o", pdf});
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.errors.find("warning: モジュールが0.3 mmより小さいため"), std::string::npos) << run.errors;
    std::string text;
    for (const char* command : {"pdftotext ", "pdffonts "}) {
        const std::string out = folder.Path() + "/out.txt";
        ASSERT_EQ(
            std::system((command + Quoted(pdf) + " " + (command[3] == 't' ? Quoted(out) : "> " + Quoted(out))).c_str()),
            0);
        text += ReadFile(out);
    }
    EXPECT_NE(text.find("山田 太郎"), std::string::npos) << text;
    EXPECT_NE(text.find("WWW…"), std::string::npos) << text;  // cut to the card with an ellipsis
    EXPECT_EQ(text.find("END"), std::string::npos) << text;
    // Every font is the UI font, embedded as a subset.
    EXPECT_NE(text.find("+IPAPGothic "), std::string::npos) << text;
    EXPECT_EQ(text.find(" no "), std::string::npos) << text;
}

TEST(NuboraQr, DecodeGivesBackTheTextOfItsOwnFilesAndTheirRasters)
{
    TempFolder folder;
    const std::string text = "ヌボラ 髙橋 QR 0123\r\n二行目";
    const std::string base = folder.Path() + "/own";
    for (const char* ext : {".png", ".svg", ".pdf"})
        ASSERT_EQ(RunProgram(folder, {"--level", "Q", "-o", base + ext, "-"}, text).status, 0) << ext;
    const std::string svgRaster = "rsvg-convert -d 300 -p 300 -b white -o " + Quoted(base + "-svg.png") + " " +
                                  Quoted(base + ".svg");
    const std::string pdfRaster = "pdftoppm -r 300 -png -singlefile " + Quoted(base + ".pdf") + " " +
                                  Quoted(base + "-pdf");
    ASSERT_EQ(std::system(svgRaster.c_str()), 0);
    ASSERT_EQ(std::system(pdfRaster.c_str()), 0);
    for (const char* file : {".png", "-svg.png", ".pdf", "-pdf.png"}) {
        const ProgramRun run = RunProgram(folder, {"--decode", base + file});
        EXPECT_EQ(run.status, 0) << file << run.errors;
        EXPECT_EQ(run.output, text + "\n") << file;
    }
}

TEST(NuboraQr, DecodeJoinsASplitGivesJsonAndNamesWhatIsMissing)
{
    TempFolder folder;
    const std::string text(300, 'x');
    ASSERT_EQ(RunProgram(folder, {"--split", "3", "-o", folder.Path() + "/s.png", text}).status, 0);
    const std::string part = folder.Path() + "/s-";
    const ProgramRun joined = RunProgram(folder, {"--decode", part + "3.png", part + "1.png", part + "2.png"});
    EXPECT_EQ(joined.status, 0) << joined.errors;
    EXPECT_EQ(joined.output, text + "\n");
    const ProgramRun json = RunProgram(folder, {"--decode", "--json", part + "2.png", part + "1.png", part + "3.png"});
    EXPECT_EQ(json.status, 0) << json.errors;
    for (const char* member :
         {"\"form\": \"text\"", "\"split\": {\"count\": 3", "\"level\": \"M\"", "\"fields\": {\"text\": "})
        EXPECT_NE(json.output.find(member), std::string::npos) << member << "\n" << json.output;

    const ProgramRun missing = RunProgram(folder, {"--decode", part + "1.png"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "");
    EXPECT_NE(missing.errors.find("2/3 と 3/3 が見つかりません"), std::string::npos) << missing.errors;
    WriteFile(folder.Path() + "/note.txt", "no picture");
    const ProgramRun noPicture = RunProgram(folder, {"--decode", folder.Path() + "/note.txt"});
    EXPECT_EQ(noPicture.status, 1);
    EXPECT_NE(noPicture.errors.find("note.txt: "), std::string::npos) << noPicture.errors;
}

}  // namespace
}  // namespace nubora
