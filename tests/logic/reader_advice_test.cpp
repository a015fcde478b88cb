// The advice lines of the code view: each rule at its edges, the extension
// ranges as real double-byte codes with their neighbours on either side.
#include "nubora/logic/reader_advice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nubora {
namespace {

const std::string kSplit = "多くのカメラは分割コードを部分ごとに読み取ります。";
const std::string kMemoryForm =
    "従来形式のアドレス帳は一部のアプリで文字として表示されます（設定で標準形式を選べます）。";
const std::string kNotShown = "は一部のアプリで正しく表示されません";
const std::string kSaki = "\xEF\xA8\x91";  // U+FA11, written as bytes so that no editor normalises it to 崎

// The advice naming `names` (already quoted) with the usual forms `usual`
// (already quoted, may be empty).
std::string Naming(const std::string& names, const std::string& usual = "")
{
    return names + kNotShown + "（" + (usual.empty() ? "" : usual + "に置き換えるか、") +
           "標準形式ならどのアプリでも読めます）。";
}

struct AdviceCase {
    const char* what;
    std::string payload;  // CP932 bytes
    int symbolCount;
    bool memoryForm;
    std::vector<std::string> expected;
};

TEST(ReaderAdvice, GivesTheLinesThatApplyInOrder)
{
    const AdviceCase cases[] = {
        {"NothingToSay", "abc\x82\xA0", 1, false, {}},
        {"TwoSymbolsAreASplit", "abc", 2, false, {kSplit}},
        {"MemoryFormOn", "abc", 1, true, {kMemoryForm}},
        // NEC special characters 0x8740..0x879C.
        {"Below0x8740", "\x87\x3F", 1, false, {}},
        {"At0x8740", "\x87\x40", 1, false, {Naming("「①」")}},
        {"At0x879C", "\x87\x9C", 1, false, {Naming("「∪」")}},
        {"Above0x879C", "\x87\x9D", 1, false, {}},
        // NEC-selected IBM extensions 0xED40..0xEEFC.
        {"Below0xED40", "\xED\x3F", 1, false, {}},
        {"At0xED40", "\xED\x40", 1, false, {Naming("「纊」")}},
        {"At0xEEFC", "\xEE\xFC", 1, false, {Naming("「＂」")}},
        {"Above0xEEFC", "\xEE\xFD", 1, false, {}},
        // IBM extensions 0xFA40..0xFC4B.
        {"Below0xFA40", "\xFA\x3F", 1, false, {}},
        {"At0xFA40", "\xFA\x40", 1, false, {Naming("「ⅰ」")}},
        {"At0xFC4B", "\xFC\x4B", 1, false, {Naming("「黑」", "「黒」")}},
        {"Above0xFC4B", "\xFC\x4C", 1, false, {}},
        // A second byte that looks like a lead byte starts nothing.
        {"TrailByte0x87", "\x81\x87\x40", 1, false, {}},  // ∞ then '@'
        {"TrailByte0xED", "\x88\xED\x40", 1, false, {}},  // 逸 then '@'
        {"TrailByte0xFA", "\x95\xFA\x40", 1, false, {}},  // 放 then '@'
        {"UnassignedCodeInARange", "\x87\x76", 1, false, {}},
        // Names: distinct, in order of appearance, at most three.
        {"RepeatsNamedOnce", "\x87\x41\x87\x40\x87\x41", 1, false, {Naming("「②」「①」")}},
        {"ThreeNamed", "\x87\x40\x87\x41\x87\x42", 1, false, {Naming("「①」「②」「③」")}},
        {"FourthLeftToNado", "\x87\x40\x87\x41\x87\x42\x87\x43", 1, false, {Naming("「①」「②」「③」など")}},
        // Usual forms only for the characters that have one, NEC-selected or IBM.
        {"UsualFormsOfTheNamedOnly",
         "\xFB\xFC\x87\x40\xFA\xB1",
         1,
         false,
         {Naming("「髙」「①」「" + kSaki + "」", "「高」「崎」")}},
        {"WholeSentence",
         "\xFB\xFC\xFA\xB1",
         1,
         false,
         {"「髙」「" + kSaki +
          "」は一部のアプリで正しく表示されません（「高」「崎」に置き換えるか、標準形式ならどのアプリでも読めます）"
          "。"}},
        {"NecSelectedCopyHasTheUsualFormToo", "\xEE\xE0", 1, false, {Naming("「髙」", "「高」")}},
        {"SurnameVariants", "\xFA\xBA\xFA\xE3\xFB\x50", 1, false, {Naming("「德」「桒」「瀨」", "「徳」「桑」「瀬」")}},
        {"AllThreeInOrder", "\xFB\xFC", 2, true, {kSplit, Naming("「髙」", "「高」"), kMemoryForm}},
    };
    for (const AdviceCase& c : cases)
        EXPECT_EQ(ReaderAdvice(c.payload, c.symbolCount, c.memoryForm), c.expected) << c.what;
}

TEST(ReaderAdvice, AUtf8CodeNamesNoCharacterAndSaysASplitIsStillReadPartByPart)
{
    const std::string split =
        "標準形式の分割コードも多くのカメラは部分ごとに読み取ります（各部分は単独でも文字化けしません）。";
    EXPECT_EQ(ReaderAdvice("髙①", 1, false, text::TextCharset::Utf8), std::vector<std::string>{});
    EXPECT_EQ(ReaderAdvice("髙①", 3, false, text::TextCharset::Utf8), std::vector<std::string>{split});
}

TEST(ReaderAdvice, ModulesUnderThreeTenthsOfAMillimetreAreReadOnlyCloseUp)
{
    EXPECT_EQ(SmallModuleAdvice(0.25),
              "モジュールが0.3 mmより小さいため、スマートフォンのカメラは近づけないと読み取れないことがあります"
              "（0.3〜0.4 mmなら確実に読み取れます）。");
    EXPECT_TRUE(SmallModuleAdvice(0.3 - 1e-6).has_value());
    // 0.3 mm reached by arithmetic (3 dots at 254 dpi) counts as 0.3.
    EXPECT_EQ(SmallModuleAdvice(3 * 25.4 / 254), std::nullopt);
    EXPECT_EQ(SmallModuleAdvice(0.6), std::nullopt);
}

}  // namespace
}  // namespace nubora
