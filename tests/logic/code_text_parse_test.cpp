// The texts of codes taken apart: every form this program writes comes back
// field for field, the forms of other encoders into the same fields, and
// bad or huge texts end in a named failure or a sane result.
#include "parsed_codes.h"

#include "nubora/logic/code_reader.h"
#include "nubora/logic/code_text_parse.h"
#include "nubora/logic/payload_forms.h"
#include "nubora/text/cp932.h"

#include <gtest/gtest.h>

namespace nubora {
namespace {

using testing::Contact;
using testing::Mail;
using text::Cp932ToUtf8;

std::string Sjis(const char* utf8) { return text::Utf8ToCp932(utf8).value(); }

// A payload of this program as a reader gets it: CP932 bytes read as text.
ParsedCode Parsed(const std::string& cp932Payload)
{
    const CodeText read = TextOfBytes(cp932Payload, -1);
    const auto parsed = ParseCodeText(read.text);
    EXPECT_TRUE(parsed) << read.text;
    return parsed ? *parsed : ParsedCode{};
}

TEST(CodeTextParse, EveryFormThisProgramWritesComesBackFieldForField)
{
    const std::vector<AddressBookEntry> entries = {
        {Sjis("山田 太郎"), Sjis("ﾔﾏﾀﾞ ﾀﾛｳ"), "03-1234-5678", "090-1111-2222", "taro@example.jp", "t@example.jp",
         Sjis("東京都千代田区1-1 表ソ"), Sjis("メモ; a,b:c\\d")},
        {Sjis("名前だけ"), "", "", "", "", "", "", ""},
        {"", "", "", "0120", "", "x@example.jp", "", Sjis("MEMORY:NAME1:だまし")},
    };
    for (const AddressBookEntry& e : entries) {
        std::vector<std::string> tels, mails;
        for (const std::string* value : {&e.tel1, &e.tel2})
            if (!value->empty())
                tels.push_back(*value);
        for (const std::string* value : {&e.mail1, &e.mail2})
            if (!value->empty())
                mails.push_back(*value);
        for (const auto& [payload, form] :
             {std::pair{AddressBookPayload(e), CodeForm::Memory}, std::pair{MecardPayload(e), CodeForm::Mecard}})
            EXPECT_EQ(Parsed(payload), Contact(form, Cp932ToUtf8(e.name), Cp932ToUtf8(e.reading), tels, mails,
                                               Cp932ToUtf8(e.address), Cp932ToUtf8(e.memo)))
                << Cp932ToUtf8(payload);
    }
    const std::vector<MailEntry> mails = {
        {"a@example.jp,b@example.jp", Sjis("件名"), Sjis("一行目\r\nSUBJECT:二行目\r\nBODY:三行目")},
        {"a@example.jp", "", ""},
        {"a@example.jp", "", Sjis("本文だけ\r\n")},
    };
    for (const MailEntry& m : mails) {
        for (const auto& [payload, form] :
             {std::pair{MailPayload(m), CodeForm::MailtoText}, std::pair{MailtoUriPayload(m), CodeForm::MailtoUri}})
            EXPECT_EQ(Parsed(payload), Mail(form, m.to, Cp932ToUtf8(m.subject), Cp932ToUtf8(m.body)))
                << Cp932ToUtf8(payload);
    }
}

TEST(CodeTextParse, VcardsOfEachVersionFillTheSameFields)
{
    const std::string qp21 =
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=8ER=93c;"
        "=91=BE=98Y\r\nSOUND;X-IRMC-N;CHARSET=SHIFT_JIS:ﾔﾏﾀﾞ;ﾀﾛｳ;;;\r\nTEL;CELL:090-1\r\n"
        "NOTE;ENCODING=QUOTED-PRINTABLE:=83=81=83=82=0D=0A=\r\n2\r\nEND:VCARD\r\n";
    const std::string folded30 =
        "BEGIN:VCARD\nVERSION:3.0\nFN:山田\n  太郎\nTEL;TYPE=work:03-1\nTEL:03-2\nTEL:03-3\n"
        "EMAIL:a@example.jp\nADR:;;1-1;千代田区;東京都;100-0001;日本\nNOTE:a\\nb\\, c\\;d\n"
        "URL:https://example.jp\nEND:VCARD";
    const std::string phonetic40 =
        "BEGIN:VCARD\r\nVERSION:4.0\r\nN:山田;太郎;;;\r\nX-PHONETIC-LAST-NAME:やまだ\r\n"
        "X-PHONETIC-FIRST-NAME:たろう\r\nitem1.EMAIL;TYPE=\"home,pref\":b@example.jp\r\n"
        "END:VCARD\r\n";
    for (const auto& [text, expected] : {
             std::pair{qp21, Contact(CodeForm::Vcard, "山田 太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", {"090-1"}, {}, "", "メモ\r\n2")},
             {folded30, Contact(CodeForm::Vcard, "山田 太郎", "", {"03-1", "03-2"}, {"a@example.jp"},
                                "100-0001 東京都 千代田区 1-1 日本", "a\r\nb, c;d",
                                {{"TEL", "03-3"}, {"URL", "https://example.jp"}})},
             {phonetic40, Contact(CodeForm::Vcard, "山田 太郎", "やまだ たろう", {}, {"b@example.jp"}, "", "")},
         }) {
        const auto parsed = ParseCodeText(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(*parsed, expected) << text;
    }
}

TEST(CodeTextParse, BadTextsFailAtTheirFirstBadByteAndHugeOnesStaySane)
{
    for (const auto& [text, kind, offset] :
         {std::tuple{std::string("MECARD:N:a\0b;;", 15), TextFailure::Kind::HasNul, size_t{10}},
          {std::string("MEMORY:\xE3\x81"), TextFailure::Kind::NotUtf8, size_t{7}},
          {std::string("ab\xFF"), TextFailure::Kind::NotUtf8, size_t{2}}}) {
        const auto parsed = ParseCodeText(text);
        ASSERT_FALSE(parsed) << text;
        EXPECT_EQ(parsed.Error().kind, kind);
        EXPECT_EQ(parsed.Error().offset, offset);
    }
    std::string tels = "BEGIN:VCARD\r\n";
    std::string note = "BEGIN:VCARD\r\nNOTE:";
    for (int i = 0; i < 10'000; ++i) {
        tels += "TEL:" + std::to_string(i) + "\r\n";
        note += "\r\n ab";
    }
    const auto manyTels = ParseCodeText(tels);
    ASSERT_TRUE(manyTels);
    EXPECT_EQ(manyTels->tels, (std::vector<std::string>{"0", "1"}));
    ASSERT_EQ(manyTels->extras.size(), 9'998u);
    EXPECT_EQ(manyTels->extras.back(), (LabelledField{"TEL", "9999"}));
    const auto longNote = ParseCodeText(note);
    ASSERT_TRUE(longNote);
    EXPECT_EQ(longNote->memo.size(), 20'000u);
    EXPECT_EQ(ParseCodeText("https://example.jp")->text, "https://example.jp");
}

}  // namespace
}  // namespace nubora
