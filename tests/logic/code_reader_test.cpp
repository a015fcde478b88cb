// Codes read back out of pictures: this engine's symbols at each level, a
// photographed-looking picture, other encoders' files (segno, qrencode), splits
// across files, and pictures without a readable code.
#include "parsed_codes.h"
#include "temp_folder.h"

#include "nubora/logic/code_reader.h"
#include "nubora/logic/code_text_parse.h"
#include "nubora/logic/symbol_files.h"
#include "nubora/text/cp932.h"
#include "tavoqrenc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>

namespace nubora {
namespace {

using testing::Contact;
using testing::Mail;
using testing::TempFolder;

// The symbols of one encode call, freed at the end of the scope.
struct Encoded {
    Encoded(const std::string& text, int parts, int version, int level)
    {
        QrEncodeParams params{version, level};
        const int32_t status = TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), parts, &all,
                                                  &params);
        count = status == TAVOQRENC_OK ? parts : 0;
    }
    ~Encoded() { TavoQREnc_FreeBitmaps(all, count); }
    QrBitmap** all = nullptr;
    int count = 0;
};

// `symbol` drawn `scale` pixels a module.
GreyPicture Drawn(const QrBitmap& symbol, int scale)
{
    GreyPicture picture{{}, symbol.Side() * scale, symbol.Side() * scale};
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(symbol.IsDark(x / scale, y / scale) ? 20 : 235);
    return picture;
}

// `flat` as a photograph shows it: turned by `degrees`, on an uneven grey
// ground, softened twice by a 3 × 3 blur.
GreyPicture PhotoLike(const GreyPicture& flat, double degrees)
{
    const int side = flat.width * 3 / 2;
    GreyPicture photo{std::vector<uint8_t>(static_cast<size_t>(side) * side), side, side};
    const double turn = degrees * M_PI / 180, c = std::cos(turn), s = std::sin(turn);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double dx = x - side / 2.0, dy = y - side / 2.0;
            const int u = static_cast<int>(c * dx + s * dy + flat.width / 2.0);
            const int v = static_cast<int>(-s * dx + c * dy + flat.height / 2.0);
            const bool inside = u >= 0 && v >= 0 && u < flat.width && v < flat.height;
            photo.pixels[static_cast<size_t>(y) * side + x] = inside
                                                                  ? flat.pixels[static_cast<size_t>(v) * flat.width + u]
                                                                  : static_cast<uint8_t>(110 + x * 40 / side);
        }
    }
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<uint8_t> blurred = photo.pixels;
        for (int y = 1; y + 1 < side; ++y)
            for (int x = 1; x + 1 < side; ++x) {
                int sum = 0;
                for (int k = -1; k <= 1; ++k)
                    for (int l = -1; l <= 1; ++l)
                        sum += photo.pixels[static_cast<size_t>(y + k) * side + x + l];
                blurred[static_cast<size_t>(y) * side + x] = static_cast<uint8_t>(sum / 9);
            }
        photo.pixels = std::move(blurred);
    }
    return photo;
}

Result<std::vector<FoundSymbol>, ReadFailure> Find(const GreyPicture& picture)
{
    return FindSymbols({picture.pixels.data(), picture.width, picture.height, picture.width});
}

std::string WritePng(const TempFolder& folder, const std::string& name, const QrBitmap& symbol)
{
    const std::vector<uint8_t> png = BuildPngFile(symbol, 3, 0.25).Value();
    const std::string path = folder.Path() + "/" + name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), png.size());
    return path;
}

TEST(CodeReader, GivesBytesVersionAndLevelOfFlatAndPhotographedSymbols)
{
    const std::string text = text::Utf8ToCp932("ヌボラ 0123").value();
    for (const auto& [version, level, name] : {std::tuple{1, TAVOQRENC_LEVEL_L, 'L'},
                                               {4, TAVOQRENC_LEVEL_M, 'M'},
                                               {9, TAVOQRENC_LEVEL_Q, 'Q'},
                                               {15, TAVOQRENC_LEVEL_H, 'H'}}) {
        const Encoded code(text, 1, version, level);
        ASSERT_EQ(code.count, 1) << version;
        const GreyPicture flat = Drawn(*code.all[0], 4);
        for (const GreyPicture& picture : {flat, PhotoLike(flat, 15)}) {
            const auto found = Find(picture);
            ASSERT_TRUE(found) << version << " kind " << static_cast<int>(found.Error().kind);
            ASSERT_EQ(found->size(), 1u);
            EXPECT_EQ(found->front().bytes, text);
            EXPECT_EQ(found->front().version, version);
            EXPECT_EQ(found->front().level, name);
            EXPECT_FALSE(found->front().isSplitPart);
        }
    }
}

TEST(CodeReader, UnrelatedCodesInOnePictureComeAsAListToPickFrom)
{
    const Encoded first("FIRST CODE", 1, 2, TAVOQRENC_LEVEL_M);
    const Encoded second("second code", 1, 3, TAVOQRENC_LEVEL_Q);
    const GreyPicture a = Drawn(*first.all[0], 4);
    const GreyPicture b = Drawn(*second.all[0], 4);
    GreyPicture both{std::vector<uint8_t>(static_cast<size_t>(a.width + b.width) * b.height, 235), a.width + b.width,
                     b.height};
    for (int y = 0; y < b.height; ++y) {
        for (int x = 0; x < a.width && y < a.height; ++x)
            both.pixels[static_cast<size_t>(y) * both.width + x] = a.pixels[static_cast<size_t>(y) * a.width + x];
        for (int x = 0; x < b.width; ++x)
            both.pixels[static_cast<size_t>(y) * both.width + a.width + x] =
                b.pixels[static_cast<size_t>(y) * b.width + x];
    }
    const auto found = Find(both);
    ASSERT_TRUE(found);
    const auto codes = JoinCodes(*found);
    ASSERT_TRUE(codes);
    std::vector<std::pair<std::string, int>> got;
    for (const ReadCode& code : *codes)
        got.emplace_back(code.text, code.version);
    std::ranges::sort(got);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"FIRST CODE", 2}, {"second code", 3}}));
}

TEST(CodeReader, JoinsSplitsAcrossFilesAndNamesMissingParts)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 242; ++i)
        text += static_cast<char>('a' + i % 26);
    // The same bytes backwards: the same count and parity, every part other.
    const std::string backwards(text.rbegin(), text.rend());
    const Encoded split(text, 4, 0, TAVOQRENC_LEVEL_M);
    const Encoded other(backwards, 4, 0, TAVOQRENC_LEVEL_M);
    ASSERT_EQ(split.count, 4);
    ASSERT_EQ(other.count, 4);
    std::vector<std::string> parts;
    for (int i = 0; i < 4; ++i)
        parts.push_back(WritePng(folder, "part" + std::to_string(i + 1) + ".png", *split.all[i]));
    std::vector<std::string> otherParts;
    for (int i = 0; i < 4; ++i)
        otherParts.push_back(WritePng(folder, "other" + std::to_string(i + 1) + ".png", *other.all[i]));

    const auto joined = ReadCodesInFiles({parts[2], parts[0], parts[3], parts[1], parts[0]});
    ASSERT_TRUE(joined);
    ASSERT_EQ(joined->size(), 1u);
    EXPECT_EQ(joined->front().text, text);
    EXPECT_EQ(joined->front().splitCount, 4);

    const auto incomplete = ReadCodesInFiles({parts[2], parts[0]});
    ASSERT_FALSE(incomplete);
    EXPECT_EQ(incomplete.Error().kind, ReadFailureKind::IncompleteSplit);
    EXPECT_NE(ReadFailureMessage(incomplete.Error()).find("2/4 と 4/4 が見つかりません"), std::string::npos);

    // Two whole splits that share their count and parity are two codes; a
    // part of the second alone is a split missing its other parts.
    const auto two = ReadCodesInFiles(
        {parts[0], parts[1], parts[2], parts[3], otherParts[1], otherParts[3], otherParts[0], otherParts[2]});
    ASSERT_TRUE(two) << ReadFailureMessage(two.Error());
    ASSERT_EQ(two->size(), 2u);
    EXPECT_EQ((*two)[0].text, text);
    EXPECT_EQ((*two)[1].text, backwards);
    const auto mixed = ReadCodesInFiles({parts[0], parts[1], parts[2], parts[3], otherParts[3]});
    ASSERT_FALSE(mixed);
    EXPECT_EQ(mixed.Error().kind, ReadFailureKind::IncompleteSplit);
    EXPECT_NE(ReadFailureMessage(mixed.Error()).find("1/4 と 2/4 と 3/4 が見つかりません"), std::string::npos)
        << ReadFailureMessage(mixed.Error());
}

// What a file of another encoder must become.
struct Foreign {
    const char* file;
    std::string command;  // writes `file` in the test's folder
    ParsedCode expected;  // every field but the address
};

TEST(CodeReader, OtherEncodersCodesBecomeTheirFormsAndFields)
{
    TempFolder folder;
    const std::string segno = "/usr/bin/python3 -c 'from segno import helpers as h; import sys; ";
    const std::vector<Foreign> cases = {
        {"mecard.png",
         segno +
             "h.make_mecard(name=\"山田,太郎\", reading=\"ヤマダ,タロウ\", phone=[\"03-1\", \"090-2\", \"011\"], "
             "email=\"taro@example.jp\", url=\"https://example.jp\", memo=\"メモ;です\").save(sys.argv[1], scale=4)'",
         Contact(CodeForm::Mecard, "山田 太郎", "ヤマダ タロウ", {"03-1", "090-2"}, {"taro@example.jp"}, "",
                 "メモ;です", {{"TEL", "011"}, {"URL", "https://example.jp"}})},
        {"vcard.png",
         segno + "h.make_vcard(name=\"山田;太郎\", displayname=\"山田 太郎\", phone=\"03-1\", "
                 "email=[\"a@example.jp\", \"b@example.jp\", \"c@example.jp\"], org=\"ヌボラ社\", memo=\"メモ\")"
                 ".save(sys.argv[1], scale=4)'",
         Contact(CodeForm::Vcard, "山田 太郎", "", {"03-1"}, {"a@example.jp", "b@example.jp"}, "", "メモ",
                 {{"ORG", "ヌボラ社"}, {"EMAIL", "c@example.jp"}, {"N", "山田 太郎"}})},
        {"matmsg.png", "qrencode -s 4 -o matmsg.png 'MATMSG:TO:taro@example.jp;SUB:件名;BODY:本文\\;です;;' #",
         Mail(CodeForm::Matmsg, "taro@example.jp", "件名", "本文;です")},
        {"mailto.png",
         "qrencode -s 4 -o mailto.png 'mailto:a@example.jp,b@example.jp?subject=%E4%BB%B6%E5%90%8D&body=1%0D%0A2"
         "&cc=c@example.jp' #",
         Mail(CodeForm::MailtoUri, "a@example.jp,b@example.jp", "件名", "1\r\n2", {{"cc", "c@example.jp"}})},
    };
    for (const Foreign& c : cases) {
        const std::string command = "cd '" + folder.Path() + "' && " + c.command + " " + c.file;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const auto codes = ReadCodesInFiles({folder.Path() + "/" + c.file});
        ASSERT_TRUE(codes) << c.file;
        ASSERT_EQ(codes->size(), 1u) << c.file;
        const auto parsed = ParseCodeText(codes->front().text);
        ASSERT_TRUE(parsed) << c.file;
        ParsedCode got = *parsed;
        got.address.clear();
        EXPECT_EQ(got, c.expected) << c.file << "\n" << codes->front().text;
    }
}

TEST(CodeReader, PdfPagesAreReadAndBadPicturesFailByName)
{
    TempFolder folder;
    const Encoded code("PDF 0123", 1, 2, TAVOQRENC_LEVEL_M);
    ASSERT_EQ(code.count, 1);
    std::ofstream(folder.Path() + "/sheet.pdf") << BuildPdfSheet(code.all, 1, 0.25, "").Value();
    const auto fromPdf = ReadCodesInFiles({folder.Path() + "/sheet.pdf"});
    ASSERT_TRUE(fromPdf);
    EXPECT_EQ(fromPdf->front().text, "PDF 0123");

    std::ofstream(folder.Path() + "/text.png") << "not a picture";
    std::ofstream(folder.Path() + "/white.pgm") << "P5 60 60 255\n" << std::string(3600, '\xFF');
    GreyPicture damaged = Drawn(*code.all[0], 4);
    for (int y = 16 * 4; y < 26 * 4; ++y)  // modules 12..21 of the data turned over, the finders left whole
        for (int x = 16 * 4; x < 26 * 4; ++x)
            damaged.pixels[static_cast<size_t>(y) * damaged.width + x] ^= 0xFF;
    const auto broken = Find(damaged);
    ASSERT_FALSE(broken);
    EXPECT_EQ(broken.Error().kind, ReadFailureKind::DamagedCode);
    for (const auto& [name, kind] : {std::pair{"text.png", ReadFailureKind::NotAnImage},
                                     {"white.pgm", ReadFailureKind::NoCode},
                                     {"missing.png", ReadFailureKind::FileUnreadable}}) {
        const auto failed = ReadCodesInFiles({folder.Path() + "/" + name});
        ASSERT_FALSE(failed) << name;
        EXPECT_EQ(failed.Error().kind, kind) << name;
        EXPECT_EQ(failed.Error().path, folder.Path() + "/" + name);
        EXPECT_FALSE(ReadFailureMessage(failed.Error()).empty());
    }
}

TEST(CodeReader, BytesBecomeTextByEciOrByTheirLook)
{
    const std::string sjis = text::Utf8ToCp932("ヌボラ").value();
    const std::string utf8 = "ヌボラ";
    for (const auto& [bytes, eci, text, charset] :
         {std::tuple{std::string("ab"), -1, std::string("ab"), CodeCharset::Ascii},
          {utf8, -1, utf8, CodeCharset::Utf8},
          {utf8, 26, utf8, CodeCharset::Utf8},
          {sjis, -1, utf8, CodeCharset::ShiftJis},
          {sjis, 20, utf8, CodeCharset::ShiftJis},
          {std::string("a\x80\xFD"), -1, std::string("a\xEF\xBF\xBD\xEF\xBF\xBD"), CodeCharset::Unknown}}) {
        const CodeText got = TextOfBytes(bytes, eci);
        EXPECT_EQ(got.text, text) << bytes;
        EXPECT_EQ(got.charset, charset) << bytes;
    }
}

}  // namespace
}  // namespace nubora
