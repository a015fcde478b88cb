// Shift-JIS (CP932, Windows-31J) beside UTF-8, without any window. Members
// and payloads hold CP932 bytes; controls, the string table and the command
// line's texts are Unicode, here as UTF-8. The conversion is glibc's iconv
// "CP932".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nubora::text {

// True for the first byte of a CP932 double-byte character: 0x81-0x9F, 0xE0-0xFC.
constexpr bool IsDbcsLeadByte(unsigned char byte) noexcept
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// True for the second byte of a CP932 double-byte character: 0x40-0x7E, 0x80-0xFC.
constexpr bool IsDbcsTrailByte(unsigned char byte) noexcept
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// What a lead byte must be followed by to make one character with it. Every
// other byte is a character of its own.
enum class PairRule {
    // A trail byte. A lead byte before anything else (a comma, a line break,
    // a byte above 0xFC) or at the end stands alone, so the byte after it is
    // never swallowed into a character. The rule of every walk over members,
    // payloads and data files.
    LeadAndTrail,
    // Any byte; only a lead byte at the end stands alone. The conversion to
    // Unicode reads a broken pair as one unreadable character.
    LeadAndAnyByte,
};

// The length in bytes, 1 or 2, of the CP932 character that starts at
// `text[at]` (`at` < text.size()) under `rule`.
constexpr std::size_t Cp932CharLength(std::string_view text, std::size_t at,
                                      PairRule rule = PairRule::LeadAndTrail) noexcept
{
    if (at + 1 >= text.size() || !IsDbcsLeadByte(static_cast<unsigned char>(text[at])))
        return 1;
    return rule == PairRule::LeadAndAnyByte || IsDbcsTrailByte(static_cast<unsigned char>(text[at + 1])) ? 2 : 1;
}

// The CP932 characters of a text in order, each as a view of its one or two
// bytes, for a range-for: `for (std::string_view c : Cp932Chars(text))`.
// Every byte of the text is in exactly one character, a broken pair's too.
// The text must outlive the walk.
class Cp932Chars {
public:
    class Iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;

        constexpr Iterator() = default;
        constexpr Iterator(std::string_view text, std::size_t at, PairRule rule) noexcept
            : text_(text), at_(at), rule_(rule)
        {
        }
        constexpr std::string_view operator*() const noexcept
        {
            return text_.substr(at_, Cp932CharLength(text_, at_, rule_));
        }
        constexpr Iterator& operator++() noexcept
        {
            at_ += Cp932CharLength(text_, at_, rule_);
            return *this;
        }
        constexpr Iterator operator++(int) noexcept
        {
            Iterator before = *this;
            ++*this;
            return before;
        }
        // Where the current character starts in the text.
        constexpr std::size_t Offset() const noexcept { return at_; }
        constexpr bool operator==(const Iterator& other) const noexcept { return at_ == other.at_; }

    private:
        std::string_view text_;
        std::size_t at_ = 0;
        PairRule rule_ = PairRule::LeadAndTrail;
    };

    constexpr explicit Cp932Chars(std::string_view text, PairRule rule = PairRule::LeadAndTrail) noexcept
        : text_(text), rule_(rule)
    {
    }
    constexpr Iterator begin() const noexcept { return {text_, 0, rule_}; }
    constexpr Iterator end() const noexcept { return {text_, text_.size(), rule_}; }

private:
    std::string_view text_;
    PairRule rule_;
};

// The UTF-8 character at the start of a text.
struct Utf8Char {
    char32_t codePoint = 0;  // U+0000..U+10FFFF, surrogates excluded
    std::size_t length = 0;  // its bytes, 1..4; 0 when the bytes begin no character
};

// The character that `utf8` begins with. Length 0 for an empty text, a
// continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF and a character cut short.
Utf8Char FirstUtf8Char(std::string_view utf8) noexcept;

// UTF-8 to CP932 through one iconv descriptor, piece by piece, for callers
// that walk a text in pieces of their own. Not copyable.
class Cp932Encoder {
public:
    Cp932Encoder();
    Cp932Encoder(const Cp932Encoder&) = delete;
    Cp932Encoder& operator=(const Cp932Encoder&) = delete;
    ~Cp932Encoder();

    // False when glibc has no CP932 converter; Append then always fails.
    bool IsOpen() const noexcept;
    // Appends the CP932 bytes of the whole UTF-8 `piece` to `out`. False,
    // with `out` unchanged, when a character of it has no CP932 code or it is
    // not whole UTF-8 text.
    [[nodiscard]] bool Append(std::string_view piece, std::string& out);

private:
    void* cd_;  // the iconv descriptor, null when it could not be opened
};

// `utf8` as CP932 bytes, or nothing when it is not UTF-8 or a character of
// it has no CP932 code.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// `utf8` as CP932 bytes; each character without a CP932 code, and each byte
// that begins no UTF-8 character, becomes '?'.
std::string Utf8ToCp932Lossy(std::string_view utf8);

// The CP932 bytes `cp932` as UTF-8, character by character (a lead byte
// with the byte after it, else one byte); each one that is no CP932
// character becomes U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// Multi-line controls separate lines with LF, members with CR LF. LfToCrLf
// puts a CR before each LF that has none; CrLfToLf drops the CR of each CR LF.
std::string LfToCrLf(std::string_view text);
std::string CrLfToLf(std::string_view text);

}  // namespace nubora::text
