#include "nubora/framework/cp932.h"

#include <gtest/gtest.h>

namespace nubora::fw {
namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out += static_cast<char>(v);
    return out;
}

TEST(Cp932, EncodesKatakanaAsTwoBytesEach)
{
    EXPECT_EQ(ToCp932(QStringLiteral("ヌボラ")), Bytes({0x83, 0x6B, 0x83, 0x7B, 0x83, 0x89}));
}

TEST(Cp932, EncodesHalfWidthKatakanaAsOneByteEach)
{
    EXPECT_EQ(ToCp932(QStringLiteral("ﾊﾞｰ")), Bytes({0xCA, 0xDE, 0xB0}));
}

TEST(Cp932, KeepsAsciiAndLineBreaks)
{
    EXPECT_EQ(ToCp932(QStringLiteral("TEL:0123\r\n")), std::string("TEL:0123\r\n"));
}

TEST(Cp932, EncodesWindowsOnlyCharacters)
{
    // NEC special characters and the full-width tilde exist only in CP932.
    EXPECT_EQ(ToCp932(QStringLiteral("①")), Bytes({0x87, 0x40}));
    EXPECT_EQ(ToCp932(QStringLiteral("～")), Bytes({0x81, 0x60}));
}

TEST(Cp932, RefusesCharactersWithoutCode)
{
    EXPECT_FALSE(ToCp932(QStringLiteral("한")).has_value());
    EXPECT_FALSE(ToCp932(QString::fromUtf8("a\xF0\x9F\x98\x80")).has_value());  // an emoji
    EXPECT_FALSE(Cp932Length(QStringLiteral("é")).has_value());
}

TEST(Cp932, LossyEncodingReplacesWithQuestionMark)
{
    EXPECT_EQ(ToCp932Lossy(QStringLiteral("a한b")), std::string("a?b"));
}

TEST(Cp932, CountsBytesNotCharacters)
{
    EXPECT_EQ(Cp932Length(QStringLiteral("あいa")), 5);
    EXPECT_EQ(Cp932Length(QString()), 0);
}

TEST(Cp932, DecodesWhatItEncodes)
{
    const QString text = QStringLiteral("名前（ヨミ）ﾅﾏｴ ＴＥＬ１\r\nmail@example.jp");
    const auto bytes = ToCp932(text);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(FromCp932(*bytes), text);
}

TEST(Cp932, DecodesATrailByteInTheAsciiRange)
{
    // 0x83 0x5C is "ソ": its trail byte is the ASCII backslash.
    EXPECT_EQ(FromCp932(Bytes({0x83, 0x5C})), QStringLiteral("ソ"));
}

TEST(Cp932, MarksUnreadableBytes) { EXPECT_EQ(FromCp932(Bytes({'a', 0xA0, 'b'})), QStringLiteral("a\uFFFDb")); }

TEST(Cp932, LeadByteRanges)
{
    EXPECT_FALSE(IsDbcsLeadByte(0x80));
    EXPECT_TRUE(IsDbcsLeadByte(0x81));
    EXPECT_TRUE(IsDbcsLeadByte(0x9F));
    EXPECT_FALSE(IsDbcsLeadByte(0xA0));
    EXPECT_FALSE(IsDbcsLeadByte(0xDF));
    EXPECT_TRUE(IsDbcsLeadByte(0xE0));
    EXPECT_TRUE(IsDbcsLeadByte(0xFC));
    EXPECT_FALSE(IsDbcsLeadByte(0xFD));
    EXPECT_FALSE(IsDbcsLeadByte('A'));
}

TEST(Cp932, ConvertsLineEnds)
{
    EXPECT_EQ(LfToCrLf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(CrLfToLf("a\r\nb\rc\r\n"), "a\nb\rc\n");
}

}  // namespace
}  // namespace nubora::fw
