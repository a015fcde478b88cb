#include "nubora/logic/free_text_links.h"

#include "nubora/text/cp932.h"

namespace nubora {

std::string_view LinkPrefix(LinkKind kind) noexcept
{
    switch (kind) {
    case LinkKind::Tel: return "TEL:";
    case LinkKind::Navi: return "\x8F\x5A\x8F\x8A:";  // 住所:
    case LinkKind::OneSeg: return "media:";
    }
    return {};
}

void AppendLink(std::string& text, LinkKind kind, std::string_view value)
{
    if (!text.empty() && text.back() != '\n')
        text.append("\r\n");
    text.append(LinkPrefix(kind)).append(value).append("\r\n");
}

void AppendLink(std::string& text, text::TextCharset charset, LinkKind kind, std::string_view value)
{
    if (charset == text::TextCharset::Cp932) {
        AppendLink(text, kind, value);
        return;
    }
    std::string line;
    AppendLink(line, kind, value);
    if (!text.empty() && text.back() != '\n')
        text.append("\r\n");
    text.append(text::Cp932ToUtf8(line));
}

}  // namespace nubora
