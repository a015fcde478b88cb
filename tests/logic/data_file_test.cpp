#include "nubora/logic/data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace nubora {
namespace {

using namespace std::string_literals;

// Shift-JIS characters whose trail byte is 0x5C, and a few others.
const std::string kOmote = "\x95\x5C";               // 表
const std::string kSo = "\x83\x5C";                  // ソ
const std::string kYamada = "\x8E\x52\x93\x63";      // 山田
const std::string kKenmei = "\x8C\x8F\x96\xBC";      // 件名
const std::string kHalfYamada = "\xD4\xCF\xC0\xDE";  // ﾔﾏﾀﾞ

// --- the conversions --------------------------------------------------------

TEST(DataFileConversions, EscapeCommasPutsABackslashBeforeEachCommaOnly)
{
    EXPECT_EQ(EscapeCommas(""), "");
    EXPECT_EQ(EscapeCommas("a,b,,c"), "a\\,b\\,\\,c");
    EXPECT_EQ(EscapeCommas("a\\b"), "a\\b");
    EXPECT_EQ(EscapeCommas(kOmote + ","), kOmote + "\\,");
}

TEST(DataFileConversions, CrLfToLfJoinsPairsAndKeepsLoneCarriageReturns)
{
    EXPECT_EQ(CrLfToLf("a\r\nb\rc\n\r\r\n"), "a\nb\rc\n\r\n");
    EXPECT_EQ(CrLfToLf("\r"), "\r");
}

TEST(DataFileConversions, LfToCrLfWidensEveryLineFeed)
{
    EXPECT_EQ(LfToCrLf("a\nb\r\nc\r"), "a\r\nb\r\r\nc\r");
    EXPECT_EQ(CrLfToLf(LfToCrLf("x\r\n\n\r\r\ny")), "x\r\n\n\r\r\ny");
}

TEST(DataFileConversions, DropTrailingBackslashesKeepsTrailBytes)
{
    EXPECT_EQ(DropTrailingBackslashes("C:\\"), "C:");
    EXPECT_EQ(DropTrailingBackslashes("a\\\\\\"), "a");
    EXPECT_EQ(DropTrailingBackslashes("\\a\\b"), "\\a\\b");
    EXPECT_EQ(DropTrailingBackslashes(kOmote), kOmote);
    EXPECT_EQ(DropTrailingBackslashes(kOmote + "\\"), kOmote);
    EXPECT_EQ(DropTrailingBackslashes(kSo + kSo), kSo + kSo);
    EXPECT_EQ(DropTrailingBackslashes("\\"), "");
}

TEST(DataFileConversions, LosesTrailingBackslashFindsTheValueThatWouldLoseOne)
{
    EXPECT_TRUE(LosesTrailingBackslash("C:\\"));
    EXPECT_FALSE(LosesTrailingBackslash("\\a"));
    EXPECT_FALSE(LosesTrailingBackslash(kOmote));
    EXPECT_FALSE(LosesTrailingBackslash(""));
    AddressBookEntry entry;
    EXPECT_FALSE(LosesTrailingBackslash(entry));
    entry.memo = kSo;
    EXPECT_FALSE(LosesTrailingBackslash(entry));
    entry.memo = kSo + "\\";
    EXPECT_TRUE(LosesTrailingBackslash(entry));
    entry = {};
    entry.tel2 = "1\\";
    EXPECT_TRUE(LosesTrailingBackslash(entry));
    MailEntry mail{"a@b", "s", "body\\\r\n"};
    EXPECT_FALSE(LosesTrailingBackslash(mail));
    mail.subject = "\\";
    EXPECT_TRUE(LosesTrailingBackslash(mail));
}

// --- splitting ---------------------------------------------------------------

TEST(DataFileKind, TheExtensionAloneNamesTheScreenExactly)
{
    const struct {
        const char* path;
        std::optional<ScreenId> screen;
    } cases[] = {
        {"entry.aqr", ScreenId::AddressBook}, {"/home/a b/mail.eqr", ScreenId::Mail},
        {"t.x.fqr", ScreenId::FreeText},      {"entry.AQR", std::nullopt},
        {"entry.aqr.txt", std::nullopt},      {"aqr", std::nullopt},
        {"folder.aqr/entry", std::nullopt},   {"entry.", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScreenForDataFile(c.path), c.screen) << c.path;
}

TEST(DataFileSplit, OnlyCommaEndedTextFormsAField)
{
    EXPECT_EQ(SplitFields(""), std::vector<std::string>{});
    EXPECT_EQ(SplitFields("abc"), std::vector<std::string>{});
    EXPECT_EQ(SplitFields("a,,b,tail"), (std::vector<std::string>{"a", "", "b"}));
}

TEST(DataFileSplit, EscapedCommaStaysInTheFieldWithoutItsBackslash)
{
    EXPECT_EQ(SplitFields("a\\,b,c,"), (std::vector<std::string>{"a,b", "c"}));
    // Backslash backslash comma: the second backslash escapes the comma.
    EXPECT_EQ(SplitFields("\\\\,,"), (std::vector<std::string>{"\\,"}));
    EXPECT_EQ(SplitFields("a\\b,"), (std::vector<std::string>{"a\\b"}));
}

TEST(DataFileSplit, TrailByte5CIsNoEscape)
{
    EXPECT_EQ(SplitFields(kOmote + "," + kSo + ","), (std::vector<std::string>{kOmote, kSo}));
    // A single-byte backslash after a double-byte character does escape.
    EXPECT_EQ(SplitFields(kOmote + "\\,x,"), (std::vector<std::string>{kOmote + ",x"}));
    // Characters are counted afresh in every field.
    EXPECT_EQ(SplitFields("a," + kOmote + ","), (std::vector<std::string>{"a", kOmote}));
    // Half-width katakana are single bytes: a backslash after them escapes.
    EXPECT_EQ(SplitFields("\xB1\\,,"), (std::vector<std::string>{"\xB1,"}));
}

TEST(DataFileSplit, LeadByteBeforeACommaStandsAlone)
{
    EXPECT_EQ(SplitFields("\x81,b,"), (std::vector<std::string>{"\x81", "b"}));
    EXPECT_EQ(SplitFields("\x81"), std::vector<std::string>{});
}

// --- golden bytes ------------------------------------------------------------

TEST(AddressBookFile, EmptyEntryIsEightCommas)
{
    EXPECT_EQ(BuildAddressBookFile({}), ",,,,,,,,");
    EXPECT_EQ(ParseAddressBookFile(",,,,,,,,"), AddressBookEntry{});
}

TEST(AddressBookFile, FieldsInFileOrderWithCommasEscapedInNameReadingAddressMemo)
{
    const AddressBookEntry entry{"Yamada, Taro",    kHalfYamada + ",", "03-1234-5678",   "090#1",
                                 "taro@example.jp", "t.y@example.com", "Tokyo, Chiyoda", "memo,1"};
    const std::string file = "Yamada\\, Taro," + kHalfYamada +
                             "\\,,03-1234-5678,090#1,taro@example.jp,t.y@example.com,"
                             "Tokyo\\, Chiyoda,memo\\,1,";
    EXPECT_EQ(BuildAddressBookFile(entry), file);
    EXPECT_EQ(ParseAddressBookFile(file), entry);
}

TEST(AddressBookFile, NameWithACommaKeepsTheOtherFieldsInPlace)
{
    AddressBookEntry entry;
    entry.name = kYamada + ",Taro";
    entry.tel1 = "0312345678";
    const std::string file = kYamada + "\\,Taro,,0312345678,,,,,,";
    EXPECT_EQ(BuildAddressBookFile(entry), file);
    EXPECT_EQ(ParseAddressBookFile(file), entry);
}

TEST(AddressBookFile, TrailByte5CBeforeTheSeparatorIsNoEscape)
{
    AddressBookEntry entry;
    entry.name = kSo;
    entry.address = "Tokyo " + kOmote;
    entry.memo = kSo + kOmote;
    const std::string file = kSo + ",,,,,,Tokyo " + kOmote + "," + kSo + kOmote + ",";
    EXPECT_EQ(BuildAddressBookFile(entry), file);
    EXPECT_EQ(ParseAddressBookFile(file), entry);
}

TEST(AddressBookFile, LineFeedIsStoredAsCrLf)
{
    AddressBookEntry entry;
    entry.memo = "a\nb\r\nc";
    EXPECT_EQ(BuildAddressBookFile(entry), ",,,,,,,a\r\nb\r\r\nc,");
    EXPECT_EQ(ParseAddressBookFile(BuildAddressBookFile(entry)), entry);
}

TEST(AddressBookFile, ExtraFieldsAndTextAfterTheLastCommaAreIgnored)
{
    const AddressBookEntry read = ParseAddressBookFile("1,2,3,4,5,6,7,8,9,10,rest");
    EXPECT_EQ(read, (AddressBookEntry{"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(ParseAddressBookFile("1,2,three"), (AddressBookEntry{"1", "2", "", "", "", "", "", ""}));
}

TEST(MailFile, BodyLineBreakIsStoredAsCrCrLf)
{
    const MailEntry mail{"a@example.jp,b@example.jp", kKenmei, "line 1\r\nline 2, end"};
    const std::string file = "a@example.jp\\,b@example.jp," + kKenmei + ",line 1\r\r\nline 2\\, end,";
    EXPECT_EQ(BuildMailFile(mail), file);
    EXPECT_EQ(ParseMailFile(file), mail);
}

TEST(MailFile, BodyWithLineBreaksComesBack)
{
    // The one-line reader lost such a body: its comma lies on a later line.
    const MailEntry mail{"x@example.jp", "", "one\r\ntwo\r\n\r\nthree\r\n"};
    EXPECT_EQ(ParseMailFile(BuildMailFile(mail)), mail);
}

TEST(FreeTextFile, SeveralLinesAreOneLfLineEndedByCrLf)
{
    const std::string text = "TEL:0312345678\r\n" + kOmote + ",x\r\n\r\nend";
    const std::string file = "TEL:0312345678\n" + kOmote + "\\,x\n\nend,\r\n";
    EXPECT_EQ(BuildFreeTextFile(text), file);
    EXPECT_EQ(ParseFreeTextFile(file), text);
}

TEST(FreeTextFile, EmptyTextAndFilesWithoutAField)
{
    EXPECT_EQ(BuildFreeTextFile(""), ",\r\n");
    EXPECT_EQ(ParseFreeTextFile(",\r\n"), "");
    EXPECT_EQ(ParseFreeTextFile(""), "");
    EXPECT_EQ(ParseFreeTextFile("no comma\r\n"), "");
    EXPECT_EQ(ParseFreeTextFile("first,second,\r\n"), "first");
}

TEST(FreeTextFile, LoneCarriageReturnBeforeALineBreakComesBack)
{
    // CR CR LF in the text becomes CR LF in the file: inside the content line.
    const std::string text = "a\r\r\nb";
    EXPECT_EQ(BuildFreeTextFile(text), "a\r\nb,\r\n");
    EXPECT_EQ(ParseFreeTextFile(BuildFreeTextFile(text)), text);
}

// --- a value ending in a single-byte backslash -------------------------------

TEST(TrailingBackslash, WritersDropItSoEveryFieldKeepsItsPlace)
{
    AddressBookEntry entry;
    entry.name = "C:\\";
    entry.reading = "x";
    entry.address = kOmote + "\\\\";
    entry.memo = kOmote;
    EXPECT_EQ(BuildAddressBookFile(entry), "C:,x,,,,," + kOmote + "," + kOmote + ",");
    AddressBookEntry expected = entry;
    expected.name = "C:";
    expected.address = kOmote;
    EXPECT_EQ(ParseAddressBookFile(BuildAddressBookFile(entry)), expected);

    EXPECT_EQ(BuildMailFile({"a@b.jp", "\\", "body\\"}), "a@b.jp,,body,");
    EXPECT_EQ(BuildFreeTextFile("path C:\\"), "path C:,\r\n");
}

TEST(TrailingBackslash, ReadersTakeBackslashCommaAsAnEscapedComma)
{
    // A file from elsewhere: the first field runs on into the second.
    const AddressBookEntry read = ParseAddressBookFile("C:\\,x,,,,,,,,");
    EXPECT_EQ(read.name, "C:,x");
    EXPECT_EQ(read.reading, "");
    EXPECT_EQ(read.memo, "");
    EXPECT_EQ(ParseFreeTextFile("C:\\,\r\n"), "");
}

// --- long lines ----------------------------------------------------------------

TEST(DataFileLength, AddressLineLongerThan511BytesComesBack)
{
    AddressBookEntry entry{std::string(24, ','), std::string(24, ','), std::string(36, '1'), std::string(36, '2'),
                           std::string(64, 'm'), std::string(64, 'n'), std::string(80, ','), std::string(80, ',')};
    const std::string file = BuildAddressBookFile(entry);
    ASSERT_GT(file.size(), 511u);
    EXPECT_EQ(ParseAddressBookFile(file), entry);
}

TEST(DataFileLength, MailAndFreeTextOfTenThousandBytesComeBack)
{
    std::string body;
    while (body.size() + 2 <= 10000)
        body += (body.size() % 40 == 38) ? "\r\n" : kOmote;
    const MailEntry mail{std::string(640, 'a'), std::string(100, ','), body};
    EXPECT_EQ(ParseMailFile(BuildMailFile(mail)), mail);
    EXPECT_EQ(ParseFreeTextFile(BuildFreeTextFile(body)), body);
}

// --- seeded properties ---------------------------------------------------------

// Random Shift-JIS text of whole characters, rich in the bytes the format
// gives a meaning: commas, backslashes, line breaks and trail bytes 0x5C. The
// expected read-back is kept beside it, character by character.
class TextMaker {
public:
    explicit TextMaker(uint64_t seed) : random_(seed) {}

    // A value of at most `limit` bytes (often exactly `limit` or empty), with
    // bare LF only when `bareLf`. Sets `expected` to what should come back.
    std::string Make(std::size_t limit, bool bareLf, std::string& expected)
    {
        const int shape = Pick(10);
        const std::size_t target = shape == 0 ? 0 : shape <= 3 ? limit : static_cast<std::size_t>(Pick(limit + 1));
        std::vector<std::string> chars;
        std::size_t size = 0;
        while (size < target) {
            std::string c = Char(bareLf);
            if (size + c.size() > target)
                c = "x";
            size += c.size();
            chars.push_back(std::move(c));
        }
        std::string value;
        for (const std::string& c : chars)
            value += c;
        while (!chars.empty() && chars.back() == "\\")
            chars.pop_back();
        expected.clear();
        for (const std::string& c : chars)
            expected += c;
        return value;
    }

private:
    int Pick(std::size_t n) { return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_)); }

    std::string Char(bool bareLf)
    {
        switch (Pick(12)) {
        case 0: return ",";
        case 1: return "\\";
        case 2: return "\r\n";
        case 3: return "\r";
        case 4: return bareLf ? "\n" : "\r\n";
        case 5: return Pick(2) == 0 ? kOmote : kSo;
        case 6: return std::string(1, static_cast<char>(0xA1 + Pick(63)));  // half-width katakana
        case 7: {  // control bytes other than the line-break ones above
            char c = static_cast<char>(1 + Pick(29));
            if (c >= '\n')
                ++c;
            if (c >= '\r')
                ++c;
            return std::string(1, c);
        }
        case 8:
        case 9: {  // any double-byte code: lead 0x81..0x9F or 0xE0..0xFC, trail 0x40..0xFC but 0x7F
            const int lead = Pick(2) == 0 ? 0x81 + Pick(31) : 0xE0 + Pick(29);
            int trail = 0x40 + Pick(188);
            if (trail >= 0x7F)
                ++trail;
            return {static_cast<char>(lead), static_cast<char>(trail)};
        }
        default: return std::string(1, static_cast<char>(0x20 + Pick(95)));  // printable ASCII
        }
    }

    std::mt19937_64 random_;
};

constexpr uint64_t kSeed = 0x4E55424F5241;  // "NUBORA"
constexpr int kRounds = 3000;

TEST(DataFileProperty, AddressBookEntriesComeBackExactly)
{
    TextMaker maker(kSeed);
    for (int round = 0; round < kRounds; ++round) {
        AddressBookEntry value, expected;
        value.name = maker.Make(24, true, expected.name);
        value.reading = maker.Make(24, true, expected.reading);
        value.tel1 = maker.Make(36, true, expected.tel1);
        value.tel2 = maker.Make(36, true, expected.tel2);
        value.mail1 = maker.Make(64, true, expected.mail1);
        value.mail2 = maker.Make(64, true, expected.mail2);
        value.address = maker.Make(80, true, expected.address);
        value.memo = maker.Make(80, true, expected.memo);
        // Telephone and e-mail fields are stored unescaped: they never hold a
        // comma once checked, so leave commas out of them here.
        for (std::string* s : {&value.tel1, &value.tel2, &value.mail1, &value.mail2, &expected.tel1, &expected.tel2,
                               &expected.mail1, &expected.mail2}) {
            std::replace(s->begin(), s->end(), ',', '.');
        }
        ASSERT_EQ(ParseAddressBookFile(BuildAddressBookFile(value)), expected) << "round " << round;
    }
}

TEST(DataFileProperty, MailsComeBackExactly)
{
    TextMaker maker(kSeed + 1);
    for (int round = 0; round < kRounds; ++round) {
        MailEntry value, expected;
        value.to = maker.Make(640, true, expected.to);
        value.subject = maker.Make(100, true, expected.subject);
        value.body = maker.Make(round % 10 == 0 ? 10000 : 600, true, expected.body);
        ASSERT_EQ(ParseMailFile(BuildMailFile(value)), expected) << "round " << round;
    }
}

TEST(DataFileProperty, FreeTextsComeBackExactly)
{
    TextMaker maker(kSeed + 2);
    for (int round = 0; round < kRounds; ++round) {
        std::string expected;
        const std::string value = maker.Make(round % 10 == 0 ? 20000 : 1500, false, expected);
        ASSERT_EQ(ParseFreeTextFile(BuildFreeTextFile(value)), expected) << "round " << round;
    }
}

// The one-line reader the files were first made for, written out plainly:
// the first line only (text mode for aqr and eqr), cut at `limit` bytes.
std::vector<std::string> OneLineFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    std::string field;
    for (std::size_t i = start; i < line.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(line[i]);
        if (b == ',') {
            // Is the byte before a single-byte backslash? Walk the field from its start.
            bool escaped = false;
            for (std::size_t j = start; j < i; ++j) {
                const unsigned char c = static_cast<unsigned char>(line[j]);
                const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
                if (lead && j + 1 < i) {
                    ++j;
                    escaped = false;
                } else {
                    escaped = c == '\\' && j + 1 == i;
                }
            }
            if (escaped) {
                field.back() = ',';
                start = i + 1;  // the escaped comma is a single-byte character
                continue;
            }
            fields.push_back(field);
            field.clear();
            start = i + 1;
        } else {
            field += line[i];
        }
    }
    return fields;
}

std::string TextModeRead(const std::string& bytes)
{
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
            out += bytes[i];
    }
    return out;
}

std::string FirstLine(const std::string& text, std::size_t limit, const std::string& end)
{
    const std::size_t at = text.find(end);
    const std::size_t size = at == std::string::npos ? text.size() : at + (end == "\n" ? 1 : 0);
    return text.substr(0, std::min(size, limit));
}

std::string RandomFile(std::mt19937_64& random)
{
    static const std::vector<std::string> pieces = {"a",  "b",    ",",    ",", "\\",   "\\,",  "\r",
                                                    "\n", "\r\n", kOmote, kSo, "\x81", "\xB1", "x,y,"};
    std::string file;
    const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 1400)(random);
    while (file.size() < length)
        file += pieces[random() % pieces.size()];
    return file;
}

std::vector<std::string> Fields(const AddressBookEntry& f)
{
    return {f.name, f.reading, f.tel1, f.tel2, f.mail1, f.mail2, f.address, f.memo};
}
std::vector<std::string> Fields(const MailEntry& f) { return {f.to, f.subject, f.body}; }

TEST(DataFileProperty, EveryFieldTheOneLineReaderGotReadsTheSame)
{
    std::mt19937_64 random(kSeed + 3);
    int checked = 0;
    for (int round = 0; round < kRounds; ++round) {
        const std::string file = RandomFile(random);
        const std::vector<std::string> address = Fields(ParseAddressBookFile(file));
        const std::vector<std::string> oldAddress = OneLineFields(FirstLine(TextModeRead(file), 511, "\n"));
        for (std::size_t i = 0; i < std::min<std::size_t>(8, oldAddress.size()); ++i, ++checked) {
            ASSERT_EQ(address[i], oldAddress[i]) << "round " << round << " field " << i;
        }
        const std::vector<std::string> mail = Fields(ParseMailFile(file));
        const std::vector<std::string> oldMail = OneLineFields(FirstLine(TextModeRead(file), 1279, "\n"));
        for (std::size_t i = 0; i < std::min<std::size_t>(3, oldMail.size()); ++i, ++checked) {
            ASSERT_EQ(mail[i], oldMail[i]) << "round " << round << " field " << i;
        }
        // The free-text reader: one CR LF-ended line (a later line would be
        // laid over the first in its buffer), the first field, LF as CR LF.
        const std::size_t crlf = file.find("\r\n");
        if (crlf == std::string::npos || crlf + 2 == file.size()) {
            const std::vector<std::string> oldText = OneLineFields(FirstLine(file, 1279, "\r\n"));
            if (!oldText.empty()) {
                ASSERT_EQ(ParseFreeTextFile(file), LfToCrLf(oldText.front())) << "round " << round;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, kRounds);
}

TEST(DataFile, AFileAfterAUtf8MarkComesBackInTheCharsetItsTextNeeds)
{
    const AddressBookEntry cp932 = ParseAddressBookFile("\xEF\xBB\xBF山田,\r\n");
    EXPECT_EQ(cp932.name, "\x8E\x52\x93\x63");
    EXPECT_EQ(cp932.charset, text::TextCharset::Cp932);
    const MailEntry utf8 = ParseMailFile(
        "\xEF\xBB\xBF"
        "a@b,Caf\xC3\xA9\xFF\\,,\r\n");
    EXPECT_EQ(utf8.subject, "Café\xEF\xBF\xBD,");
    EXPECT_EQ(utf8.charset, text::TextCharset::Utf8);
    EXPECT_EQ(BuildMailFile(utf8),
              "\xEF\xBB\xBF"
              "a@b,Caf\xC3\xA9\xEF\xBF\xBD\\,,,");
}

}  // namespace
}  // namespace nubora
