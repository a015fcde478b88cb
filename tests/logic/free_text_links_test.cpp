// The free-text links without a window: prefixes and the line-break rules of
// appending, byte for byte.
#include "nubora/framework/cp932.h"
#include "nubora/logic/free_text_links.h"

#include <gtest/gtest.h>

namespace nubora {
namespace {

std::string Sjis(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value(); }

TEST(LinkPrefix, IsTheLineKeyOfEachKind)
{
    EXPECT_EQ(LinkPrefix(LinkKind::Tel), "TEL:");
    EXPECT_EQ(LinkPrefix(LinkKind::Navi), Sjis("住所:"));
    EXPECT_EQ(LinkPrefix(LinkKind::OneSeg), "media:");
}

TEST(AppendLink, ToAnEmptyTextGivesTheLinkLineAlone)
{
    std::string text;
    AppendLink(text, LinkKind::Tel, "0312345678");
    EXPECT_EQ(text, "TEL:0312345678\r\n");
}

TEST(AppendLink, ASecondLinkStartsOnTheNextLineWithoutAnEmptyLine)
{
    std::string text;
    AppendLink(text, LinkKind::Tel, "0312345678");
    AppendLink(text, LinkKind::Navi, Sjis("東京都千代田区"));
    EXPECT_EQ(text, "TEL:0312345678\r\n" + Sjis("住所:東京都千代田区") + "\r\n");
}

TEST(AppendLink, AfterTextWithoutALineBreakFirstEndsThatLine)
{
    std::string text = "abc";
    AppendLink(text, LinkKind::Tel, "117");
    EXPECT_EQ(text, "abc\r\nTEL:117\r\n");
}

TEST(AppendLink, AfterAFinalLineBreakAddsNoEmptyLine)
{
    std::string text = "abc\r\n";
    AppendLink(text, LinkKind::OneSeg, "ch=27&t=2100");
    EXPECT_EQ(text, "abc\r\nmedia:ch=27&t=2100\r\n");
    std::string bare = "abc\n";  // a lone LF counts as a line end too
    AppendLink(bare, LinkKind::Tel, "1");
    EXPECT_EQ(bare, "abc\nTEL:1\r\n");
}

TEST(AppendLink, ATextEndingInCrAloneGetsAWholeLineBreak)
{
    std::string text = "abc\r";
    AppendLink(text, LinkKind::Tel, "1");
    EXPECT_EQ(text, "abc\r\r\nTEL:1\r\n");
}

TEST(AppendLink, ATrailByteThatLooksLikeAnLfIsNoLineEnd)
{
    // No CP932 trail byte is 0x0A (trail bytes are 0x40..0xFC), so a text
    // ending in a double-byte character always gets its line ended.
    std::string text = Sjis("あ");
    AppendLink(text, LinkKind::Tel, "1");
    EXPECT_EQ(text, Sjis("あ") + "\r\nTEL:1\r\n");
}

}  // namespace
}  // namespace nubora
