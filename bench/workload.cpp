#include "workload.h"

#include <iconv.h>
#include <qrencode.h>

#include <algorithm>
#include <array>
#include <map>
#include <string_view>

#include "tavoqrenc.h"

namespace nubora::bench {
namespace {

constexpr uint64_t kSeed = 0x4E55424F5241ull;  // fixed: the workload never changes
constexpr int kTries = 4000;                   // candidates drawn per kind and version

// splitmix64: the same numbers everywhere, unlike <random>'s distributions.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    int Between(int lo, int hi)
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        z ^= z >> 31;
        return lo + static_cast<int>(z % (static_cast<uint64_t>(hi - lo) + 1));
    }

private:
    uint64_t state_;
};

// Shift-JIS pieces of everyday Japanese: hiragana, katakana, common kanji,
// punctuation, half-width katakana for readings.
void Hiragana(Rng& rng, std::string& out)
{
    out += '\x82';
    out += static_cast<char>(rng.Between(0x9F, 0xF1));
}
void Katakana(Rng& rng, std::string& out)
{
    out += '\x83';
    out += static_cast<char>(rng.Between(0x40, 0x7E));
}
void Kanji(Rng& rng, std::string& out)
{
    // JIS level 1 kanji: lead 0x88..0x98 (0x88 starts at 0x9F, 0x98 ends at 0x72).
    const int lead = rng.Between(0x89, 0x97);
    int trail = rng.Between(0x40, 0xFB);
    if (trail >= 0x7F)
        ++trail;
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
}
void HalfWidthKatakana(Rng& rng, std::string& out) { out += static_cast<char>(rng.Between(0xB1, 0xDD)); }
void Digits(Rng& rng, std::string& out, int n)
{
    for (int i = 0; i < n; ++i)
        out += static_cast<char>('0' + rng.Between(0, 9));
}
void Lower(Rng& rng, std::string& out, int n)
{
    for (int i = 0; i < n; ++i)
        out += static_cast<char>('a' + rng.Between(0, 25));
}

// Japanese prose of about `bytes` bytes: words of kanji and hiragana, now and
// then katakana, a comma or full stop, a number.
std::string Prose(Rng& rng, int bytes)
{
    std::string out;
    while (static_cast<int>(out.size()) < bytes) {
        switch (rng.Between(0, 9)) {
        case 0: out += "\x81\x41"; break;  // 、
        case 1: out += "\x81\x42"; break;  // 。
        case 2:
            for (int i = rng.Between(2, 5); i > 0; --i)
                Katakana(rng, out);
            break;
        case 3: Digits(rng, out, rng.Between(1, 4)); break;
        case 4:
        case 5:
            for (int i = rng.Between(1, 3); i > 0; --i)
                Kanji(rng, out);
            break;
        default:
            for (int i = rng.Between(1, 4); i > 0; --i)
                Hiragana(rng, out);
            break;
        }
    }
    return out;
}

std::string MailAddress(Rng& rng)
{
    std::string out;
    Lower(rng, out, rng.Between(3, 10));
    out += rng.Between(0, 1) ? "." : "_";
    Lower(rng, out, rng.Between(2, 6));
    out += rng.Between(0, 1) ? "@docomo.ne.jp" : "@ezweb.ne.jp";
    return out;
}

std::string Telephone(Rng& rng)
{
    std::string out = rng.Between(0, 1) ? "090" : "03";
    Digits(rng, out, 8);
    return out;
}

// The address-book registration text; memo, second number, addresses and
// postal address grow with `size` (bytes, roughly).
std::string Contact(Rng& rng, int size)
{
    std::string out = "MEMORY:" + Prose(rng, size / 4) + "\r\nNAME1:";
    for (int i = rng.Between(2, 4); i > 0; --i)
        Kanji(rng, out);
    out += "\r\nNAME2:";
    for (int i = rng.Between(4, 9); i > 0; --i)
        HalfWidthKatakana(rng, out);
    out += "\r\nTEL1:" + Telephone(rng);
    if (size > 80)
        out += "\r\nTEL2:" + Telephone(rng);
    if (size > 40)
        out += "\r\nMAIL1:" + MailAddress(rng);
    if (size > 120)
        out += "\r\nMAIL2:" + MailAddress(rng);
    if (size > 60)
        out += "\r\nADD:" + Prose(rng, size / 4);
    return out + "\r\n";
}

// The mail text: recipient, subject, a body of about `size` bytes.
std::string Mail(Rng& rng, int size)
{
    std::string out = "MAILTO:" + MailAddress(rng) + "\r\n";
    if (size > 20)
        out += "SUBJECT:" + Prose(rng, std::min(size / 5, 24)) + "\r\n";
    if (size > 30)
        out += "BODY:" + Prose(rng, size) + "\r\n";
    return out;
}

std::string Free(Rng& rng, int size) { return Prose(rng, size); }

std::string Numbers(Rng& rng, int size)
{
    std::string out;
    Digits(rng, out, std::max(1, size));
    return out;
}

using Builder = std::string (*)(Rng&, int);
constexpr std::array<Builder, 4> kBuilders = {Contact, Mail, Free, Numbers};

// Sizes drawn around the version's capacity in bytes at level M; numbers are
// 2.4 times as dense.
int DrawSize(Rng& rng, int version, size_t kind)
{
    static constexpr std::array<std::pair<int, int>, 16> kBytes = {{{0, 0},
                                                                    {1, 16},
                                                                    {10, 34},
                                                                    {20, 56},
                                                                    {40, 84},
                                                                    {60, 114},
                                                                    {80, 140},
                                                                    {100, 162},
                                                                    {120, 200},
                                                                    {150, 240},
                                                                    {180, 290},
                                                                    {220, 340},
                                                                    {260, 390},
                                                                    {300, 440},
                                                                    {350, 490},
                                                                    {380, 540}}};
    const auto [lo, hi] = kBytes[static_cast<size_t>(version)];
    const int size = rng.Between(lo / 2, hi);
    return kind == 3 ? size * 12 / 5 : size;
}

// The Shift-JIS text in UTF-8, or an empty string when it does not convert.
std::string ToUtf8(const std::string& sjis)
{
    const iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string out(sjis.size() * 3 / 2 + 4, '\0');
    char* in = const_cast<char*>(sjis.data());
    size_t inLeft = sjis.size();
    char* to = out.data();
    size_t toLeft = out.size();
    const size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || inLeft != 0)
        return {};
    out.resize(out.size() - toLeft);
    return out;
}

// A payload as drawn (Shift-JIS), or converted to UTF-8.
using Convert = std::string (*)(const std::string&);
std::string AsDrawn(const std::string& text) { return text; }

// Whether both encoders put `text` on `version`.
using Lands = bool (*)(const std::string&, int);
bool LandsShiftJis(const std::string& text, int version)
{
    return EngineVersion(text) == version && LibqrencodeVersion(text) == version;
}
bool LandsUtf8(const std::string& text, int version)
{
    return !text.empty() && EngineVersionUtf8(text) == version && LibqrencodeVersion8bit(text) == version;
}

std::vector<std::string> Build(int version, Convert convert, Lands lands)
{
    Rng rng(kSeed + static_cast<uint64_t>(version));
    std::vector<std::string> payloads;
    // The kinds take turns; a kind that cannot land on the version (no
    // contact card or mail fits version 1) drops out and the others fill in.
    std::array<bool, kBuilders.size()> possible;
    possible.fill(true);
    while (static_cast<int>(payloads.size()) < kPayloads &&
           std::find(possible.begin(), possible.end(), true) != possible.end()) {
        for (size_t kind = 0; kind < kBuilders.size() && static_cast<int>(payloads.size()) < kPayloads; ++kind) {
            if (!possible[kind])
                continue;
            possible[kind] = false;
            for (int t = 0; t < kTries; ++t) {
                std::string text = convert(kBuilders[kind](rng, DrawSize(rng, version, kind)));
                if (lands(text, version)) {
                    payloads.push_back(std::move(text));
                    possible[kind] = true;
                    break;
                }
            }
        }
    }
    return payloads;
}

}  // namespace

const std::vector<std::string>& Payloads(int version)
{
    static const std::map<int, std::vector<std::string>> all = [] {
        std::map<int, std::vector<std::string>> m;
        for (const int v : kVersions)
            m[v] = Build(v, AsDrawn, LandsShiftJis);
        return m;
    }();
    static const std::vector<std::string> none;
    const auto it = all.find(version);
    return it == all.end() ? none : it->second;
}

const std::vector<std::string>& Utf8Payloads(int version)
{
    static const std::map<int, std::vector<std::string>> all = [] {
        std::map<int, std::vector<std::string>> m;
        for (const int v : kVersions)
            m[v] = Build(v, ToUtf8, LandsUtf8);
        return m;
    }();
    static const std::vector<std::string> none;
    const auto it = all.find(version);
    return it == all.end() ? none : it->second;
}

int LibqrencodeVersion8bit(const std::string& text)
{
    QRcode* code = QRcode_encodeData(static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()),
                                     0, QR_ECLEVEL_M);
    const int version = code == nullptr ? 0 : code->version;
    QRcode_free(code);
    return version;
}

int EngineVersionUtf8(const std::string& text)
{
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    return TavoQREnc_GetCodeInfoUtf8(text.data(), static_cast<int32_t>(text.size()), 1, &params) >= 0 ? params.version
                                                                                                      : 0;
}

int LibqrencodeVersion(const std::string& text)
{
    QRcode* code = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_KANJI, 1);
    const int version = code == nullptr ? 0 : code->version;
    QRcode_free(code);
    return version;
}

int EngineVersion(const std::string& text)
{
    QrEncodeParams params{0, TAVOQRENC_LEVEL_M};
    return TavoQREnc_GetCodeInfo(text.c_str(), 1, &params) == TAVOQRENC_OK ? params.version : 0;
}

}  // namespace nubora::bench
