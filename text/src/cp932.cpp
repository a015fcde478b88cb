#include "nubora/text/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <type_traits>

namespace nubora::text {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Iconv = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Iconv OpenIconv(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    return Iconv(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts the whole of `in` onto `out`, or fails and leaves `out` as it
// was. A character takes at most three times its bytes in the other form
// (a half-width katakana: one byte in CP932, three in UTF-8).
bool Convert(iconv_t cd, std::string_view in, std::string& out)
{
    const size_t start = out.size();
    out.resize(start + in.size() * 3);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data() + start;
    size_t outLeft = out.size() - start;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(start);
        return false;
    }
    out.resize(static_cast<size_t>(outPtr - out.data()));
    return true;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The lead bytes of the UTF-8 forms of two to four bytes, each with the
// smallest code point it may carry (anything below is an overlong form).
struct MultiByteForm {
    unsigned char firstLead;
    unsigned char lastLead;
    size_t length;
    unsigned char leadMask;  // the code point's bits in the lead byte
    char32_t smallest;
};
constexpr MultiByteForm kMultiByteForms[] = {
    {0xC2, 0xDF, 2, 0x1F, 0x80},
    {0xE0, 0xEF, 3, 0x0F, 0x800},
    {0xF0, 0xF4, 4, 0x07, 0x10000},
};

// Encodes `utf8` character by character; with `lossy` a character without a
// code (or a byte that begins none) becomes '?', else the whole conversion fails.
std::optional<std::string> Encode(std::string_view utf8, bool lossy)
{
    Cp932Encoder encoder;
    if (!encoder.IsOpen())
        return std::nullopt;
    std::string out;
    out.reserve(utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const Utf8Char c = FirstUtf8Char(utf8.substr(at));
        if (c.length == 0 || !encoder.Append(utf8.substr(at, c.length), out)) {
            if (!lossy)
                return std::nullopt;
            out += '?';
        }
        at += c.length == 0 ? 1 : c.length;
    }
    return out;
}

}  // namespace

Cp932Encoder::Cp932Encoder() : cd_(iconv_open("CP932", "UTF-8"))
{
    if (cd_ == reinterpret_cast<iconv_t>(-1))
        cd_ = nullptr;
}

Cp932Encoder::~Cp932Encoder()
{
    if (cd_)
        iconv_close(cd_);
}

bool Cp932Encoder::IsOpen() const noexcept { return cd_ != nullptr; }

bool Cp932Encoder::Append(std::string_view piece, std::string& out) { return cd_ && Convert(cd_, piece, out); }

Utf8Char FirstUtf8Char(std::string_view utf8) noexcept
{
    if (utf8.empty())
        return {};
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80)
        return {lead, 1};
    const auto form = std::ranges::find_if(
        kMultiByteForms, [lead](const MultiByteForm& f) { return lead >= f.firstLead && lead <= f.lastLead; });
    if (form == std::end(kMultiByteForms))
        return {};
    const size_t length = form->length;
    char32_t value = lead & form->leadMask;
    if (utf8.size() < length)
        return {};
    for (size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (!IsContinuation(byte))
            return {};
        value = value << 6 | (byte & 0x3Fu);
    }
    if (value < form->smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return {};
    return {value, length};
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) { return Encode(utf8, false); }

std::string Utf8ToCp932Lossy(std::string_view utf8) { return Encode(utf8, true).value_or(std::string()); }

std::string Cp932ToUtf8(std::string_view cp932)
{
    const Iconv cd = OpenIconv("UTF-8", "CP932");
    if (!cd)
        return std::string();
    static constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
    std::string out;
    out.reserve(cp932.size() * 3 / 2);
    // A lead byte takes whatever byte follows it, so that a broken pair shows
    // as one U+FFFD in a control rather than as a U+FFFD and a stray byte.
    for (const std::string_view character : Cp932Chars(cp932, PairRule::LeadAndAnyByte)) {
        if (!Convert(cd.get(), character, out))
            out += kReplacement;
    }
    return out;
}

std::string LfToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

std::string CrLfToLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

}  // namespace nubora::text
