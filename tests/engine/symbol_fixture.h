// Contexts holding one symbol of a given version and level, for the tests of
// error correction, matrix, masking and bitmap.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "context.h"
#include "matrix.h"
#include "reed_solomon.h"
#include "tables.h"

namespace tavoqr::test {

// A context for (version 1..40, level 1..4) with its block layout and
// seeded random data codewords in every block; no error correction yet.
inline QrEncodeContext SymbolContext(int32_t version, int32_t level, uint32_t seed = 1)
{
    QrEncodeContext ctx;
    const QrVersionRow* row = FindVersionRow(version, level);
    EXPECT_NE(row, nullptr);
    if (row == nullptr)
        return ctx;
    ctx.symbol = MakeSymbolSpec(*row);
    ctx.blocks = MakeBlockLayout(ctx.symbol);
    ctx.blockStorage.assign(static_cast<size_t>(ctx.blocks.storageSize), 0);
    std::mt19937 rng(seed);
    for (int32_t b = 0; b < ctx.blocks.count; ++b) {
        for (int32_t i = 0; i < ctx.blocks.dataCount[b]; ++i) {
            ctx.blockStorage[static_cast<size_t>(ctx.blocks.offset[b] + i)] = static_cast<uint8_t>(rng());
        }
    }
    return ctx;
}

// The same symbol with error correction, function patterns and data placed,
// unmasked and without version information.
inline QrEncodeContext PlacedSymbol(int32_t version, int32_t level, uint32_t seed = 1)
{
    QrEncodeContext ctx = SymbolContext(version, level, seed);
    EXPECT_EQ(ComputeErrorCorrection(ctx), Status::kOk);
    EXPECT_EQ(ClearRaster(ctx), Status::kOk);
    EXPECT_EQ(BuildFunctionPatterns(ctx), Status::kOk);
    EXPECT_EQ(PlaceData(ctx), Status::kOk);
    return ctx;
}

inline uint8_t ModuleAt(const QrEncodeContext& ctx, int32_t x, int32_t y)
{
    return ctx.moduleMap[static_cast<size_t>(y * ctx.side + x)];
}

}  // namespace tavoqr::test
