// The user's text to CP932 bytes, as the payloads hold it.
#pragma once

#include <string>
#include <string_view>

#include "nubora/logic/result.h"

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

// "character 3 '①' (U+2460) has no Shift_JIS (CP932) code" or
// "is not UTF-8 text".
std::string Describe(const ConversionFailure& failure);

// Every line break as CR LF, as the input screens hold them: a lone LF or a
// lone CR becomes CR LF, a CR LF stays.
std::string CrLfLineBreaks(std::string_view text);

}  // namespace nubora
