#include "nubora/logic/reader_advice.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "cp932_text.h"
#include "nubora/text/cp932.h"

namespace nubora {
namespace {

constexpr std::string_view kSplitAdvice = "多くのカメラは分割コードを部分ごとに読み取ります。";
constexpr std::string_view kUtf8SplitAdvice =
    "標準形式の分割コードも多くのカメラは部分ごとに読み取ります（各部分は単独でも文字化けしません）。";
constexpr std::string_view kStandardFormRemedy = "標準形式ならどのアプリでも読めます";
constexpr std::string_view kMemoryFormAdvice =
    "従来形式のアドレス帳は一部のアプリで文字として表示されます（設定で標準形式を選べます）。";

// How many of the characters readers lack the advice names.
constexpr std::size_t kNamedCharacters = 3;

// A range of double-byte codes (lead << 8 | trail), both ends included.
struct CodeRange {
    uint16_t first;
    uint16_t last;
};

// The code page 932 extensions that plain Shift_JIS readers lack.
constexpr CodeRange kExtensionRanges[] = {
    {0x8740, 0x879C},  // NEC special characters (row 13)
    {0xED40, 0xEEFC},  // NEC-selected IBM extensions
    {0xFA40, 0xFC4B},  // IBM extensions
};

// Extension characters with a usual JIS X 0208 form, in UTF-8. Keyed by
// character rather than by code, because the NEC-selected and the IBM copy of
// a character are the same character.
struct UsualForm {
    std::string_view variant;
    std::string_view usual;
};

// The compatibility ideographs U+FA10.. are written as escapes: an editor
// that normalises the text would turn them into their usual forms.
constexpr UsualForm kUsualForms[] = {
    {"髙", "高"},           {"\xEF\xA8\x91", "崎"},  // U+FA11
    {"德", "徳"},           {"桒", "桑"},           {"瀨", "瀬"},           {"濵", "浜"},
    {"栁", "柳"},           {"黑", "黒"},           {"\xEF\xA8\x90", "塚"},  // U+FA10
    {"\xEF\xA8\x92", "晴"},                                                  // U+FA12
    {"\xEF\xA8\x99", "神"},                                                  // U+FA19
    {"\xEF\xA8\x9B", "福"},                                                  // U+FA1B
};

bool IsExtensionCode(uint16_t code)
{
    return std::any_of(std::begin(kExtensionRanges), std::end(kExtensionRanges),
                       [code](const CodeRange& range) { return code >= range.first && code <= range.last; });
}

std::string_view UsualFormOf(std::string_view character)
{
    for (const UsualForm& form : kUsualForms) {
        if (form.variant == character)
            return form.usual;
    }
    return {};
}

// The distinct extension characters of `payload` in UTF-8, in order of
// appearance, at most `limit` + 1 of them (the one more tells that there are
// more than the limit).
std::vector<std::string> ExtensionCharacters(std::string_view payload, std::size_t limit)
{
    std::vector<std::string> found;
    for (const std::string_view bytes : text::Cp932Chars(payload)) {
        if (found.size() > limit)
            break;
        if (bytes.size() != 2)
            continue;
        const auto code = static_cast<uint16_t>(static_cast<uint8_t>(bytes[0]) << 8 | static_cast<uint8_t>(bytes[1]));
        if (!IsExtensionCode(code))
            continue;
        std::string utf8 = detail::Cp932ToUtf8(bytes);
        // An unassigned code comes back as its own two bytes: no character.
        if (utf8 == bytes)
            continue;
        if (std::find(found.begin(), found.end(), utf8) == found.end())
            found.push_back(std::move(utf8));
    }
    return found;
}

// "「髙」「①」..." for the given texts.
std::string Quoted(const std::vector<std::string_view>& texts)
{
    std::string quoted;
    for (const std::string_view text : texts)
        quoted.append("「").append(text).append("」");
    return quoted;
}

std::string ExtensionAdvice(const std::vector<std::string>& characters)
{
    const std::size_t named = std::min(characters.size(), kNamedCharacters);
    std::vector<std::string_view> names;
    std::vector<std::string_view> usualForms;
    for (std::size_t i = 0; i < named; ++i) {
        names.push_back(characters[i]);
        const std::string_view usual = UsualFormOf(characters[i]);
        if (!usual.empty())
            usualForms.push_back(usual);
    }
    std::string advice = Quoted(names);
    if (characters.size() > kNamedCharacters)
        advice.append("など");
    advice.append("は一部のアプリで正しく表示されません（");
    if (!usualForms.empty())
        advice.append(Quoted(usualForms)).append("に置き換えるか、");
    advice.append(kStandardFormRemedy).append("）。");
    return advice;
}

}  // namespace

std::vector<std::string> ReaderAdvice(const std::string& payload, int symbolCount, bool addressBookInMemoryForm)
{
    std::vector<std::string> advice;
    if (symbolCount > 1)
        advice.emplace_back(kSplitAdvice);
    const std::vector<std::string> characters = ExtensionCharacters(payload, kNamedCharacters);
    if (!characters.empty())
        advice.push_back(ExtensionAdvice(characters));
    if (addressBookInMemoryForm)
        advice.emplace_back(kMemoryFormAdvice);
    return advice;
}

std::optional<std::string> SmallModuleAdvice(double moduleMm)
{
    // The allowance keeps a module of exactly 0.3 mm from counting as smaller.
    if (moduleMm >= kReliableModuleMm - 1e-9)
        return std::nullopt;
    return "モジュールが0.3 mmより小さいため、スマートフォンのカメラは近づけないと読み取れないことがあります"
           "（0.3〜0.4 mmなら確実に読み取れます）。";
}

std::vector<std::string> ReaderAdvice(const std::string& payload, int symbolCount, bool addressBookInMemoryForm,
                                      text::TextCharset charset)
{
    if (charset == text::TextCharset::Cp932)
        return ReaderAdvice(payload, symbolCount, addressBookInMemoryForm);
    if (symbolCount > 1)
        return {std::string(kUtf8SplitAdvice)};
    return {};
}

}  // namespace nubora
