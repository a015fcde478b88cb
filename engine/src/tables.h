// The symbol version table and the lookups that every size decision reads.
#pragma once

#include <cstdint>
#include <span>

#include "status.h"

namespace tavoqr {

// Levels in the engine's coding.
inline constexpr int32_t kLevelL = 1;
inline constexpr int32_t kLevelM = 2;
inline constexpr int32_t kLevelQ = 3;
inline constexpr int32_t kLevelH = 4;

inline constexpr int32_t kMinVersion = 1;
inline constexpr int32_t kMaxVersion = 40;        // the table's reach
inline constexpr int32_t kMaxEncodeVersion = 15;  // the largest symbol the encode calls make
inline constexpr int32_t kMaxBlocks = 81;         // 40-H: 20 + 61 blocks

// One row of ISO/IEC 18004 Tables 7 and 9 for a version and level. Group 1
// holds the shorter blocks; a missing group 2 has blocks2 = 0 and -1 elsewhere.
struct QrVersionRow {
    int32_t version;  // 1..40
    int32_t level;    // 1 = L, 2 = M, 3 = Q, 4 = H
    int32_t dataCodewords;
    int32_t blocks1, total1, data1, correctable1;
    int32_t blocks2, total2, data2, correctable2;
    int32_t alnumCapacity, byteCapacity, kanjiCapacity;  // characters
};

// All 160 rows, ordered by version then level: index (version - 1) * 4 + (level - 1).
std::span<const QrVersionRow> VersionTable() noexcept;

// The row of (version 1..40, level 1..4), or nullptr outside those ranges.
const QrVersionRow* FindVersionRow(int32_t version, int32_t level) noexcept;

// Level 0 is the default, M; every other value is returned unchanged.
constexpr int32_t NormalizeLevel(int32_t level) noexcept { return level == 0 ? kLevelM : level; }

// Width in bits of the character count indicator of `mode` (1, 2, 4 or 8) at
// `version` (1..40); Status::kBadArgument for any other mode or version.
Result<int32_t> CountIndicatorWidth(int32_t mode, int32_t version) noexcept;

// One block group packed as bits 31..24 blocks, 23..16 codewords per block,
// 15..8 data codewords per block, 7..0 correctable codewords (each mod 256).
using QrBlockGroup = uint32_t;

constexpr QrBlockGroup PackBlockGroup(int32_t blocks, int32_t total, int32_t data, int32_t correctable) noexcept
{
    return (static_cast<uint32_t>(blocks & 0xFF) << 24) | (static_cast<uint32_t>(total & 0xFF) << 16) |
           (static_cast<uint32_t>(data & 0xFF) << 8) | static_cast<uint32_t>(correctable & 0xFF);
}
constexpr int32_t GroupBlocks(QrBlockGroup g) noexcept { return static_cast<int32_t>(g >> 24); }
constexpr int32_t GroupTotal(QrBlockGroup g) noexcept { return static_cast<int32_t>((g >> 16) & 0xFF); }
constexpr int32_t GroupData(QrBlockGroup g) noexcept { return static_cast<int32_t>((g >> 8) & 0xFF); }
constexpr int32_t GroupCorrectable(QrBlockGroup g) noexcept { return static_cast<int32_t>(g & 0xFF); }

// The symbol chosen for an encode call, or (with only version and level set)
// the request for a choice.
struct QrSymbolSpec {
    int32_t size;     // modules per side, 4 * version + 17
    int32_t version;  // 1..40
    int32_t level;    // 1..4
    int32_t dataCodewords;
    int32_t ecCodewordsPerBlock;  // same for both groups
    int32_t reserved;             // always 0
    QrBlockGroup group1;          // 0 if none
    QrBlockGroup group2;          // 0 if the symbol has one group
};

// The symbol description of a table row.
QrSymbolSpec MakeSymbolSpec(const QrVersionRow& row) noexcept;

}  // namespace tavoqr
