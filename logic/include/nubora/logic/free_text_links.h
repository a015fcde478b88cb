// The links the free-text screen adds to its text, without a window: a
// telephone link, a navigation address and a one-seg TV reservation, each a
// line of its own at the end of the text. All CP932 bytes.
#pragma once

#include "nubora/text/charset.h"

#include <string>
#include <string_view>

namespace nubora {

enum class LinkKind {
    Tel,     // "TEL:" + telephone number
    Navi,    // "住所:" + address for the phone's navigation
    OneSeg,  // "media:" + one-seg reservation parameters
};

// The CP932 prefix of a link line of `kind`.
std::string_view LinkPrefix(LinkKind kind) noexcept;

// Appends the link line prefix + value + CR LF at the end of `text` (never
// anywhere else). A text that is not empty and does not end in LF first gets
// a CR LF, so the link always starts a line of its own.
void AppendLink(std::string& text, LinkKind kind, std::string_view value);

// The same for a `text` in `charset`; the link line (prefix and the CP932
// `value`) is appended in that charset.
void AppendLink(std::string& text, text::TextCharset charset, LinkKind kind, std::string_view value);

}  // namespace nubora
