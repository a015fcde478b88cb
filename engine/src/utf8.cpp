// The UTF-8 walker, driven by the table of well-formed byte sequences.
#include "utf8.h"

#include <array>
#include <cstddef>

namespace tavoqr {
namespace {

// What a first byte allows: the length of its sequence and the range of the
// second byte. The narrowed second-byte ranges are what refuse overlong forms
// (after 0xE0 and 0xF0), surrogates (after 0xED) and code points above
// U+10FFFF (after 0xF4); every later byte is a plain continuation byte.
struct LeadByte {
    uint8_t bytes = 0;  // 0: the byte cannot begin a character
    uint8_t secondLow = 0x80;
    uint8_t secondHigh = 0xBF;
};

// The well-formed UTF-8 byte sequences (Unicode, Table 3-7), one row per
// range of first bytes.
struct LeadRange {
    uint8_t first, last;
    LeadByte lead;
};
constexpr std::array<LeadRange, 9> kLeadRanges = {{
    {0x01, 0x7F, {1, 0x00, 0x00}},
    {0xC2, 0xDF, {2, 0x80, 0xBF}},
    {0xE0, 0xE0, {3, 0xA0, 0xBF}},
    {0xE1, 0xEC, {3, 0x80, 0xBF}},
    {0xED, 0xED, {3, 0x80, 0x9F}},
    {0xEE, 0xEF, {3, 0x80, 0xBF}},
    {0xF0, 0xF0, {4, 0x90, 0xBF}},
    {0xF1, 0xF3, {4, 0x80, 0xBF}},
    {0xF4, 0xF4, {4, 0x80, 0x8F}},
}};

constexpr std::array<LeadByte, 256> MakeLeadTable()
{
    std::array<LeadByte, 256> table{};
    for (const LeadRange& range : kLeadRanges)
        for (int b = range.first; b <= range.last; ++b)
            table[static_cast<size_t>(b)] = range.lead;
    return table;
}
constexpr std::array<LeadByte, 256> kLeadBytes = MakeLeadTable();

}  // namespace

int32_t Utf8CharacterBytes(const uint8_t* text, int32_t length) noexcept
{
    const LeadByte& lead = kLeadBytes[text[0]];
    if (lead.bytes <= 1)
        return lead.bytes;
    if (length < lead.bytes || text[1] < lead.secondLow || text[1] > lead.secondHigh)
        return 0;
    for (int32_t i = 2; i < lead.bytes; ++i)
        if ((text[i] & 0xC0) != 0x80)
            return 0;
    return lead.bytes;
}

Status ListUtf8Characters(const uint8_t* text, int32_t length, std::vector<int32_t>* starts)
{
    if (starts != nullptr) {
        starts->clear();
        starts->reserve(static_cast<size_t>(length) + 1);
    }
    for (int32_t pos = 0; pos < length;) {
        const int32_t bytes = Utf8CharacterBytes(text + pos, length - pos);
        if (bytes == 0)
            return Status::kBadText;
        if (starts != nullptr)
            starts->push_back(pos);
        pos += bytes;
    }
    if (starts != nullptr)
        starts->push_back(length);
    return Status::kOk;
}

}  // namespace tavoqr
