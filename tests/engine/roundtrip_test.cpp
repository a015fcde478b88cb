// Every symbol the engine draws, read back by two independent decoders
// (zxing-cpp and zbar) through the C interface only: the exact input bytes
// must come back, and a structured-append sequence must carry its position,
// its count and the parity of the whole text in every symbol.
#include <gtest/gtest.h>
#include <qrencode.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "corpus.h"
#include "decoders.h"
#include "tavoqrenc.h"

namespace {

using nubora::corpus::Case;
using nubora::peers::Printable;

constexpr uint64_t kCorpusSeed = 20240611;
constexpr int kPerCell = 6;    // texts per version × level × kind
constexpr int kPerSplit = 40;  // sequences per symbol count 2..16
constexpr int kShards = 8;     // the corpus runs as this many tests, in parallel under CTest

const std::vector<Case>& Corpus()
{
    static const std::vector<Case> corpus = nubora::corpus::MakeCorpus(kCorpusSeed, kPerCell, kPerSplit);
    return corpus;
}

// The symbols of one successful encode call, released through the C interface.
class Symbols {
public:
    Symbols() = default;
    Symbols(const Symbols&) = delete;
    Symbols& operator=(const Symbols&) = delete;
    ~Symbols() { TavoQREnc_FreeBitmaps(array, count); }

    QrBitmap** array = nullptr;
    int32_t count = 0;
};

std::string Describe(const Case& c)
{
    char head[128];
    std::snprintf(head, sizeof head,
                  "%s text of %zu bytes, N=%d, request %d-%d (aimed at version %d): ", nubora::corpus::KindName(c.kind),
                  c.text.size(), c.symbolCount, c.version, c.level, c.targetVersion);
    return head + Printable(c.text);
}

// Encodes `c` and reads every symbol back. Returns an empty string when all
// is well, otherwise what went wrong. `used` receives the version and level.
std::string RoundTrip(const Case& c, QrEncodeParams& used)
{
    Symbols symbols;
    used = {c.version, c.level};
    const int32_t status = TavoQREnc_QrEncode(c.text.c_str(), static_cast<int32_t>(c.text.size()), c.symbolCount,
                                              &symbols.array, &used);
    if (status != TAVOQRENC_OK)
        return "encode returned " + std::to_string(status);
    if (symbols.array == nullptr)
        return "no symbols returned";
    symbols.count = c.symbolCount;

    const int32_t level = c.level == 0 ? TAVOQRENC_LEVEL_M : c.level;
    if (used.level != level)
        return "level " + std::to_string(used.level) + " reported";
    if (used.version < 1 || used.version > 15)
        return "version " + std::to_string(used.version) + " reported";
    if (c.version != 0 && used.version != c.version)
        return "version " + std::to_string(used.version) + " reported";
    static constexpr std::array<const char*, 5> kLevelNames = {"", "L", "M", "Q", "H"};

    const std::string parity = std::to_string(nubora::peers::Parity(c.text));
    std::vector<nubora::peers::GreyImage> images;
    std::string joined;
    for (int32_t i = 0; i < c.symbolCount; ++i) {
        const std::string where = "symbol " + std::to_string(i) + ": ";
        const QrBitmap* bitmap = symbols.array[i];
        if (TavoQREnc_GetBitmapSide(bitmap) != 4 * used.version + 25)
            return where + "wrong side";
        images.push_back(nubora::peers::RenderGrey(bitmap));

        const auto zx = nubora::peers::ReadWithZxing(images.back());
        if (!zx.valid)
            return where + "zxing cannot read it: " + zx.error;
        if (zx.ecLevel != kLevelNames[static_cast<size_t>(level)])
            return where + "zxing reads level " + zx.ecLevel;
        if (c.symbolCount == 1) {
            if (zx.sequenceIndex != -1)
                return where + "zxing finds a structured-append header";
            if (zx.bytes != c.text)
                return where + "zxing reads " + Printable(zx.bytes);
            const auto zb = nubora::peers::ReadWithZbar(images.back());
            if (zb.size() != 1)
                return where + "zbar finds " + std::to_string(zb.size()) + " symbols";
            if (zb[0] != c.text)
                return where + "zbar reads " + Printable(zb[0]);
        } else {
            if (zx.sequenceIndex != i || zx.sequenceSize != c.symbolCount || zx.sequenceId != parity)
                return where + "header says " + std::to_string(zx.sequenceIndex) + " of " +
                       std::to_string(zx.sequenceSize) + ", parity " + zx.sequenceId;
            joined += zx.bytes;
        }
    }
    if (c.symbolCount > 1) {
        if (joined != c.text)
            return "zxing's parts join to " + Printable(joined);
        const auto zb = nubora::peers::ReadWithZbar(nubora::peers::SideBySide(images));
        if (zb.size() != 1)
            return "zbar finds " + std::to_string(zb.size()) + " results in the sequence";
        if (zb[0] != c.text)
            return "zbar joins " + Printable(zb[0]);
    }
    return {};
}

TEST(EngineRoundTrip, StandardExampleDigitsAt1MDecode)
{
    for (const int32_t requested : {0, 1}) {
        const Case c{"01234567", 1, requested, TAVOQRENC_LEVEL_M, 1, nubora::corpus::TextKind::Numeric};
        QrEncodeParams used{};
        EXPECT_EQ(RoundTrip(c, used), "");
        EXPECT_EQ(used.version, 1);
        EXPECT_EQ(used.level, TAVOQRENC_LEVEL_M);
    }
}

TEST(EngineRoundTrip, ShiftJisContactCardDecodes)
{
    // "MEMORY:メモ / NAME1:山田太郎 / TEL1:…" as the address-book screen builds it.
    const Case c{"MEMORY:\x83\x81\x83\x82\r\nNAME1:\x8e\x52\x93\x63\x91\xbe\x98\x59\r\nTEL1:0312345678\r\n",
                 1,
                 0,
                 0,
                 2,
                 nubora::corpus::TextKind::Mixed};
    QrEncodeParams used{};
    EXPECT_EQ(RoundTrip(c, used), "") << Describe(c);
}

TEST(EngineRoundTrip, SixteenSymbolsOfOneCharacterEachDecode)
{
    const Case c{"ABCDEFGHIJKLMNOP", 16, 0, TAVOQRENC_LEVEL_H, 1, nubora::corpus::TextKind::Alphanumeric};
    QrEncodeParams used{};
    EXPECT_EQ(RoundTrip(c, used), "") << Describe(c);
    EXPECT_EQ(used.version, 1);
}

// Longest prefix (in characters) of `text` that `fits` accepts, by bisection;
// `fits` must be monotonic. Kanji characters are two bytes.
template <typename Fits>
int LongestFitting(const std::string& text, int charBytes, Fits fits)
{
    int lo = 0;
    int hi = static_cast<int>(text.size()) / charBytes;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (fits(text.substr(0, static_cast<size_t>(mid * charBytes))))
            lo = mid;
        else
            hi = mid - 1;
    }
    return lo;
}

bool EngineFits(const std::string& text, int32_t version, int32_t level)
{
    Symbols out;
    QrEncodeParams params{version, level};
    const bool fits = TavoQREnc_QrEncode(text.c_str(), static_cast<int32_t>(text.size()), 1, &out.array, &params) ==
                      TAVOQRENC_OK;
    out.count = fits ? 1 : 0;
    return fits;
}

bool LibqrencodeFits(const std::string& text, int32_t version, int32_t level)
{
    static constexpr std::array<QRecLevel, 5> kLevels = {QR_ECLEVEL_M, QR_ECLEVEL_L, QR_ECLEVEL_M, QR_ECLEVEL_Q,
                                                         QR_ECLEVEL_H};
    // libqrencode takes the version as a minimum and grows the symbol as needed.
    QRcode* code = QRcode_encodeString(text.c_str(), version, kLevels[static_cast<size_t>(level)], QR_MODE_KANJI, 1);
    const bool fits = code != nullptr && code->version == version;
    QRcode_free(code);
    return fits;
}

TEST(EngineFullestSymbols, HoldAsManyCharactersAsLibqrencodesAndDecode)
{
    using nubora::corpus::TextKind;
    // Texts of one mode only, so that both encoders need exactly the same bits:
    // alphanumeric without digits (a digit run could change mode).
    nubora::corpus::Rng rng(99);
    std::string digits = nubora::corpus::MakeText(rng, TextKind::Numeric, 1300);
    std::string letters;
    for (int i = 0; i < 800; ++i)
        letters += "ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"[rng.Between(0, 34)];
    const std::string bytes = nubora::corpus::MakeText(rng, TextKind::Byte, 560);
    const std::string kanji = nubora::corpus::MakeText(rng, TextKind::Kanji, 350);
    const std::array<std::pair<const std::string*, int>, 4> modes = {
        {{&digits, 1}, {&letters, 1}, {&bytes, 1}, {&kanji, 2}}};

    // Version 1's capacities by mode (digits, alphanumeric, bytes, Kanji) and
    // level L, M, Q, H, as every QR Code reference lists them.
    constexpr std::array<std::array<int, 4>, 4> kVersion1 = {
        {{41, 25, 17, 10}, {34, 20, 14, 8}, {27, 16, 11, 7}, {17, 10, 7, 4}}};

    for (int32_t version = 1; version <= 15; ++version) {
        for (int32_t level = 1; level <= 4; ++level) {
            for (size_t mode = 0; mode < modes.size(); ++mode) {
                const auto& [text, charBytes] = modes[mode];
                const int ours = LongestFitting(*text, charBytes,
                                                [&](const std::string& t) { return EngineFits(t, version, level); });
                const int theirs = LongestFitting(
                    *text, charBytes, [&](const std::string& t) { return LibqrencodeFits(t, version, level); });
                const std::string fullest = text->substr(0, static_cast<size_t>(ours * charBytes));
                SCOPED_TRACE(testing::Message() << "version " << version << " level " << level << ", " << fullest.size()
                                                << " bytes: " << Printable(fullest.substr(0, 12)));
                EXPECT_EQ(ours, theirs);
                if (version == 1) {
                    EXPECT_EQ(ours, kVersion1[static_cast<size_t>(level - 1)][mode]);
                }
                if (charBytes == 2) {
                    const int32_t versionLevel[2] = {version, level};
                    EXPECT_EQ(ours, TavoQREnc_GetAvailableLength(versionLevel));
                }
                QrEncodeParams used{};
                EXPECT_EQ(RoundTrip(Case{fullest, 1, version, level, version, TextKind::Mixed}, used), "");
            }
        }
    }
}

class EngineCorpus : public testing::TestWithParam<int> {};

TEST_P(EngineCorpus, EverySymbolDecodesToItsTextWithBothPeers)
{
    const std::vector<Case>& corpus = Corpus();
    int checked = 0;
    int failed = 0;
    for (size_t i = static_cast<size_t>(GetParam()); i < corpus.size(); i += kShards) {
        QrEncodeParams used{};
        const std::string problem = RoundTrip(corpus[i], used);
        ++checked;
        if (problem.empty())
            continue;
        // Report the first few in full; the rest only count.
        if (++failed <= 10)
            ADD_FAILURE() << "case " << i << ": " << problem << "\n  " << Describe(corpus[i]);
    }
    EXPECT_EQ(failed, 0) << "of " << checked << " texts";
}

INSTANTIATE_TEST_SUITE_P(Shard, EngineCorpus, testing::Range(0, kShards));

TEST(EngineCorpusCoverage, ReachesEveryVersionLevelAndSymbolCount)
{
    const std::vector<Case>& corpus = Corpus();
    std::array<std::array<int, 5>, 16> singles{};
    std::array<int, 17> splits{};
    int symbols = 0;
    for (const Case& c : corpus) {
        Symbols out;
        QrEncodeParams used{c.version, c.level};
        if (TavoQREnc_QrEncode(c.text.c_str(), static_cast<int32_t>(c.text.size()), c.symbolCount, &out.array, &used) !=
            TAVOQRENC_OK)
            continue;  // reported by the round trips
        out.count = c.symbolCount;
        symbols += c.symbolCount;
        if (c.symbolCount == 1)
            ++singles[static_cast<size_t>(used.version)][static_cast<size_t>(used.level)];
        else
            ++splits[static_cast<size_t>(c.symbolCount)];
    }
    for (int v = 1; v <= 15; ++v)
        for (int l = 1; l <= 4; ++l)
            EXPECT_GT(singles[v][l], 0) << "no single symbol at " << v << "-" << l;
    for (int n = 2; n <= 16; ++n)
        EXPECT_GT(splits[n], 0) << "no sequence of " << n;
    std::printf("corpus: %zu texts, %d symbols\n", corpus.size(), symbols);
    RecordProperty("texts", static_cast<int>(corpus.size()));
    RecordProperty("symbols", symbols);
}

}  // namespace
