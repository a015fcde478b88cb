#include "nubora/logic/utf8_input.h"

#include "nubora/text/charset.h"
#include "nubora/text/cp932.h"

#include <cstdio>

namespace nubora {

Result<std::string, ConversionFailure> Utf8ToCp932(std::string_view utf8)
{
    if (utf8.starts_with(text::kUtf8ByteOrderMark))
        utf8.remove_prefix(text::kUtf8ByteOrderMark.size());
    if (!text::IsUtf8(utf8))
        return Fail(ConversionFailure{true, 0, {}, 0});
    if (std::optional<std::string> bytes = text::Utf8ToCp932(utf8))
        return std::move(*bytes);
    // Find the character that has no code.
    int position = 1;
    for (size_t at = 0; at < utf8.size(); ++position) {
        const text::Utf8Char c = text::FirstUtf8Char(utf8.substr(at));
        const std::string_view character = utf8.substr(at, c.length);
        if (!text::Utf8ToCp932(character))
            return Fail(ConversionFailure{false, position, std::string(character), c.codePoint});
        at += c.length;
    }
    return Fail(ConversionFailure{true, 0, {}, 0});  // not reached: some character failed above
}
Result<std::string, ConversionFailure> InputIn(std::string_view input, bool cp932Input, text::TextCharset charset)
{
    if (charset == text::TextCharset::Cp932 && cp932Input)
        return std::string(input);
    if (charset == text::TextCharset::Cp932)
        return Utf8ToCp932(input);
    if (cp932Input)
        return text::ToUtf8(input, text::TextCharset::Cp932);
    if (input.starts_with(text::kUtf8ByteOrderMark))
        input.remove_prefix(text::kUtf8ByteOrderMark.size());
    if (!text::IsUtf8(input))
        return Fail(ConversionFailure{true, 0, {}, 0});
    return std::string(input);
}

std::string Describe(const ConversionFailure& failure, std::string_view remedy)
{
    if (failure.notUtf8)
        return "is not UTF-8 text (give --cp932 for Shift_JIS bytes)";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(failure.codePoint));
    std::string line = "character " + std::to_string(failure.position) + " '" + failure.character + "' (" + code +
                       ") has no Shift_JIS (CP932) code";
    if (!remedy.empty())
        line.append("; use ").append(remedy);
    return line;
}

std::string CrLfLineBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace nubora
