#include "nubora/logic/entry_checks.h"

#include "nubora/resources/string_ids.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace nubora {
namespace {

namespace msg = res::str;
using F = EntryField;

CheckFailure TooLong(EntryField field, int limit) { return {field, 0, limit}; }
CheckFailure Bad(EntryField field, int messageId) { return {field, messageId, 0}; }

// What a check failed with; nothing when the entry passed.
std::optional<CheckFailure> FailureOf(const Result<void, CheckFailure>& checked)
{
    return checked ? std::nullopt : std::optional(checked.Error());
}

std::string Bytes(size_t n, char c = '1') { return std::string(n, c); }

// An entry with only the given fields filled.
using Member = std::string AddressBookEntry::*;
AddressBookEntry Entry(std::initializer_list<std::pair<Member, std::string>> fields)
{
    AddressBookEntry entry;
    for (const auto& [member, value] : fields)
        entry.*member = value;
    return entry;
}
using E = AddressBookEntry;

TEST(EntryChecks, AddressBookRulesAtTheirBoundaries)
{
    const std::string hiragana = "\x82\xA0";  // あ: no reading character
    const struct {
        AddressBookEntry entry;
        std::optional<CheckFailure> expected;
    } cases[] = {
        {{}, std::nullopt},
        {{Bytes(24), Bytes(24), Bytes(36), Bytes(36), Bytes(64), Bytes(64), Bytes(80), Bytes(80)}, std::nullopt},
        {Entry({{&E::name, Bytes(25)}}), TooLong(F::Name, 24)},
        {Entry({{&E::reading, Bytes(25)}}), TooLong(F::Reading, 24)},
        {Entry({{&E::tel1, Bytes(37)}}), TooLong(F::Tel1, 36)},
        {Entry({{&E::tel2, Bytes(37)}}), TooLong(F::Tel2, 36)},
        {Entry({{&E::mail1, Bytes(65)}}), TooLong(F::Mail1, 64)},
        {Entry({{&E::mail2, Bytes(65)}}), TooLong(F::Mail2, 64)},
        {Entry({{&E::address, Bytes(81)}}), TooLong(F::Address, 80)},
        {Entry({{&E::memo, Bytes(81)}}), TooLong(F::Memo, 80)},
        {Entry({{&E::reading, hiragana}}), Bad(F::Reading, msg::kBadReadingChars)},
        {Entry({{&E::tel1, "03 1234"}}), Bad(F::Tel1, msg::kBadTelChars)},
        {Entry({{&E::tel2, "(03)"}}), Bad(F::Tel2, msg::kBadTelChars)},
        {Entry({{&E::mail1, "a,b@example.jp"}}), Bad(F::Mail1, msg::kBadMailChars)},
        {Entry({{&E::mail2, "a b@example.jp"}}), Bad(F::Mail2, msg::kBadMailChars)},
        // The first failure in screen order: limits before characters, the
        // reading before the numbers before the addresses.
        {Entry({{&E::reading, hiragana}, {&E::tel1, "x"}, {&E::memo, Bytes(81)}}), TooLong(F::Memo, 80)},
        {Entry({{&E::reading, hiragana}, {&E::tel1, "x"}}), Bad(F::Reading, msg::kBadReadingChars)},
        {Entry({{&E::tel2, "x"}, {&E::mail1, "x,"}}), Bad(F::Tel2, msg::kBadTelChars)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FailureOf(CheckAddressBookEntry(c.entry)), c.expected) << c.entry.name << "|" << c.entry.tel1;
    }
}

TEST(EntryChecks, MailRulesAtTheirBoundaries)
{
    const struct {
        MailEntry entry;
        bool recipientRequired;
        std::optional<CheckFailure> expected;
    } cases[] = {
        {{"a@example.jp,b@example.jp", Bytes(100), Bytes(10000)}, true, std::nullopt},
        {{Bytes(641), "", ""}, true, TooLong(F::To, 640)},
        {{"a@example.jp", Bytes(101), ""}, true, TooLong(F::Subject, 100)},
        {{"a@example.jp", "", Bytes(10001)}, true, TooLong(F::Body, 10000)},
        {{"", "s", "b"}, true, Bad(F::To, msg::kEmptyMailTo)},
        {{"", "s", "b"}, false, std::nullopt},
        {{"a b@example.jp", "", ""}, false, Bad(F::To, msg::kBadMailToChars)},
        {{"a@example.jp", "\x82\xA0 #(", "\r\n"}, true, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FailureOf(CheckMailEntry(c.entry, c.recipientRequired)), c.expected) << c.entry.to;
    }
}

TEST(EntryChecks, ANulIsNamedByItsPositionOnceTheOtherRulesPass)
{
    const std::string nul(1, '\0');
    const auto Nul = [](EntryField field, int position) {
        return CheckFailure{field, msg::kUnencodableChar, 0, position};
    };
    const struct {
        std::optional<CheckFailure> got;
        std::optional<CheckFailure> expected;
    } cases[] = {
        {FailureOf(CheckFreeText("ab" + nul)), Nul(F::Text, 3)},
        {FailureOf(CheckFreeText("\x82\xA0\x81\x5C" + nul)), Nul(F::Text, 3)},  // a double-byte character counts one
        {FailureOf(CheckFreeText("\x81" + nul)), Nul(F::Text, 2)},              // a lead byte does not take it along
        {FailureOf(CheckAddressBookEntry(Entry({{&E::memo, nul}, {&E::name, "a" + nul}}))), Nul(F::Name, 2)},
        {FailureOf(CheckAddressBookEntry(Entry({{&E::tel1, nul}}))), Bad(F::Tel1, msg::kBadTelChars)},
        {FailureOf(CheckMailEntry({"a@b.jp", "s", "body" + nul}, true)), Nul(F::Body, 5)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.expected);
    EXPECT_EQ(CheckFailureMessage(Nul(F::Text, 12)),
              "12 文字目にQRコードに入れられない制御文字（NUL）があります。削除してください。");
    EXPECT_EQ(CheckFailureMessage(TooLong(F::Name, 24)), "24 文字以内で入力してください。");
    EXPECT_EQ(CheckFailureMessage(Bad(F::To, msg::kEmptyMailTo)), "宛先を入力してください。");
}

TEST(EntryChecks, FreeTextMustNotBeEmpty)
{
    EXPECT_EQ(FailureOf(CheckFreeText("")), Bad(F::Text, msg::kEmptyText));
    EXPECT_EQ(FailureOf(CheckFreeText(" ")), std::nullopt);
    EXPECT_EQ(FailureOf(CheckFreeText(Bytes(20000))), std::nullopt);
}

TEST(EntryChecks, LimitsLeftToTheControlsAreNotChecked)
{
    EXPECT_EQ(FailureOf(CheckAddressBookEntry(Entry({{&E::name, Bytes(25)}}), FieldLimits::LeftToControls)),
              std::nullopt);
    EXPECT_EQ(
        FailureOf(CheckAddressBookEntry(Entry({{&E::name, Bytes(25)}, {&E::tel1, "x"}}), FieldLimits::LeftToControls)),
        Bad(F::Tel1, msg::kBadTelChars));
    EXPECT_EQ(FailureOf(CheckMailEntry({"", Bytes(101), ""}, false, FieldLimits::LeftToControls)), std::nullopt);
}

}  // namespace
}  // namespace nubora
