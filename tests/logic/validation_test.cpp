#include "nubora/logic/validation.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace nubora {
namespace {

std::string Code(uint16_t code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

// Every single byte is a member exactly when it is listed; every listed
// double-byte code passes and every other code beside one does not.
void ExpectExactly(const CharSet& set, const std::string& singles, const std::set<uint16_t>& doubles)
{
    for (int b = 1; b < 256; ++b) {
        const std::string value(1, static_cast<char>(b));
        const bool member = singles.find(static_cast<char>(b)) != std::string::npos;
        EXPECT_EQ(CheckChars(value, set), member ? 0 : 1) << "byte " << b;
    }
    for (uint16_t code : doubles) {
        EXPECT_EQ(CheckChars(Code(code), set), 0) << std::hex << code;
        for (uint16_t neighbour : {static_cast<uint16_t>(code - 1), static_cast<uint16_t>(code + 1)}) {
            if (doubles.count(neighbour) == 0) {
                EXPECT_EQ(CheckChars(Code(neighbour), set), 1) << std::hex << neighbour;
            }
        }
    }
}

TEST(CharSets, TelCharsMemberByMember)
{
    ExpectExactly(
        TelChars, "*#-0123456789",
        {0x8196, 0x8194, 0x817C, 0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, 0x8257, 0x8258});
}

TEST(CharSets, MailCharsMemberByMember)
{
    ExpectExactly(MailChars, "!$%&*+-./0123456789;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ^_abcdefghijklmnopqrstuvwxyz~", {});
    EXPECT_EQ(CheckChars("\x82\x60", MailChars), 1);  // a full-width Ａ is no address character
}

TEST(CharSets, MailToCharsIsMailCharsWithTheComma)
{
    ExpectExactly(MailToChars, "!$%&*+-./,0123456789;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ^_abcdefghijklmnopqrstuvwxyz~", {});
}

TEST(CharSets, LinkParamCharsIsPrintableAsciiButQuoteAndGrave)
{
    std::string printable;
    for (char c = 0x21; c <= 0x7E; ++c)
        if (c != '"' && c != '`')
            printable += c;
    ExpectExactly(LinkParamChars, printable, {});
}

TEST(CharSets, WholeValues)
{
    EXPECT_EQ(CheckChars("", TelChars), 0);
    EXPECT_EQ(CheckChars("03-1234-5678", TelChars), 0);
    EXPECT_EQ(CheckChars("\x82\x4F\x82\x52\x81\x7C\x82\x50\x82\x51", TelChars), 0);  // ０３－１２
    EXPECT_EQ(CheckChars("03 1234", TelChars), 1);
    EXPECT_EQ(CheckChars("(03)1234", TelChars), 1);
    EXPECT_EQ(CheckChars("a@b.jp,c@d.jp", MailChars), 1);
    EXPECT_EQ(CheckChars("a@b.jp,c@d.jp", MailToChars), 0);
    EXPECT_EQ(CheckChars("ch=1 x", LinkParamChars), 1);
    EXPECT_EQ(CheckChars("ch=\"1\"", LinkParamChars), 1);
    EXPECT_EQ(CheckChars("ch=`1`", LinkParamChars), 1);
    EXPECT_EQ(CheckChars("ch=1&x=[2]", LinkParamChars), 0);
}

TEST(CharSets, ATrailByteIsNeverTakenForASingleByteMember)
{
    // 0x83 0x5C (ソ) ends in '\', 0x82 0x40 would end in '@', 0x81 0x2A is no pair.
    EXPECT_EQ(CheckChars("\x83\x5C", LinkParamChars), 1);
    EXPECT_EQ(CheckChars("a\x82\x40", MailChars), 1);
    EXPECT_EQ(CheckChars("\x82\x4F"
                         "5",
                         TelChars),
              0);
    EXPECT_EQ(CheckChars("5\x82", TelChars), 1);  // a lead byte without its trail byte
}

TEST(ReadingChars, EveryListedCodePassesAndItsNeighboursFail)
{
    const std::vector<std::pair<uint16_t, uint16_t>> ranges = {
        {0x8140, 0x814B}, {0x814D, 0x814D}, {0x814F, 0x814F}, {0x8151, 0x8151}, {0x815B, 0x815B}, {0x815E, 0x815E},
        {0x8162, 0x8162}, {0x8166, 0x8166}, {0x8168, 0x816A}, {0x816D, 0x8170}, {0x8175, 0x8176}, {0x817B, 0x817C},
        {0x8181, 0x8181}, {0x8183, 0x8184}, {0x818F, 0x8190}, {0x8193, 0x8197}, {0x824F, 0x8258}, {0x8260, 0x8279},
        {0x8281, 0x829A}, {0x8340, 0x837E}, {0x8380, 0x838D}, {0x838F, 0x838F}, {0x8392, 0x8393}};
    std::set<uint16_t> listed;
    for (auto [first, last] : ranges)
        for (uint32_t c = first; c <= last; ++c)
            listed.insert(static_cast<uint16_t>(c));
    for (uint16_t code : listed) {
        EXPECT_EQ(CheckReadingChars(Code(code)), 0) << std::hex << code;
        for (uint16_t neighbour : {static_cast<uint16_t>(code - 1), static_cast<uint16_t>(code + 1)}) {
            if (listed.count(neighbour) == 0) {
                EXPECT_EQ(CheckReadingChars(Code(neighbour)), 1) << std::hex << neighbour;
            }
        }
    }
    EXPECT_EQ(listed.size(), 12u + 3 + 2 + 2 + 3 + 4 + 2 + 2 + 3 + 2 + 5 + 10 + 26 + 26 + 63 + 14 + 3);
}

TEST(ReadingChars, SingleBytesAlwaysPassButKanaOutsideTheListFails)
{
    for (int b = 1; b < 256; ++b) {
        if (!IsDbcsLeadByte(static_cast<uint8_t>(b))) {
            EXPECT_EQ(CheckReadingChars(std::string(1, static_cast<char>(b))), 0) << b;
        }
    }
    EXPECT_EQ(CheckReadingChars("\xB6\xC0\xB6\xC5"), 0);                  // ｶﾀｶﾅ
    EXPECT_EQ(CheckReadingChars("\x83\x4A\x83\x5E\x83\x4A\x83\x69"), 0);  // カタカナ
    EXPECT_EQ(CheckReadingChars("\x82\xA9\x82\xBD"), 1);                  // かた
    EXPECT_EQ(CheckReadingChars("\x83\x94"), 1);                          // ヴ
    EXPECT_EQ(CheckReadingChars("\x88\x9F"), 1);                          // 亜
    EXPECT_EQ(CheckReadingChars("\x83\x4A\x83"), 1);                      // a cut-off character
}

TEST(Gauge, StepsOfATenthOfTheCapacity)
{
    struct Case {
        int64_t length;
        int position;
    };
    for (Case c :
         {Case{0, 0}, {9, 0}, {10, 10}, {19, 10}, {20, 20}, {89, 80}, {90, 90}, {99, 90}, {100, 100}, {5000, 100}}) {
        EXPECT_EQ(GaugePosition(false, c.length, 100), c.position) << c.length;
    }
    for (Case c : {Case{80, 80}, {81, 90}, {94, 90}, {95, 100}})
        EXPECT_EQ(GaugePosition(false, c.length, 95), c.position) << c.length;
    // Below ten the steps are empty: 90 until the capacity, then 100.
    for (Case c : {Case{0, 90}, {8, 90}, {9, 100}})
        EXPECT_EQ(GaugePosition(false, c.length, 9), c.position) << c.length;
    EXPECT_EQ(GaugePosition(true, 500, 100), 0);
}

}  // namespace
}  // namespace nubora
