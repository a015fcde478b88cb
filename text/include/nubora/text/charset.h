// The two character sets text can be in: CP932, as every entry was before,
// and UTF-8, for the codes of the standard form and for an entry with
// characters that CP932 lacks. The screens and the data files hold an entry
// whose text all has a CP932 form in CP932, so an entry in UTF-8 always
// holds at least one character without a CP932 code.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace nubora::text {

enum class TextCharset {
    Cp932,  // Shift-JIS (Windows-31J) bytes
    Utf8,   // UTF-8 bytes
};

// The three bytes that begin a data file written in UTF-8.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The length that a field's byte limit counts for the UTF-8 text `utf8`:
// the CP932 bytes of each character that has a CP932 code (so a text with a
// CP932 form counts exactly its CP932 bytes), and 2 for each character
// without one. A byte that begins no UTF-8 character counts 1.
std::size_t LimitLength(std::string_view utf8);

// LimitLength of `bytes` in `charset`; for CP932 its size.
std::size_t LimitLength(std::string_view bytes, TextCharset charset);

// `bytes` in `charset` as UTF-8 (CP932 through Cp932ToUtf8, UTF-8 as it is).
std::string ToUtf8(std::string_view bytes, TextCharset charset);

// The CP932 text `cp932` in `charset` (for labels and prefixes of the
// program's own, which all have a CP932 form).
std::string Cp932In(std::string_view cp932, TextCharset charset);

// `bytes` in `charset` as CP932: CP932 as it is, UTF-8 through
// Utf8ToCp932Lossy ('?' for each character without a code).
std::string ToCp932Lossy(std::string_view bytes, TextCharset charset);

// `bytes` with each byte that begins no UTF-8 character replaced by U+FFFD,
// so that the result is well-formed UTF-8.
std::string MendUtf8(std::string_view bytes);

// True when `bytes` are UTF-8 throughout (an empty text is).
bool IsUtf8(std::string_view bytes);

// The distinct characters of the UTF-8 `utf8` that have no CP932 code, in
// order of appearance, each as its UTF-8 bytes; at most `limit` of them.
std::vector<std::string> CharactersWithoutCp932(std::string_view utf8, std::size_t limit);

}  // namespace nubora::text
