#include "tables.h"

#include <array>

namespace tavoqr {
namespace {

constexpr std::array<QrVersionRow, 160> kVersionTable = {{
#include "version_table.inc"
}};

}  // namespace

std::span<const QrVersionRow> VersionTable() noexcept { return kVersionTable; }

const QrVersionRow* FindVersionRow(int32_t version, int32_t level) noexcept
{
    if (version < kMinVersion || version > kMaxVersion || level < kLevelL || level > kLevelH)
        return nullptr;
    return &kVersionTable[static_cast<size_t>((version - 1) * 4 + (level - 1))];
}

Result<int32_t> CountIndicatorWidth(int32_t mode, int32_t version) noexcept
{
    // ISO/IEC 18004 Table 3, by version range 1-9, 10-26, 27-40.
    if (version < kMinVersion || version > kMaxVersion)
        return Status::kBadArgument;
    const int range = version <= 9 ? 0 : version <= 26 ? 1 : 2;
    switch (mode) {
    case 1: return std::array{10, 12, 14}[range];
    case 2: return std::array{9, 11, 13}[range];
    case 4: return std::array{8, 16, 16}[range];
    case 8: return std::array{8, 10, 12}[range];
    default: return Status::kBadArgument;
    }
}

QrSymbolSpec MakeSymbolSpec(const QrVersionRow& row) noexcept
{
    QrSymbolSpec symbol{};
    symbol.size = 4 * row.version + 17;
    symbol.version = row.version;
    symbol.level = row.level;
    symbol.dataCodewords = row.dataCodewords;
    symbol.ecCodewordsPerBlock = row.total1 - row.data1;
    symbol.reserved = 0;
    symbol.group1 = row.blocks1 >= 1 ? PackBlockGroup(row.blocks1, row.total1, row.data1, row.correctable1) : 0;
    symbol.group2 = row.blocks2 >= 1 ? PackBlockGroup(row.blocks2, row.total2, row.data2, row.correctable2) : 0;
    return symbol;
}

}  // namespace tavoqr
