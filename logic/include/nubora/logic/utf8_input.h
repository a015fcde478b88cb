// The user's text to the bytes the payloads hold: CP932, or UTF-8 for the
// codes in UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "nubora/logic/result.h"
#include "nubora/text/charset.h"

namespace nubora {

// Why a text could not be converted.
struct ConversionFailure {
    bool notUtf8 = false;   // the bytes are no UTF-8 text at all
    int position = 0;       // else: the character (1-based index of characters) without a CP932 code
    std::string character;  // that character, UTF-8
    char32_t codePoint = 0;
};

// The UTF-8 `utf8` as CP932 bytes. Fails when it is not UTF-8 or a
// character has no CP932 code.
Result<std::string, ConversionFailure> Utf8ToCp932(std::string_view utf8);

// The text `input` (UTF-8, or CP932 bytes when `cp932Input`) in `charset`.
// A byte-order mark at the start of UTF-8 input is dropped. Fails when UTF-8
// input is not UTF-8 throughout (a stray or missing continuation byte, an
// overlong form, a surrogate) or, for CP932, holds a character without a
// CP932 code. CP932 input going to UTF-8 converts each byte that is no CP932
// character to U+FFFD.
Result<std::string, ConversionFailure> InputIn(std::string_view input, bool cp932Input, text::TextCharset charset);

// "character 3 '①' (U+2460) has no Shift_JIS (CP932) code" or
// "is not UTF-8 text"; with `remedy` not empty, a character without a code
// adds "; use <remedy>" (the option that makes a UTF-8 code).
std::string Describe(const ConversionFailure& failure, std::string_view remedy = {});

// Every line break as CR LF, as the input screens hold them: a lone LF or a
// lone CR becomes CR LF, a CR LF stays.
std::string CrLfLineBreaks(std::string_view text);

}  // namespace nubora
