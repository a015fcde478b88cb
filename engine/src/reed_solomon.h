// Reed–Solomon error correction over GF(256) and the interleaved codeword
// stream that the module placement reads.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "context.h"
#include "status.h"

namespace tavoqr {

// GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1 (0x11D), α = 2.
inline constexpr uint32_t kFieldPolynomial = 0x11D;

// α^i for i = 0..509: the antilog table, written out twice over so that the
// sum of two logarithms (each 0..254) indexes it without a reduction mod 255.
// Entry i equals entry i mod 255; entry 255 is 1.
inline constexpr std::array<uint8_t, 510> kAntilog = [] {
    std::array<uint8_t, 510> table{};
    uint32_t value = 1;
    for (size_t i = 0; i < 255; ++i) {
        table[i] = static_cast<uint8_t>(value);
        table[i + 255] = static_cast<uint8_t>(value);
        value <<= 1;
        if (value & 0x100)
            value ^= kFieldPolynomial;
    }
    return table;
}();

// log_α v for v = 1..255 (0..254). Entry 0 is unused and holds 0.
inline constexpr std::array<uint8_t, 256> kLog = [] {
    std::array<uint8_t, 256> table{};
    for (size_t i = 0; i < 255; ++i)
        table[kAntilog[i]] = static_cast<uint8_t>(i);
    return table;
}();

// Largest error correction codeword count of a block.
inline constexpr int32_t kMaxEcCodewords = 30;

// The generator polynomial g_n(x) = (x - α^0)(x - α^1) ... (x - α^(n-1)) for an
// error correction count n, as n + 1 exponents of α from the coefficient of
// x^n (always 0) down to the constant term; empty for a count the version
// table never uses (only 7, 10, 13, 15, 16, 17, 18, 20, 22, 24, 26, 28, 30).
std::span<const uint8_t> GeneratorExponents(int32_t ecCount) noexcept;

// Writes the e error correction codewords of the k data codewords `data`
// (k >= 0) into `out`, highest power first: the remainder of
// data(x) · x^e divided by g_e(x). Returns Status::kOk, or
// Status::kBadArgument when no generator of e codewords exists (then `out` is
// untouched).
Status ComputeBlockEc(const uint8_t* data, int32_t k, int32_t e, uint8_t* out) noexcept;

// Fills every block's error correction codewords, at positions kmax ..
// kmax + e_i - 1 of its buffer in ctx.blockStorage, from its data codewords
// at 0 .. k_i - 1 (ctx.blocks as made by MakeBlockLayout). Allocates nothing.
// Returns Status::kOk, or Status::kBadArgument for an error correction count
// without a generator.
Status ComputeErrorCorrection(QrEncodeContext& ctx) noexcept;

// The codewords of all blocks in transmission order, read one at a time
// straight from the block buffers: the first data codeword of every block in
// block order, then the second, ... (a block without a codeword at a
// position is passed over), then the error correction codewords likewise.
class QrCodewordStream {
public:
    // `layout` and `storage` (its buffers) must outlive the stream.
    QrCodewordStream(const QrBlockLayout& layout, const uint8_t* storage) noexcept : layout_(layout), storage_(storage)
    {
    }

    // Codewords in the stream: the sum of k_i + e_i over all blocks.
    int32_t Length() const noexcept;

    // The codeword at stream index a. Must be called with a = 0, 1, 2, ...,
    // Length() - 1 in this order: it advances the skip counter, the count of
    // (block, position) slots passed over so far.
    uint8_t Next(int32_t a) noexcept;

private:
    const QrBlockLayout& layout_;
    const uint8_t* storage_;
    int32_t skip_ = 0;
};

}  // namespace tavoqr
