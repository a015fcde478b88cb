#include "corpus.h"

#include <algorithm>
#include <array>

#include "tavoqrenc.h"

namespace nubora::corpus {
namespace {

constexpr std::string_view kAlphanumeric = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
// Bytes that are neither digits, alphanumeric characters nor the first byte
// of a two-byte character, so that a byte text stays one byte run.
constexpr std::string_view kByteOnly =
    "abcdefghijklmnopqrstuvwxyz!\"#&'(),;<=>?@[\\]^_`{|}~\r\n\t\x01\x1f\x7f\x80\xa0\xfd\xfe\xff";

// Character count indicator width of `kind`'s mode at `version` (1..15).
int CountBits(TextKind kind, int version)
{
    const bool small = version <= 9;
    switch (kind) {
    case TextKind::Numeric: return small ? 10 : 12;
    case TextKind::Alphanumeric: return small ? 9 : 11;
    case TextKind::Kanji: return small ? 8 : 10;
    default: return small ? 8 : 16;
    }
}

// Data bits of one symbol, at least: a full load of Kanji characters leaves
// fewer than 13 bits over.
int CapacityBits(int version, int level)
{
    const int32_t versionLevel[2] = {version, level};
    const int32_t kanji = TavoQREnc_GetAvailableLength(versionLevel);
    return 13 * kanji + 4 + CountBits(TextKind::Kanji, version);
}

// Bits of a segment of `kind` with n characters at `version`.
int SegmentBits(TextKind kind, int n, int version)
{
    int data = 0;
    switch (kind) {
    case TextKind::Numeric: data = 10 * (n / 3) + (n % 3 == 1 ? 4 : n % 3 == 2 ? 7 : 0); break;
    case TextKind::Alphanumeric: data = 11 * (n / 2) + (n % 2) * 6; break;
    case TextKind::Kanji: data = 13 * n; break;
    default: data = 8 * n; break;
    }
    return 4 + CountBits(kind, version) + data;
}

char Pick(Rng& rng, std::string_view from)
{
    return from[static_cast<size_t>(rng.Between(0, static_cast<int>(from.size()) - 1))];
}

}  // namespace

const char* KindName(TextKind kind)
{
    switch (kind) {
    case TextKind::Numeric: return "numeric";
    case TextKind::Alphanumeric: return "alphanumeric";
    case TextKind::Byte: return "byte";
    case TextKind::Kanji: return "kanji";
    case TextKind::Katakana: return "katakana";
    case TextKind::Mixed: return "mixed";
    }
    return "?";
}

uint64_t Rng::Next()
{
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int Rng::Between(int lo, int hi)
{
    const auto span = static_cast<uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(Next() % span);
}

void AppendCharacter(Rng& rng, TextKind kind, std::string& text)
{
    switch (kind) {
    case TextKind::Numeric: text += static_cast<char>('0' + rng.Between(0, 9)); break;
    case TextKind::Alphanumeric: text += Pick(rng, kAlphanumeric); break;
    case TextKind::Byte: text += Pick(rng, kByteOnly); break;
    case TextKind::Katakana: text += static_cast<char>(rng.Between(0xA1, 0xDF)); break;
    case TextKind::Kanji: {
        // Lead 0x81..0x9F or 0xE0..0xEA, trail 0x40..0xFC without 0x7F.
        int lead = rng.Between(0x81, 0x9F + (0xEA - 0xE0 + 1));
        if (lead > 0x9F)
            lead += 0xE0 - 0xA0;
        int trail = rng.Between(0x40, 0xFB);
        if (trail >= 0x7F)
            ++trail;
        text += static_cast<char>(lead);
        text += static_cast<char>(trail);
        break;
    }
    case TextKind::Mixed: AppendCharacter(rng, static_cast<TextKind>(rng.Between(0, 4)), text); break;
    }
}

std::string MakeText(Rng& rng, TextKind kind, int characters)
{
    std::string text;
    if (kind != TextKind::Mixed) {
        for (int i = 0; i < characters; ++i)
            AppendCharacter(rng, kind, text);
        return text;
    }
    // Runs of random kinds and lengths, as a contact card or a mail mixes them.
    int left = characters;
    while (left > 0) {
        const auto runKind = static_cast<TextKind>(rng.Between(0, 4));
        const int run = std::min(left, rng.Chance(70) ? rng.Between(1, 12) : rng.Between(13, 40));
        for (int i = 0; i < run; ++i)
            AppendCharacter(rng, runKind, text);
        left -= run;
    }
    return text;
}

int CharacterCapacity(TextKind kind, int version, int level)
{
    const int data = CapacityBits(version, level) - SegmentBits(kind, 0, version);
    switch (kind) {
    case TextKind::Numeric: return 3 * (data / 10) + (data % 10 >= 7 ? 2 : data % 10 >= 4 ? 1 : 0);
    case TextKind::Alphanumeric: return 2 * (data / 11) + (data % 11 >= 6 ? 1 : 0);
    case TextKind::Kanji: return data / 13;
    case TextKind::Mixed: return data / 10;  // about 10 bits a character on average
    default: return data / 8;
    }
}

std::vector<Case> MakeCorpus(uint64_t seed, int perCell, int perSplit)
{
    Rng rng(seed);
    std::vector<Case> cases;

    for (int version = 1; version <= 15; ++version) {
        for (int level = 0; level <= 4; ++level) {
            const int effective = level == 0 ? 2 : level;
            for (int k = 0; k < kTextKinds; ++k) {
                const auto kind = static_cast<TextKind>(k);
                // A mixed text's cost depends on the engine's run merging:
                // keep a margin below the top.
                const int top = CharacterCapacity(kind, version, effective);
                const int high = kind == TextKind::Mixed ? top * 8 / 10 : top;
                const int low = version == 1 ? 1 : std::min(high, CharacterCapacity(kind, version - 1, effective) + 1);
                for (int i = 0; i < perCell; ++i) {
                    Case c;
                    c.kind = kind;
                    c.level = level;
                    c.targetVersion = version;
                    c.text = MakeText(rng, kind, rng.Between(low, high));
                    // Now and then ask for the version itself, or a larger one.
                    if (rng.Chance(25))
                        c.version = std::min(15, version + rng.Between(0, 2));
                    cases.push_back(std::move(c));
                }
            }
        }
    }

    for (int n = 2; n <= 16; ++n) {
        for (int i = 0; i < perSplit; ++i) {
            Case c;
            c.kind = static_cast<TextKind>(rng.Between(0, kTextKinds - 1));
            c.symbolCount = n;
            c.level = rng.Between(0, 4);
            c.targetVersion = rng.Between(1, 12);
            const int effective = c.level == 0 ? 2 : c.level;
            // Each symbol carries a share of the text plus its 20-bit header;
            // stay below the target's capacity so that the division has room.
            const int perSymbol = CharacterCapacity(c.kind, c.targetVersion, effective) * 7 / 10;
            const int characters = std::max(n, rng.Between(n, std::max(n, perSymbol * n)));
            c.text = MakeText(rng, c.kind, characters);
            if (rng.Chance(20))
                c.version = std::min(15, c.targetVersion + 3);
            cases.push_back(std::move(c));
        }
    }
    return cases;
}

}  // namespace nubora::corpus
