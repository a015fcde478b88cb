// The address-book texts without a window: the MEMORY payload and the code
// view's summary, byte for byte.
#include "nubora/framework/cp932.h"
#include "nubora/logic/address_book_text.h"

#include <gtest/gtest.h>

namespace nubora {
namespace {

// `utf8` as CP932 bytes, through iconv: an oracle independent of the
// escaped labels in the code.
std::string Sjis(const char* utf8) { return fw::ToCp932(QString::fromUtf8(utf8)).value(); }

AddressBookEntry FullEntry()
{
    return {Sjis("山田太郎"),          Sjis("ﾔﾏﾀﾞﾀﾛｳ"),   "03-1234-5678",
            Sjis("０９０－１２３４"),  "taro@example.jp", "t.yamada@example.com",
            Sjis("東京都千代田区1-1"), Sjis("メモです")};
}

TEST(AddressBookPayload, AnEmptyFormIsTheMemoryLineAlone)
{
    EXPECT_EQ(AddressBookPayload({}), "MEMORY:\r\n");
    EXPECT_EQ(AddressBookPayload({}).size(), 9u);
}

TEST(AddressBookPayload, OnlyTheMemoIsOneLine)
{
    AddressBookEntry entry;
    entry.memo = "hello";
    EXPECT_EQ(AddressBookPayload(entry), "MEMORY:hello\r\n");
}

TEST(AddressBookPayload, NameAndTelephoneGiveThreeLines)
{
    AddressBookEntry entry;
    entry.tel1 = "0312345678";
    entry.name = Sjis("佐藤");
    EXPECT_EQ(AddressBookPayload(entry), "MEMORY:\r\nNAME1:" + Sjis("佐藤") + "\r\nTEL1:0312345678\r\n");
}

TEST(AddressBookPayload, EveryFieldInTheFixedOrderWithValuesUnchanged)
{
    const AddressBookEntry e = FullEntry();
    EXPECT_EQ(AddressBookPayload(e), "MEMORY:" + e.memo + "\r\nNAME1:" + e.name + "\r\nNAME2:" + e.reading +
                                         "\r\nTEL1:" + e.tel1 + "\r\nTEL2:" + e.tel2 + "\r\nMAIL1:" + e.mail1 +
                                         "\r\nMAIL2:" + e.mail2 + "\r\nADD:" + e.address + "\r\n");
}

TEST(AddressBookPayload, SkipsEachEmptyFieldButTheMemo)
{
    AddressBookEntry entry;
    entry.mail2 = "b@c";
    entry.address = "x";
    EXPECT_EQ(AddressBookPayload(entry), "MEMORY:\r\nMAIL2:b@c\r\nADD:x\r\n");
}

TEST(AddressBookSummary, AlwaysHasNameReadingAndMemo)
{
    EXPECT_EQ(AddressBookSummary({}), Sjis("【名前\t】 \r\n【名前(ヨミ)】 \r\n【メモ\t】 \r\n"));
}

TEST(AddressBookSummary, EveryLabelWithItsTabAndSpace)
{
    const AddressBookEntry e = FullEntry();
    EXPECT_EQ(AddressBookSummary(e), Sjis("【名前\t】 山田太郎\r\n"
                                          "【名前(ヨミ)】 ﾔﾏﾀﾞﾀﾛｳ\r\n"
                                          "【ＴＥＬ１\t】 03-1234-5678\r\n"
                                          "【ＴＥＬ２\t】 ０９０－１２３４\r\n"
                                          "【メール１\t】 taro@example.jp\r\n"
                                          "【メール２\t】 t.yamada@example.com\r\n"
                                          "【住所\t】 東京都千代田区1-1\r\n"
                                          "【メモ\t】 メモです\r\n"));
}

TEST(AddressBookSummary, SkipsTheOtherEmptyFields)
{
    AddressBookEntry entry;
    entry.tel2 = "1";
    entry.mail1 = "a@b";
    EXPECT_EQ(AddressBookSummary(entry), Sjis("【名前\t】 \r\n【名前(ヨミ)】 \r\n【ＴＥＬ２\t】 1\r\n"
                                              "【メール１\t】 a@b\r\n【メモ\t】 \r\n"));
}

}  // namespace
}  // namespace nubora
