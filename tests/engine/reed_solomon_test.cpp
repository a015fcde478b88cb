#include "reed_solomon.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "symbol_fixture.h"

namespace tavoqr {
namespace {

using test::SymbolContext;

constexpr int32_t kEcCounts[] = {7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30};

// A second coder, sharing nothing with the engine's: field multiplication by
// shift and reduce, the generator multiplied out, plain long division.
uint8_t SlowMultiply(uint8_t a, uint8_t b)
{
    uint32_t product = 0;
    for (uint32_t x = a, y = b; y != 0; y >>= 1, x <<= 1) {
        if (y & 1)
            product ^= x;
    }
    for (int bit = 14; bit >= 8; --bit) {
        if (product & (1U << bit))
            product ^= 0x11DU << (bit - 8);
    }
    return static_cast<uint8_t>(product);
}

std::vector<uint8_t> SlowGenerator(int32_t n)
{
    std::vector<uint8_t> g = {1};  // highest power first
    uint8_t root = 1;
    for (int32_t i = 0; i < n; ++i) {
        std::vector<uint8_t> next(g.size() + 1, 0);
        for (size_t j = 0; j < g.size(); ++j) {
            next[j] ^= g[j];
            next[j + 1] ^= SlowMultiply(g[j], root);
        }
        g = next;
        root = SlowMultiply(root, 2);
    }
    return g;
}

std::vector<uint8_t> SlowRemainder(const std::vector<uint8_t>& data, int32_t e)
{
    const std::vector<uint8_t> g = SlowGenerator(e);
    std::vector<uint8_t> work(data);
    work.resize(data.size() + static_cast<size_t>(e), 0);
    for (size_t i = 0; i < data.size(); ++i) {
        const uint8_t c = work[i];
        for (size_t j = 0; j < g.size(); ++j)
            work[i + j] ^= SlowMultiply(g[j], c);
    }
    return {work.end() - e, work.end()};
}

std::vector<uint8_t> Ec(const std::vector<uint8_t>& data, int32_t e)
{
    std::vector<uint8_t> out(static_cast<size_t>(e), 0xAA);
    EXPECT_EQ(ComputeBlockEc(data.data(), static_cast<int32_t>(data.size()), e, out.data()), Status::kOk);
    return out;
}

TEST(ReedSolomon, FieldTablesAreInverse)
{
    EXPECT_EQ(kAntilog[0], 1);
    EXPECT_EQ(kAntilog[255], 1);
    for (int v = 1; v < 256; ++v)
        EXPECT_EQ(kAntilog[kLog[v]], v) << v;
    uint8_t power = 1;
    for (size_t i = 0; i < kAntilog.size(); ++i) {
        EXPECT_EQ(kAntilog[i], power) << i;
        power = SlowMultiply(power, 2);
    }
}

TEST(ReedSolomon, GeneratorOfSevenIsTheKnownRow)
{
    const std::span<const uint8_t> g = GeneratorExponents(7);
    const std::vector<uint8_t> want = {0, 87, 229, 146, 149, 238, 102, 21};
    EXPECT_EQ(std::vector<uint8_t>(g.begin(), g.end()), want);
}

TEST(ReedSolomon, EveryGeneratorRowMatchesTheProductOfItsFactors)
{
    for (const int32_t n : kEcCounts) {
        const std::span<const uint8_t> g = GeneratorExponents(n);
        ASSERT_EQ(g.size(), static_cast<size_t>(n) + 1) << n;
        const std::vector<uint8_t> slow = SlowGenerator(n);
        for (size_t j = 0; j < g.size(); ++j)
            EXPECT_EQ(kAntilog[g[j]], slow[j]) << n << " " << j;
    }
}

TEST(ReedSolomon, CountsWithoutAGeneratorAreRefused)
{
    for (const int32_t n : {0, 1, 6, 8, 14, 19, 29, 31, 68})
        EXPECT_TRUE(GeneratorExponents(n).empty()) << n;
    const uint8_t data[4] = {1, 2, 3, 4};
    uint8_t out[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(ComputeBlockEc(data, 4, 8, out), Status::kBadArgument);
    EXPECT_EQ(out[0], 9);
}

TEST(ReedSolomon, StandardExample01234567At1M)
{
    const std::vector<uint8_t> data = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                       0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
    const std::vector<uint8_t> want = {0xA5, 0x24, 0xD4, 0xC1, 0xED, 0x36, 0xC7, 0x87, 0x2C, 0x55};
    EXPECT_EQ(Ec(data, 10), want);
    EXPECT_EQ(SlowRemainder(data, 10), want);

    // The same through the context: the one block of 1-M gets them at kmax.
    QrEncodeContext ctx = SymbolContext(1, kLevelM);
    ASSERT_EQ(ctx.blocks.count, 1);
    ASSERT_EQ(ctx.blocks.kmax, 16);
    std::copy(data.begin(), data.end(), ctx.blockStorage.begin());
    ASSERT_EQ(ComputeErrorCorrection(ctx), Status::kOk);
    EXPECT_EQ(std::vector<uint8_t>(ctx.blockStorage.begin() + 16, ctx.blockStorage.begin() + 26), want);
}

TEST(ReedSolomon, AgreesWithASecondCoderOnRandomBlocks)
{
    std::mt19937 rng(20240611);
    for (const int32_t e : kEcCounts) {
        for (int round = 0; round < 40; ++round) {
            std::vector<uint8_t> data(1 + rng() % 123);
            for (uint8_t& b : data)
                b = static_cast<uint8_t>(rng());
            ASSERT_EQ(Ec(data, e), SlowRemainder(data, e)) << "e " << e << " k " << data.size();
        }
    }
}

TEST(ReedSolomon, LeadingZeroDataGivesTheLongDivisionResult)
{
    std::mt19937 rng(5);
    for (const int32_t e : kEcCounts) {
        std::vector<uint8_t> data(40, 0);
        for (size_t i = 25; i < data.size(); ++i)
            data[i] = static_cast<uint8_t>(rng());
        EXPECT_EQ(Ec(data, e), SlowRemainder(data, e)) << e;
    }
}

TEST(ReedSolomon, AllZeroDataGivesAllZeroCodewords)
{
    for (const int32_t e : kEcCounts) {
        EXPECT_EQ(Ec(std::vector<uint8_t>(30, 0), e), std::vector<uint8_t>(static_cast<size_t>(e), 0)) << e;
    }
}

TEST(ReedSolomon, ARemainderThatBeginsWithZerosKeepsThem)
{
    // Search a block whose remainder starts with two zero bytes.
    std::mt19937 rng(77);
    std::vector<uint8_t> data(16);
    std::vector<uint8_t> ec;
    bool found = false;
    for (int tries = 0; tries < 2000000 && !found; ++tries) {
        for (uint8_t& b : data)
            b = static_cast<uint8_t>(rng());
        ec.assign(10, 0);
        ASSERT_EQ(ComputeBlockEc(data.data(), 16, 10, ec.data()), Status::kOk);
        found = ec[0] == 0 && ec[1] == 0;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(ec, SlowRemainder(data, 10));
}

TEST(ReedSolomon, EveryBlockOfEverySymbolIsFilled)
{
    for (int32_t version = 1; version <= kMaxVersion; ++version) {
        for (int32_t level = kLevelL; level <= kLevelH; ++level) {
            QrEncodeContext ctx = SymbolContext(version, level, static_cast<uint32_t>(version * 4 + level));
            ASSERT_EQ(ComputeErrorCorrection(ctx), Status::kOk) << version << "-" << level;
            for (int32_t b = 0; b < ctx.blocks.count; ++b) {
                const uint8_t* buffer = ctx.blockStorage.data() + ctx.blocks.offset[b];
                const std::vector<uint8_t> data(buffer, buffer + ctx.blocks.dataCount[b]);
                const uint8_t* ec = buffer + ctx.blocks.kmax;
                ASSERT_EQ(std::vector<uint8_t>(ec, ec + ctx.blocks.ecCount[b]),
                          SlowRemainder(data, ctx.blocks.ecCount[b]))
                    << version << "-" << level << " block " << b;
            }
        }
    }
}

// The stream as (block, position) pairs, read once with the block number
// and once with the position in every buffer slot.
std::vector<std::pair<int32_t, int32_t>> StreamSlots(QrEncodeContext& ctx)
{
    std::vector<std::pair<int32_t, int32_t>> slots;
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t b = 0; b < ctx.blocks.count; ++b) {
            for (int32_t p = 0; p < ctx.blocks.kmax + ctx.blocks.ecCount[b]; ++p)
                ctx.blockStorage[static_cast<size_t>(ctx.blocks.offset[b] + p)] = static_cast<uint8_t>(pass == 0 ? b
                                                                                                                 : p);
        }
        QrCodewordStream stream(ctx.blocks, ctx.blockStorage.data());
        slots.resize(static_cast<size_t>(stream.Length()));
        for (int32_t a = 0; a < stream.Length(); ++a) {
            const uint8_t v = stream.Next(a);
            (pass == 0 ? slots[static_cast<size_t>(a)].first : slots[static_cast<size_t>(a)].second) = v;
        }
    }
    return slots;
}

TEST(Interleaving, OneBlockIsReadStraight)
{
    QrEncodeContext ctx = SymbolContext(1, kLevelH);
    const auto slots = StreamSlots(ctx);
    ASSERT_EQ(slots.size(), 26U);
    for (int32_t a = 0; a < 26; ++a)
        EXPECT_EQ(slots[static_cast<size_t>(a)], std::make_pair(0, a)) << a;
}

TEST(Interleaving, Version7QHasTwoGroups)
{
    QrEncodeContext ctx = SymbolContext(7, kLevelQ);
    ASSERT_EQ(ctx.blocks.count, 6);
    const auto slots = StreamSlots(ctx);
    ASSERT_EQ(slots.size(), 196U);
    std::vector<std::pair<int32_t, int32_t>> want;
    for (int32_t p = 0; p < 14; ++p)
        for (int32_t b = 0; b < 6; ++b)
            want.emplace_back(b, p);
    for (int32_t b = 2; b < 6; ++b)
        want.emplace_back(b, 14);  // only the longer blocks
    for (int32_t p = 15; p < 15 + 18; ++p)
        for (int32_t b = 0; b < 6; ++b)
            want.emplace_back(b, p);
    EXPECT_EQ(slots, want);
    EXPECT_EQ(slots[84], std::make_pair(2, 14));
    EXPECT_EQ(slots[88], std::make_pair(0, 15));  // error correction starts with block 0
}

TEST(Interleaving, Version10MHasOneLongBlock)
{
    QrEncodeContext ctx = SymbolContext(10, kLevelM);
    ASSERT_EQ(ctx.blocks.count, 5);
    const auto slots = StreamSlots(ctx);
    ASSERT_EQ(slots.size(), 346U);
    std::vector<std::pair<int32_t, int32_t>> want;
    for (int32_t p = 0; p < 43; ++p)
        for (int32_t b = 0; b < 5; ++b)
            want.emplace_back(b, p);
    want.emplace_back(4, 43);
    for (int32_t p = 44; p < 44 + 26; ++p)
        for (int32_t b = 0; b < 5; ++b)
            want.emplace_back(b, p);
    EXPECT_EQ(slots, want);
}

TEST(Interleaving, StreamLengthIsTheTotalCodewordsOfEveryVersion)
{
    for (int32_t version = 1; version <= kMaxVersion; ++version) {
        for (int32_t level = kLevelL; level <= kLevelH; ++level) {
            const QrEncodeContext ctx = SymbolContext(version, level);
            const QrVersionRow* row = FindVersionRow(version, level);
            const int32_t total = row->blocks1 * row->total1 + (row->blocks2 > 0 ? row->blocks2 * row->total2 : 0);
            EXPECT_EQ(QrCodewordStream(ctx.blocks, ctx.blockStorage.data()).Length(), total) << version << "-" << level;
        }
    }
}

}  // namespace
}  // namespace tavoqr
