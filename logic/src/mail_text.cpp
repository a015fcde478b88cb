#include "nubora/logic/mail_text.h"

#include <string_view>

#include "payload_lines.h"

namespace nubora {
namespace {

// Summary labels in CP932: full-width brackets, the field name, one space.
constexpr std::string_view kToLabel = "\x81\x79\x88\xB6\x90\xE6\x81\x7A\x20";       // 【宛先】
constexpr std::string_view kSubjectLabel = "\x81\x79\x8C\x8F\x96\xBC\x81\x7A\x20";  // 【件名】
constexpr std::string_view kBodyLabel = "\x81\x79\x96\x7B\x95\xB6\x81\x7A\x20";     // 【本文】

}  // namespace

std::string MailPayload(const MailEntry& entry)
{
    std::string text;
    detail::AppendLine(text, "MAILTO:", entry.to);
    detail::AppendLineIfSet(text, "SUBJECT:", entry.subject);
    detail::AppendLineIfSet(text, "BODY:", entry.body);
    return text;
}

std::string MailSummary(const MailEntry& entry)
{
    std::string text;
    detail::AppendLine(text, text::Cp932In(kToLabel, entry.charset), entry.to);
    detail::AppendLine(text, text::Cp932In(kSubjectLabel, entry.charset), entry.subject);
    detail::AppendLine(text, text::Cp932In(kBodyLabel, entry.charset), entry.body);
    return text;
}

}  // namespace nubora
