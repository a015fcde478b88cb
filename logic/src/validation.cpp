#include "nubora/logic/validation.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace nubora {
namespace {

// ＊ ＃ － and ０..９.
constexpr std::array<uint16_t, 13> kTelDoubleBytes = {0x8196, 0x8194, 0x817C, 0x824F, 0x8250, 0x8251, 0x8252,
                                                      0x8253, 0x8254, 0x8255, 0x8256, 0x8257, 0x8258};

// Double-byte ranges the name reading takes, inclusive.
struct CodeRange {
    uint16_t first, last;
};
constexpr std::array<CodeRange, 27> kReadingCodeList = {{
    {0x8140, 0x814B},                                      // 　、。，．・：；？！゛゜
    {0x814D, 0x814D}, {0x814F, 0x814F}, {0x8151, 0x8151},  // ｀ ＾ ＿
    {0x815B, 0x815B}, {0x815E, 0x815E},                    // ー ／
    {0x8162, 0x8162}, {0x8166, 0x8166},                    // ｜ ’
    {0x8168, 0x816A},                                      // ”（）
    {0x816D, 0x8170},                                      // ［］｛｝
    {0x8175, 0x8176},                                      // 「 」
    {0x817B, 0x817C},                                      // ＋ －
    {0x8181, 0x8181}, {0x8183, 0x8184},                    // ＝ ＜ ＞
    {0x818F, 0x8190},                                      // ￥ ＄
    {0x8193, 0x8197},                                      // ％＃＆＊＠
    {0x824F, 0x8258},                                      // ０..９
    {0x8260, 0x8279},                                      // Ａ..Ｚ
    {0x8281, 0x829A},                                      // ａ..ｚ
    {0x8340, 0x837E},                                      // ァ..ミ
    {0x8380, 0x838D},                                      // ム..ロ
    {0x838F, 0x838F}, {0x8392, 0x8393},                    // ワ ヲ ン
}};

bool InReadingCodeList(uint16_t code)
{
    return std::any_of(kReadingCodeList.begin(), kReadingCodeList.end(),
                       [code](const CodeRange& r) { return code >= r.first && code <= r.last; });
}

// The code of a character of one or two bytes: the byte, or lead << 8 | trail.
uint16_t CharCode(std::string_view character)
{
    const auto first = static_cast<uint8_t>(character[0]);
    return character.size() == 2 ? static_cast<uint16_t>(first << 8 | static_cast<uint8_t>(character[1])) : first;
}

bool IsMember(const CharSet& set, uint16_t code, bool doubleByte)
{
    if (doubleByte)
        return std::find(set.doubleBytes, set.doubleBytes + set.doubleByteCount, code) !=
               set.doubleBytes + set.doubleByteCount;
    return set.singleBytes.find(static_cast<char>(code)) != std::string_view::npos;
}

}  // namespace

const CharSet TelChars = {"*#-0123456789", kTelDoubleBytes.data(), static_cast<int32_t>(kTelDoubleBytes.size())};
const CharSet MailChars = {"!$%&*+-./0123456789;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ^_abcdefghijklmnopqrstuvwxyz~", nullptr,
                           0};
const CharSet MailToChars = {"!$%&*+-./,0123456789;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ^_abcdefghijklmnopqrstuvwxyz~", nullptr,
                             0};
const CharSet LinkParamChars = {
    "!#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_abcdefghijklmnopqrstuvwxyz{|}~", nullptr, 0};

int CheckChars(std::string_view value, const CharSet& set) noexcept
{
    // A lead byte that begins no character stands alone and is a member of
    // no set: the single bytes of every set are below 0x80.
    for (const std::string_view character : text::Cp932Chars(value)) {
        if (!IsMember(set, CharCode(character), character.size() == 2))
            return 1;
    }
    return 0;
}

int CheckReadingChars(std::string_view value) noexcept
{
    for (const std::string_view character : text::Cp932Chars(value)) {
        const bool doubleByte = character.size() == 2;
        // A lead byte that begins no character (at the end, or before a byte
        // that is no trail byte) is no character the reading takes.
        if (!doubleByte && IsDbcsLeadByte(static_cast<uint8_t>(character[0])))
            return 1;
        if (doubleByte && !InReadingCodeList(CharCode(character)))
            return 1;
    }
    return 0;
}

int GaugePosition(bool allFieldsEmpty, int64_t payloadBytes, int32_t capacity) noexcept
{
    if (allFieldsEmpty)
        return 0;
    const int64_t step = capacity / 10;
    for (int position = 0; position < 90; position += 10) {
        if (payloadBytes < step * (position / 10 + 1))
            return position;
    }
    return payloadBytes < capacity ? 90 : 100;
}

namespace {

// Runs `check` on the CP932 form of `value`; 1 when a UTF-8 value has none.
template <typename Check>
int CheckInCp932(std::string_view value, text::TextCharset charset, Check check)
{
    if (charset == text::TextCharset::Cp932)
        return check(value);
    const std::optional<std::string> cp932 = text::Utf8ToCp932(value);
    return cp932 ? check(*cp932) : 1;
}

}  // namespace

int CheckChars(std::string_view value, text::TextCharset charset, const CharSet& set)
{
    return CheckInCp932(value, charset, [&set](std::string_view v) { return CheckChars(v, set); });
}

int CheckReadingChars(std::string_view value, text::TextCharset charset)
{
    return CheckInCp932(value, charset, [](std::string_view v) { return CheckReadingChars(v); });
}

}  // namespace nubora
