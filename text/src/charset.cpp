#include "nubora/text/charset.h"

#include "nubora/text/cp932.h"

#include <algorithm>

namespace nubora::text {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
// What a character without a CP932 code counts against a field's limit.
constexpr std::size_t kUncodedCharacterLength = 2;

// Calls `visit(character, cp932Bytes)` for each UTF-8 character of `utf8`
// in order: its CP932 length, 0 when it has no code. A byte that begins no
// character is visited alone, with length 1.
template <typename Visit>
void WalkUtf8(std::string_view utf8, Visit visit)
{
    Cp932Encoder encoder;
    std::string scratch;
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            visit(utf8.substr(at, 1), std::size_t{1});
            ++at;
            continue;
        }
        const Utf8Char c = FirstUtf8Char(utf8.substr(at));
        if (c.length == 0) {
            visit(utf8.substr(at, 1), std::size_t{1});
            ++at;
            continue;
        }
        scratch.clear();
        const std::string_view character = utf8.substr(at, c.length);
        visit(character, encoder.Append(character, scratch) ? scratch.size() : std::size_t{0});
        at += c.length;
    }
}

}  // namespace

std::size_t LimitLength(std::string_view utf8)
{
    std::size_t length = 0;
    WalkUtf8(utf8, [&length](std::string_view, std::size_t cp932) {
        length += cp932 == 0 ? kUncodedCharacterLength : cp932;
    });
    return length;
}

std::size_t LimitLength(std::string_view bytes, TextCharset charset)
{
    return charset == TextCharset::Utf8 ? LimitLength(bytes) : bytes.size();
}

std::string ToUtf8(std::string_view bytes, TextCharset charset)
{
    return charset == TextCharset::Utf8 ? std::string(bytes) : Cp932ToUtf8(bytes);
}

std::string Cp932In(std::string_view cp932, TextCharset charset)
{
    return charset == TextCharset::Utf8 ? Cp932ToUtf8(cp932) : std::string(cp932);
}

std::string ToCp932Lossy(std::string_view bytes, TextCharset charset)
{
    return charset == TextCharset::Utf8 ? Utf8ToCp932Lossy(bytes) : std::string(bytes);
}

bool IsUtf8(std::string_view bytes)
{
    for (size_t length = 0; !bytes.empty(); bytes.remove_prefix(length)) {
        length = FirstUtf8Char(bytes).length;
        if (length == 0)
            return false;
    }
    return true;
}

std::string MendUtf8(std::string_view bytes)
{
    std::string mended;
    mended.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = FirstUtf8Char(bytes.substr(at)).length;
        if (length == 0) {
            mended.append(kReplacementCharacter);
            ++at;
        } else {
            mended.append(bytes.substr(at, length));
            at += length;
        }
    }
    return mended;
}

std::vector<std::string> CharactersWithoutCp932(std::string_view utf8, std::size_t limit)
{
    std::vector<std::string> found;
    WalkUtf8(utf8, [&found, limit](std::string_view character, std::size_t cp932) {
        if (cp932 == 0 && found.size() < limit && std::find(found.begin(), found.end(), character) == found.end())
            found.emplace_back(character);
    });
    return found;
}

}  // namespace nubora::text
