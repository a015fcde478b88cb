// The lines of the MEMORY and MAILTO payloads and of the screens' input
// summaries: a key, its value and CR LF. Internal to the logic library.
#pragma once

#include <string>
#include <string_view>

namespace nubora::detail {

// Appends `key`, `value` and CR LF to `text`.
inline void AppendLine(std::string& text, std::string_view key, std::string_view value)
{
    text.append(key).append(value).append("\r\n");
}

// AppendLine, but nothing at all for an empty `value`.
inline void AppendLineIfSet(std::string& text, std::string_view key, std::string_view value)
{
    if (!value.empty())
        AppendLine(text, key, value);
}

}  // namespace nubora::detail
