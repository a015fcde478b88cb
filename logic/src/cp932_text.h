// Byte-level helpers for CP932 text shared by the payload forms and the
// reader advice. Internal to the logic library.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "nubora/logic/validation.h"

namespace nubora::detail {

// A second byte of a CP932 double-byte character: 0x40..0x7E or 0x80..0xFC.
constexpr bool IsDbcsTrailByte(uint8_t b) noexcept { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

// The length in bytes, 1 or 2, of the character that starts at text[at]
// (at < text.size()): 2 for a lead byte followed by a trail byte, else 1. A
// lead byte before anything else stands alone, so a following ';' or ','
// is never swallowed into a character.
constexpr std::size_t Cp932CharLength(std::string_view text, std::size_t at) noexcept
{
    return at + 1 < text.size() && IsDbcsLeadByte(static_cast<uint8_t>(text[at])) &&
                   IsDbcsTrailByte(static_cast<uint8_t>(text[at + 1]))
               ? 2
               : 1;
}

// `cp932` converted to UTF-8. Bytes that begin no valid CP932 character are
// copied unchanged, one at a time, so nothing is dropped; the result is then
// valid UTF-8 only if the input was valid CP932.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace nubora::detail
