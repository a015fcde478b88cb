// libFuzzer target for the payload parsers of codes read back (MEMORY, MAILTO,
// MECARD, vCard, mailto: URIs, MATMSG) and the reading of a code's bytes as
// text: no crash, leak or bad access (ASan, UBSan); a refusal names a byte
// that is really unfit; every field that comes out is UTF-8 without a NUL, and
// free text comes out unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "nubora/logic/code_reader.h"
#include "nubora/logic/code_text_parse.h"
#include "nubora/text/cp932.h"

namespace {

bool IsFit(std::string_view text)
{
    for (size_t length = 0; !text.empty(); text.remove_prefix(length)) {
        const nubora::text::Utf8Char c = nubora::text::FirstUtf8Char(text);
        length = c.length;
        if (length == 0 || c.codePoint == 0)
            return false;
    }
    return true;
}

void Check(std::string_view text)
{
    const auto parsed = nubora::ParseCodeText(text);
    if (!parsed) {
        const size_t at = parsed.Error().offset;
        if (at >= text.size() || !IsFit(text.substr(0, at)))
            std::abort();
        const nubora::text::Utf8Char c = nubora::text::FirstUtf8Char(text.substr(at));
        const bool nul = parsed.Error().kind == nubora::TextFailure::Kind::HasNul;
        if (nul ? c.length != 1 || c.codePoint != 0 : c.length != 0)
            std::abort();
        return;
    }
    const nubora::ParsedCode& code = *parsed;
    if (code.form == nubora::CodeForm::Text && code.text != text)
        std::abort();
    for (const std::string* field :
         {&code.name, &code.reading, &code.address, &code.memo, &code.to, &code.subject, &code.body, &code.text}) {
        if (!IsFit(*field))
            std::abort();
    }
    for (const auto& extra : code.extras) {
        if (!IsFit(extra.label) || !IsFit(extra.value))
            std::abort();
    }
    for (const auto* list : {&code.tels, &code.emails}) {
        for (const std::string& value : *list) {
            if (!IsFit(value))
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    // The same bytes as a code would carry them, read as each reader reads them.
    for (const int eci : {-1, 20, 26}) {
        const nubora::CodeText text = nubora::TextOfBytes(bytes, eci);
        const bool hasNul = text.text.find('\0') != std::string::npos;
        if (!hasNul && !IsFit(text.text))
            std::abort();
        Check(text.text);
    }
    return 0;
}
