// The standard payload forms byte for byte, and each read back from a symbol
// the engine draws by zxing-cpp and taken apart again field by field.
#include "nubora/logic/payload_forms.h"

#include <iconv.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "decoders.h"
#include "tavoqrenc.h"

namespace nubora {
namespace {

// CP932 bytes of the words the cases use, written out so that the expected
// bytes do not depend on a converter.
const std::string kYamadaTaro = "\x8E\x52\x93\x63\x91\xBE\x98\x59";                      // 山田太郎
const std::string kYamadaTaroKana = "\x83\x84\x83\x7D\x83\x5F\x83\x5E\x83\x8D\x83\x45";  // ヤマダタロウ
const std::string kTokyo = "\x93\x8C\x8B\x9E\x93\x73\x90\xE7\x91\xE3\x93\x63\x8B\xE6";   // 東京都千代田区
const std::string kHyoji = "\x95\x5C\x8E\xA6";                                           // 表示, 表 = 0x95 0x5C
const std::string kSofuto = "\x83\x5C\x83\x74\x83\x67";                                  // ソフト, ソ = 0x83 0x5C
const std::string kKenmei = "\x8C\x8F\x96\xBC";                                          // 件名
const std::string kHonbun = "\x96\x7B\x95\xB6";                                          // 本文

// `bytes` converted between two character sets by iconv; nullopt when
// anything in it does not convert.
std::optional<std::string> Convert(const char* to, const char* from, const std::string& bytes)
{
    const iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string input = bytes;
    std::string output(4 * bytes.size() + 4, '\0');
    char* source = input.data();
    char* target = output.data();
    std::size_t sourceLeft = input.size();
    std::size_t targetLeft = output.size();
    const std::size_t result = ::iconv(cd, &source, &sourceLeft, &target, &targetLeft);
    ::iconv_close(cd);
    if (result == static_cast<std::size_t>(-1))
        return std::nullopt;
    output.resize(output.size() - targetLeft);
    return output;
}

// The one symbol the engine draws for `payload`, as zxing-cpp reads it.
peers::ZxingReading EncodeAndRead(const std::string& payload)
{
    QrBitmap** bitmaps = nullptr;
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    const int32_t status = TavoQREnc_QrEncode(payload.c_str(), static_cast<int32_t>(payload.size()), 1, &bitmaps,
                                              &params);
    if (status != TAVOQRENC_OK)
        return {false, {}, {}, -1, -1, {}, "encode status " + std::to_string(status)};
    const peers::GreyImage grey = peers::RenderGrey(bitmaps[0]);
    TavoQREnc_FreeBitmaps(bitmaps, 1);
    return peers::ReadWithZxing(grey);
}

// MECARD ----------------------------------------------------------------------

struct MecardCase {
    const char* what;
    AddressBookEntry entry;
    std::string expected;
};

TEST(PayloadProfileMecard, GivesTheExactBytes)
{
    const MecardCase cases[] = {
        MecardCase{"FullEntry",
                   {kYamadaTaro, kYamadaTaroKana, "0312345678", "09012345678", "taro@example.jp", "t@example.com",
                    kTokyo, "memo"},
                   "MECARD:N:" + kYamadaTaro + ";SOUND:" + kYamadaTaroKana +
                       ";TEL:0312345678;TEL:09012345678;EMAIL:taro@example.jp;EMAIL:t@example.com;ADR:" + kTokyo +
                       ";NOTE:memo;;"},
        MecardCase{"EmptyEntryKeepsTheName", {}, "MECARD:N:;;"},
        MecardCase{"BackslashEscaped", {"a\\b", "", "", "", "", "", "", ""}, "MECARD:N:a\\\\b;;"},
        MecardCase{"SemicolonEscaped", {"", "c;d", "", "", "", "", "", ""}, "MECARD:N:;SOUND:c\\;d;;"},
        MecardCase{"CommaEscaped", {"", "", "", "", "", "", "1-2,3", ""}, "MECARD:N:;ADR:1-2\\,3;;"},
        MecardCase{"ColonEscaped", {"", "", "", "", "", "", "", "at 10:30"}, "MECARD:N:;NOTE:at 10\\:30;;"},
        MecardCase{"TrailBytes5CAreNoBackslash",
                   {kHyoji, kSofuto, "", "", "", "", kHyoji + "\\" + kSofuto, ""},
                   "MECARD:N:" + kHyoji + ";SOUND:" + kSofuto + ";ADR:" + kHyoji + "\\\\" + kSofuto + ";;"},
        MecardCase{"LoneLeadByteDoesNotHideASemicolon", {"\x95;", "", "", "", "", "", "", ""}, "MECARD:N:\x95\\;;;"},
        MecardCase{"OnlyFilledTelAndEmail",
                   {"n", "", "", "0312345678", "", "b@example.jp", "", ""},
                   "MECARD:N:n;TEL:0312345678;EMAIL:b@example.jp;;"},
    };
    for (const MecardCase& c : cases)
        EXPECT_EQ(peers::Printable(MecardPayload(c.entry)), peers::Printable(c.expected)) << c.what;
}

// The fields of a MECARD, backslash escapes undone; double-byte characters
// are taken whole so that their second byte is never an escape.
std::multimap<std::string, std::string> ParseMecard(const std::string& card)
{
    std::multimap<std::string, std::string> fields;
    const std::string prefix = "MECARD:";
    if (card.compare(0, prefix.size(), prefix) != 0)
        return fields;
    std::size_t at = prefix.size();
    while (at < card.size() && card[at] != ';') {
        const std::size_t colon = card.find(':', at);
        if (colon == std::string::npos)
            break;
        const std::string key = card.substr(at, colon - at);
        std::string value;
        for (at = colon + 1; at < card.size() && card[at] != ';'; ++at) {
            const auto byte = static_cast<uint8_t>(card[at]);
            const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
            if ((lead || byte == '\\') && at + 1 < card.size()) {
                if (lead)
                    value.push_back(card[at]);
                ++at;
            }
            value.push_back(card[at]);
        }
        fields.emplace(key, value);
        ++at;
    }
    return fields;
}

AddressBookEntry EntryOf(const std::multimap<std::string, std::string>& fields)
{
    AddressBookEntry entry;
    const auto one = [&](const char* key) {
        const auto found = fields.find(key);
        return found == fields.end() ? std::string() : found->second;
    };
    const auto two = [&](const char* key, std::string& first, std::string& second) {
        auto [begin, end] = fields.equal_range(key);
        if (begin != end)
            first = (begin++)->second;
        if (begin != end)
            second = begin->second;
    };
    entry.name = one("N");
    entry.reading = one("SOUND");
    two("TEL", entry.tel1, entry.tel2);
    two("EMAIL", entry.mail1, entry.mail2);
    entry.address = one("ADR");
    entry.memo = one("NOTE");
    return entry;
}

TEST(PayloadProfileMecardRoundTrip, ZxingReadsTheCardAndItsFieldsComeBack)
{
    const std::vector<AddressBookEntry> entries = {
        {kYamadaTaro, kYamadaTaroKana, "03-1234-5678", "", "taro@example.jp", "t;a,r:o\\@example.com",
         kTokyo + " 1-2,3", kHyoji + kSofuto + "\\;"},
        {"", "", "", "090", "", "", "", ""},
    };
    for (const AddressBookEntry& entry : entries) {
        const std::string payload = MecardPayload(entry);
        const peers::ZxingReading reading = EncodeAndRead(payload);
        ASSERT_TRUE(reading.valid) << reading.error;
        ASSERT_EQ(peers::Printable(reading.bytes), peers::Printable(payload));
        const AddressBookEntry back = EntryOf(ParseMecard(reading.bytes));
        EXPECT_EQ(back.name, entry.name);
        EXPECT_EQ(back.reading, entry.reading);
        EXPECT_EQ(back.tel1, entry.tel1.empty() ? entry.tel2 : entry.tel1);
        EXPECT_EQ(back.tel2, entry.tel1.empty() ? "" : entry.tel2);
        EXPECT_EQ(back.mail1, entry.mail1);
        EXPECT_EQ(back.mail2, entry.mail2);
        EXPECT_EQ(back.address, entry.address);
        EXPECT_EQ(back.memo, entry.memo);
    }
}

// mailto: URI -----------------------------------------------------------------

struct MailtoCase {
    const char* what;
    MailEntry entry;
    std::string expected;
};

TEST(PayloadProfileMailto, GivesTheExactUri)
{
    const MailtoCase cases[] = {
        MailtoCase{"NothingButTheAddress", {"a@example.jp", "", ""}, "mailto:a@example.jp"},
        MailtoCase{"EmptyEntry", {}, "mailto:"},
        MailtoCase{"SubjectOnly", {"a@example.jp", "Hello World", ""}, "mailto:a@example.jp?subject=Hello%20World"},
        MailtoCase{"BodyOnlyOpensTheQuery", {"a@example.jp", "", "Hi"}, "mailto:a@example.jp?body=Hi"},
        MailtoCase{"SubjectAndBody", {"a@example.jp", "S", "B"}, "mailto:a@example.jp?subject=S&body=B"},
        MailtoCase{
            "JapaneseSubjectInUtf8", {"a@example.jp", kKenmei, ""}, "mailto:a@example.jp?subject=%E4%BB%B6%E5%90%8D"},
        MailtoCase{"CrLfInTheBody",
                   {"a@example.jp", "", kHonbun + "\r\nline 2\r\n"},
                   "mailto:a@example.jp?body=%E6%9C%AC%E6%96%87%0D%0Aline%202%0D%0A"},
        MailtoCase{"QueryDelimitersInValuesEncoded",
                   {"a@b", "a&b=c?d#e+f%", "x-y_z.~"},
                   "mailto:a@b?subject=a%26b%3Dc%3Fd%23e%2Bf%25&body=x-y_z.~"},
        MailtoCase{
            "AddressKeepsItsDelimiters", {"a+b@x.jp,!$'()*;=:~-._@y.jp", "", ""}, "mailto:a+b@x.jp,!$'()*;=:~-._@y.jp"},
        MailtoCase{"AddressEncodesTheRest",
                   {"c%d@x.jp, e?f#g&h\"<>\\@y.jp", "", ""},
                   "mailto:c%25d@x.jp,%20e%3Ff%23g%26h%22%3C%3E%5C@y.jp"},
        MailtoCase{
            "TrailByte5CIsPartOfItsCharacter", {"a@b", kHyoji + "\\", ""}, "mailto:a@b?subject=%E8%A1%A8%E7%A4%BA%5C"},
        MailtoCase{
            "InvalidBytesEncodedAsTheyAre", {"a@b", "x\x80y\xFF", "\x81"}, "mailto:a@b?subject=x%80y%FF&body=%81"},
    };
    for (const MailtoCase& c : cases)
        EXPECT_EQ(MailtoUriPayload(c.entry), c.expected) << c.what;
}

std::string PercentDecode(const std::string& text)
{
    std::string decoded;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && at + 2 < text.size()) {
            decoded.push_back(static_cast<char>(std::stoi(text.substr(at + 1, 2), nullptr, 16)));
            at += 2;
        } else {
            decoded.push_back(text[at]);
        }
    }
    return decoded;
}

// The mail a mailto: URI stands for, subject and body back in CP932.
MailEntry ParseMailto(const std::string& uri)
{
    MailEntry entry;
    const std::string scheme = "mailto:";
    if (uri.compare(0, scheme.size(), scheme) != 0)
        return entry;
    const std::size_t query = uri.find('?');
    entry.to = PercentDecode(uri.substr(scheme.size(), query - scheme.size()));
    for (std::size_t at = query; at < uri.size();) {
        const std::size_t end = std::min(uri.find('&', at + 1), uri.size());
        const std::string pair = uri.substr(at + 1, end - at - 1);
        const std::size_t equals = pair.find('=');
        const std::string value =
            Convert("CP932", "UTF-8", PercentDecode(pair.substr(equals + 1))).value_or("(no CP932)");
        if (pair.compare(0, equals, "subject") == 0)
            entry.subject = value;
        else if (pair.compare(0, equals, "body") == 0)
            entry.body = value;
        at = end;
    }
    return entry;
}

TEST(PayloadProfileMailtoRoundTrip, ZxingReadsTheUriAndTheMailComesBack)
{
    const std::vector<MailEntry> entries = {
        {"a@example.jp,b+c@example.com", kKenmei + " #1 & 100%", kHonbun + "\r\n" + kHyoji + kSofuto + "?\r\n\r\nend"},
        {"a@example.jp", "", "body=only"},
    };
    for (const MailEntry& entry : entries) {
        const std::string payload = MailtoUriPayload(entry);
        const peers::ZxingReading reading = EncodeAndRead(payload);
        ASSERT_TRUE(reading.valid) << reading.error;
        ASSERT_EQ(reading.bytes, payload);
        const MailEntry back = ParseMailto(reading.bytes);
        EXPECT_EQ(back.to, entry.to);
        EXPECT_EQ(peers::Printable(back.subject), peers::Printable(entry.subject));
        EXPECT_EQ(peers::Printable(back.body), peers::Printable(entry.body));
    }
}

}  // namespace
}  // namespace nubora
