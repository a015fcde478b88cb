#include "nubora/logic/mail_text.h"

#include <string_view>

namespace nubora {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Summary labels in CP932: full-width brackets, the field name, one space.
constexpr std::string_view kToLabel = "\x81\x79\x88\xB6\x90\xE6\x81\x7A\x20";       // 【宛先】
constexpr std::string_view kSubjectLabel = "\x81\x79\x8C\x8F\x96\xBC\x81\x7A\x20";  // 【件名】
constexpr std::string_view kBodyLabel = "\x81\x79\x96\x7B\x95\xB6\x81\x7A\x20";     // 【本文】

void AppendLine(std::string& text, std::string_view key, const std::string& value)
{
    text.append(key).append(value).append(kLineEnd);
}

}  // namespace

std::string MailPayload(const MailEntry& entry)
{
    std::string text;
    AppendLine(text, "MAILTO:", entry.to);
    if (!entry.subject.empty())
        AppendLine(text, "SUBJECT:", entry.subject);
    if (!entry.body.empty())
        AppendLine(text, "BODY:", entry.body);
    return text;
}

std::string MailSummary(const MailEntry& entry)
{
    std::string text;
    AppendLine(text, kToLabel, entry.to);
    AppendLine(text, kSubjectLabel, entry.subject);
    AppendLine(text, kBodyLabel, entry.body);
    return text;
}

}  // namespace nubora
