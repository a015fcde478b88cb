// UTF-8 texts: the engine's one walker over them. It accepts only well-formed
// UTF-8 without U+0000 and tells where each character starts, so that nothing
// after it ever cuts a character in two.
#pragma once

#include <cstdint>
#include <vector>

#include "status.h"

namespace tavoqr {

// Bytes (1..4) of the well-formed character that begins at text[0], with
// `length` (at least 1) bytes left; 0 when none begins there: a continuation
// byte, an overlong form, a surrogate, a code point above U+10FFFF, a sequence
// cut off by the end, a byte that never occurs in UTF-8, or a zero byte.
int32_t Utf8CharacterBytes(const uint8_t* text, int32_t length) noexcept;

// Checks the `length` bytes of `text` and, when `starts` is not null, fills
// it with the byte offset of every character, then `length` itself, so that
// character i is the bytes starts[i] .. starts[i + 1] - 1. Returns
// Status::kOk, or Status::kBadText (with *starts unspecified) when the bytes
// are not well-formed UTF-8 or hold a zero byte.
Status ListUtf8Characters(const uint8_t* text, int32_t length, std::vector<int32_t>* starts);

}  // namespace tavoqr
