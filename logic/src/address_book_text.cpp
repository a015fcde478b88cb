#include "nubora/logic/address_book_text.h"

#include <string_view>

#include "payload_lines.h"

namespace nubora {
namespace {

// Summary labels in CP932: full-width brackets, the field name, a TAB (but
// for the reading) and one space.
constexpr std::string_view kNameLabel = "\x81\x79\x96\xBC\x91\x4F\x09\x81\x7A\x20";  // 【名前	】
constexpr std::string_view kReadingLabel =
    "\x81\x79\x96\xBC\x91\x4F\x28\x83\x88\x83\x7E\x29\x81\x7A\x20";  // 【名前(ヨミ)】
constexpr std::string_view kTel1Label = "\x81\x79\x82\x73\x82\x64\x82\x6B\x82\x50\x09\x81\x7A\x20";   // 【ＴＥＬ１
                                                                                                      // 】
constexpr std::string_view kTel2Label = "\x81\x79\x82\x73\x82\x64\x82\x6B\x82\x51\x09\x81\x7A\x20";   // 【ＴＥＬ２
                                                                                                      // 】
constexpr std::string_view kMail1Label = "\x81\x79\x83\x81\x81\x5B\x83\x8B\x82\x50\x09\x81\x7A\x20";  // 【メール１
                                                                                                      // 】
constexpr std::string_view kMail2Label = "\x81\x79\x83\x81\x81\x5B\x83\x8B\x82\x51\x09\x81\x7A\x20";  // 【メール２
                                                                                                      // 】
constexpr std::string_view kAddressLabel = "\x81\x79\x8F\x5A\x8F\x8A\x09\x81\x7A\x20";                // 【住所	】
constexpr std::string_view kMemoLabel = "\x81\x79\x83\x81\x83\x82\x09\x81\x7A\x20";                   // 【メモ	】

}  // namespace

std::string AddressBookPayload(const AddressBookEntry& entry)
{
    std::string text;
    detail::AppendLine(text, "MEMORY:", entry.memo);
    detail::AppendLineIfSet(text, "NAME1:", entry.name);
    detail::AppendLineIfSet(text, "NAME2:", entry.reading);
    detail::AppendLineIfSet(text, "TEL1:", entry.tel1);
    detail::AppendLineIfSet(text, "TEL2:", entry.tel2);
    detail::AppendLineIfSet(text, "MAIL1:", entry.mail1);
    detail::AppendLineIfSet(text, "MAIL2:", entry.mail2);
    detail::AppendLineIfSet(text, "ADD:", entry.address);
    return text;
}

std::string AddressBookSummary(const AddressBookEntry& entry)
{
    const auto label = [&entry](std::string_view cp932) { return text::Cp932In(cp932, entry.charset); };
    std::string text;
    detail::AppendLine(text, label(kNameLabel), entry.name);
    detail::AppendLine(text, label(kReadingLabel), entry.reading);
    detail::AppendLineIfSet(text, label(kTel1Label), entry.tel1);
    detail::AppendLineIfSet(text, label(kTel2Label), entry.tel2);
    detail::AppendLineIfSet(text, label(kMail1Label), entry.mail1);
    detail::AppendLineIfSet(text, label(kMail2Label), entry.mail2);
    detail::AppendLineIfSet(text, label(kAddressLabel), entry.address);
    detail::AppendLine(text, label(kMemoLabel), entry.memo);
    return text;
}

}  // namespace nubora
