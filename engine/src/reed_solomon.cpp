#include "reed_solomon.h"

#include <cassert>

namespace tavoqr {
namespace {

constexpr uint8_t Multiply(uint8_t a, uint8_t b) { return a == 0 || b == 0 ? 0 : kAntilog[kLog[a] + kLog[b]]; }

// One generator row: the error correction count n and n + 1 exponents.
struct GeneratorRow {
    int32_t count;
    std::array<uint8_t, kMaxEcCodewords + 1> exponents;
};

// g_n(x) multiplied out factor by factor, then turned into exponents. Runs
// at compile time only.
constexpr GeneratorRow MakeGenerator(int32_t n)
{
    std::array<uint8_t, kMaxEcCodewords + 1> coefficients{};  // highest power first
    coefficients[0] = 1;
    for (int32_t i = 0; i < n; ++i) {
        // Multiply by (x - α^i); subtraction is XOR.
        const uint8_t root = kAntilog[static_cast<size_t>(i)];
        for (int32_t j = i + 1; j >= 1; --j) {
            coefficients[static_cast<size_t>(j)] = static_cast<uint8_t>(
                coefficients[static_cast<size_t>(j)] ^ Multiply(coefficients[static_cast<size_t>(j - 1)], root));
        }
    }
    GeneratorRow row{n, {}};
    for (int32_t j = 0; j <= n; ++j) {
        const uint8_t c = coefficients[static_cast<size_t>(j)];
        if (c == 0)
            throw "a generator coefficient is zero";  // stops the compilation
        row.exponents[static_cast<size_t>(j)] = kLog[c];
    }
    return row;
}

// The error correction counts of ISO/IEC 18004 Table 9, versions 1..40.
constexpr std::array<GeneratorRow, 13> kGenerators = {
    MakeGenerator(7),  MakeGenerator(10), MakeGenerator(13), MakeGenerator(15), MakeGenerator(16),
    MakeGenerator(17), MakeGenerator(18), MakeGenerator(20), MakeGenerator(22), MakeGenerator(24),
    MakeGenerator(26), MakeGenerator(28), MakeGenerator(30),
};

// ISO/IEC 18004 Annex A gives g_7 as α^0 x^7 + α^87 x^6 + ... + α^21.
static_assert(kGenerators[0].exponents[0] == 0 && kGenerators[0].exponents[1] == 87 &&
              kGenerators[0].exponents[2] == 229 && kGenerators[0].exponents[3] == 146 &&
              kGenerators[0].exponents[4] == 149 && kGenerators[0].exponents[5] == 238 &&
              kGenerators[0].exponents[6] == 102 && kGenerators[0].exponents[7] == 21);
static_assert(kAntilog[255] == 1 && kAntilog[8] == 0x1D && kLog[2] == 1);

}  // namespace

std::span<const uint8_t> GeneratorExponents(int32_t ecCount) noexcept
{
    for (const GeneratorRow& row : kGenerators) {
        if (row.count == ecCount)
            return {row.exponents.data(), static_cast<size_t>(ecCount) + 1};
    }
    return {};
}

Status ComputeBlockEc(const uint8_t* data, int32_t k, int32_t e, uint8_t* out) noexcept
{
    const std::span<const uint8_t> g = GeneratorExponents(e);
    if (g.empty())
        return Status::kBadArgument;
    // The long division with only the running remainder kept: each data
    // codeword enters as the remainder's leading byte shifts out. A zero
    // leading term needs no multiple of g subtracted.
    std::array<uint8_t, kMaxEcCodewords> r{};
    const size_t n = static_cast<size_t>(e);
    for (int32_t i = 0; i < k; ++i) {
        const uint8_t lead = static_cast<uint8_t>(data[i] ^ r[0]);
        if (lead == 0) {
            for (size_t j = 0; j + 1 < n; ++j)
                r[j] = r[j + 1];
            r[n - 1] = 0;
            continue;
        }
        const uint32_t logLead = kLog[lead];
        for (size_t j = 0; j + 1 < n; ++j)
            r[j] = static_cast<uint8_t>(r[j + 1] ^ kAntilog[logLead + g[j + 1]]);
        r[n - 1] = kAntilog[logLead + g[n]];
    }
    for (size_t j = 0; j < n; ++j)
        out[j] = r[j];
    return Status::kOk;
}

Status ComputeErrorCorrection(QrEncodeContext& ctx) noexcept
{
    const QrBlockLayout& blocks = ctx.blocks;
    for (int32_t b = 0; b < blocks.count; ++b) {
        const int32_t k = blocks.dataCount[b];
        const int32_t e = blocks.ecCount[b];
        assert(blocks.kmax <= k + 1);  // the buffer holds k + e + 1 bytes
        uint8_t* buffer = ctx.blockStorage.data() + blocks.offset[b];
        if (const Status s = ComputeBlockEc(buffer, k, e, buffer + blocks.kmax); s != Status::kOk)
            return s;
    }
    return Status::kOk;
}

int32_t QrCodewordStream::Length() const noexcept
{
    int32_t total = 0;
    for (int32_t b = 0; b < layout_.count; ++b)
        total += layout_.dataCount[b] + layout_.ecCount[b];
    return total;
}

uint8_t QrCodewordStream::Next(int32_t a) noexcept
{
    const int32_t n = layout_.count;
    int32_t v = a + skip_;
    int32_t block = v % n;
    int32_t position = v / n;
    // In the last data column only the longer blocks have a codeword.
    while (position < layout_.kmax && layout_.dataCount[block] <= position) {
        ++skip_;
        ++v;
        block = v % n;
        position = v / n;
    }
    return storage_[layout_.offset[block] + position];
}

}  // namespace tavoqr
