// The conversion of CP932 text for the reader advice and the payload forms,
// which keeps what it cannot read. Internal to the logic library; the walk
// over characters is nubora::text::Cp932Chars.
#pragma once

#include <string>
#include <string_view>

namespace nubora::detail {

// `cp932` converted to UTF-8. Bytes that begin no valid CP932 character are
// copied unchanged, one at a time, so nothing is dropped; the result is then
// valid UTF-8 only if the input was valid CP932.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace nubora::detail
