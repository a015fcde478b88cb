// A seeded corpus of Shift-JIS texts for round trips through the engine and
// the peer decoders: every kind of text the screens can produce, sized to land
// on every version 1..15 at every level, alone or split into 2..16 symbols.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nubora::corpus {

enum class TextKind { Numeric, Alphanumeric, Byte, Kanji, Katakana, Mixed };
inline constexpr int kTextKinds = 6;

const char* KindName(TextKind kind);

// One request: the text and the arguments of TavoQREnc_QrEncode.
struct Case {
    std::string text;           // zero-free Shift-JIS bytes, never empty
    int32_t symbolCount = 1;    // 1..16
    int32_t version = 0;        // requested: 0 automatic, else 1..15
    int32_t level = 0;          // requested: 0..4
    int32_t targetVersion = 0;  // the version the length was chosen for, 1..15
    TextKind kind = TextKind::Mixed;
};

// A small deterministic generator (splitmix64), identical on every platform,
// unlike the distributions of <random>.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in lo..hi, both included; lo <= hi.
    int Between(int lo, int hi);
    bool Chance(int percent) { return Between(0, 99) < percent; }

private:
    uint64_t state_;
};

// Characters of `kind` appended one at a time (a Kanji character is two bytes).
void AppendCharacter(Rng& rng, TextKind kind, std::string& text);

// A text of `kind` with exactly `characters` characters (Mixed: about that many).
std::string MakeText(Rng& rng, TextKind kind, int characters);

// Most characters of `kind` one symbol of `version` (1..15) at `level` (1..4)
// holds in a single segment, estimated through the public capacity query.
int CharacterCapacity(TextKind kind, int version, int level);

// The corpus: single symbols for every version 1..15 × level 0..4 × kind,
// `perCell` of each, then structured-append sequences of 2..16 symbols,
// `perSplit` of each count. Same seed, same corpus.
std::vector<Case> MakeCorpus(uint64_t seed, int perCell, int perSplit);

}  // namespace nubora::corpus
