// The window-free conversion as the command line meets it: UTF-8 that is no
// UTF-8, characters without a code, and the message of the byte limits.
#include "nubora/text/byte_limit.h"
#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

#include <gtest/gtest.h>

#include <vector>

namespace nubora::text {
namespace {

TEST(Utf8, FirstCharacterIsWholeOrNothing)
{
    const struct {
        std::string_view bytes;
        char32_t codePoint;
        size_t length;
    } cases[] = {
        {"a", U'a', 1},
        {"\xC3\xA9x", U'é', 2},
        {"\xE3\x81\x82", U'あ', 3},
        {"\xF0\x9F\x98\x80", U'\U0001F600', 4},
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF', 4},
        {"\xEF\xBF\xBE", U'\uFFFE', 3},  // a noncharacter is still a character
        {"", 0, 0},
        {"\x80", 0, 0},
        {"\xC0\x80", 0, 0},              // overlong NUL
        {"\xE0\x9F\xBF", 0, 0},          // overlong
        {"\xED\xA0\x80", 0, 0},          // a surrogate
        {"\xF4\x90\x80\x80", 0, 0},      // beyond U+10FFFF
        {"\xF8\x88\x80\x80\x80", 0, 0},  // five bytes
        {"\xE3\x81", 0, 0},              // cut short
        {"\xE3\x41\x82", 0, 0},          // a byte that continues nothing
    };
    for (const auto& c : cases) {
        const Utf8Char got = FirstUtf8Char(c.bytes);
        EXPECT_EQ(got.length, c.length) << c.bytes;
        EXPECT_EQ(got.codePoint, c.codePoint) << c.bytes;
    }
}

TEST(Cp932, StrictConversionRefusesWhatLossyReplaces)
{
    const struct {
        std::string_view utf8;
        std::optional<std::string> strict;
        std::string lossy;
    } cases[] = {
        {"ヌボラ\r\n~\\", "\x83\x6B\x83\x7B\x83\x89\r\n~\\", "\x83\x6B\x83\x7B\x83\x89\r\n~\\"},
        {std::string_view("a\0b", 3), std::string("a\0b", 3), std::string("a\0b", 3)},
        {"a한b", std::nullopt, "a?b"},
        {"a\xE3\x81", std::nullopt, "a??"},  // cut short: each byte stands for itself
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp932(c.utf8), c.strict) << c.utf8;
        EXPECT_EQ(Utf8ToCp932Lossy(c.utf8), c.lossy) << c.utf8;
    }
    EXPECT_EQ(Cp932ToUtf8("\x83\x6B\x82\xA0\x81"), "ヌあ\xEF\xBF\xBD");
}

TEST(Cp932Chars, BrokenPairsByRule)
{
    const struct {
        std::string_view bytes;
        PairRule rule;
        std::vector<std::string_view> characters;
    } cases[] = {
        {"\x95\x5C,a", PairRule::LeadAndTrail, {"\x95\x5C", ",", "a"}},  // 表: its 0x5C is no backslash
        {"\x81,", PairRule::LeadAndTrail, {"\x81", ","}},
        {"\x81\x0A", PairRule::LeadAndTrail, {"\x81", "\x0A"}},
        {"\x81\xFD", PairRule::LeadAndTrail, {"\x81", "\xFD"}},
        {"a\x81", PairRule::LeadAndTrail, {"a", "\x81"}},
        {"\x81,", PairRule::LeadAndAnyByte, {"\x81,"}},
        {"a\x81", PairRule::LeadAndAnyByte, {"a", "\x81"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string_view> walked;
        for (const std::string_view character : Cp932Chars(c.bytes, c.rule))
            walked.push_back(character);
        EXPECT_EQ(walked, c.characters) << c.bytes;
    }
}

TEST(ByteLimit, NamesTheLimit) { EXPECT_EQ(TextTooLongMessage(24), "24 文字以内で入力してください。"); }

TEST(ByteLimit, CountsCp932BytesAndTwoForACharacterWithoutACode)
{
    EXPECT_EQ(LimitLength("aｱ髙①"), 6u);     // 1 + 1 + 2 + 2, as in CP932
    EXPECT_EQ(LimitLength("é한😀\xFF"), 7u);  // 2 + 2 + 2, and 1 for the stray byte
    EXPECT_EQ(CharactersWithoutCp932("é髙é😀한", 2), (std::vector<std::string>{"é", "😀"}));
}

}  // namespace
}  // namespace nubora::text
