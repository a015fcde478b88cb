#include <gtest/gtest.h>

#include <array>

#include "tables.h"

namespace tavoqr {
namespace {

// ISO/IEC 18004 Table 1: total codewords of versions 1..40.
constexpr std::array<int32_t, 40> kTotalCodewords = {26,   44,   70,   100,  134,  172,  196,  242,  292,  346,
                                                     404,  466,  532,  581,  655,  733,  815,  901,  991,  1085,
                                                     1156, 1258, 1364, 1474, 1588, 1706, 1828, 1921, 2051, 2185,
                                                     2323, 2465, 2611, 2761, 2876, 3034, 3196, 3362, 3532, 3706};

TEST(VersionTable, HasOneRowPerVersionAndLevelInIndexOrder)
{
    const auto table = VersionTable();
    ASSERT_EQ(table.size(), 160u);
    for (int32_t v = 1; v <= 40; ++v) {
        for (int32_t l = 1; l <= 4; ++l) {
            const QrVersionRow& row = table[static_cast<size_t>((v - 1) * 4 + (l - 1))];
            EXPECT_EQ(row.version, v);
            EXPECT_EQ(row.level, l);
            EXPECT_EQ(FindVersionRow(v, l), &row);
        }
    }
}

TEST(VersionTable, BlocksAddUpToDataAndTotalCodewordsInEveryRow)
{
    for (const QrVersionRow& row : VersionTable()) {
        SCOPED_TRACE(testing::Message() << row.version << "-" << row.level);
        const int32_t data2 = row.blocks2 == 0 ? 0 : row.blocks2 * row.data2;
        const int32_t total2 = row.blocks2 == 0 ? 0 : row.blocks2 * row.total2;
        EXPECT_EQ(row.dataCodewords, row.blocks1 * row.data1 + data2);
        EXPECT_EQ(row.blocks1 * row.total1 + total2, kTotalCodewords[static_cast<size_t>(row.version - 1)]);
        EXPECT_GE(row.blocks1, 1);
        if (row.blocks2 == 0) {
            EXPECT_EQ(row.total2, -1);
            EXPECT_EQ(row.data2, -1);
            EXPECT_EQ(row.correctable2, -1);
        } else {
            // Group 2 blocks are one data codeword longer, with the same EC count.
            EXPECT_EQ(row.total2, row.total1 + 1);
            EXPECT_EQ(row.data2, row.data1 + 1);
            EXPECT_EQ(row.correctable2, row.correctable1);
        }
        // r is half the EC codewords, less the misdecode protection codewords.
        const int32_t ec = row.total1 - row.data1;
        EXPECT_GE(row.correctable1 * 2, ec - 3);
        EXPECT_LE(row.correctable1 * 2, ec);
    }
}

TEST(VersionTable, LevelsHoldFewerDataCodewordsAsCorrectionGrows)
{
    for (int32_t v = 1; v <= 40; ++v) {
        for (int32_t l = 1; l < 4; ++l) {
            EXPECT_GT(FindVersionRow(v, l)->dataCodewords, FindVersionRow(v, l + 1)->dataCodewords) << v;
        }
    }
}

TEST(VersionTable, CapacitiesAreThoseOfTheDataBits)
{
    for (const QrVersionRow& row : VersionTable()) {
        const int32_t bits = row.dataCodewords * 8;
        const int32_t kanjiWidth = CountIndicatorWidth(8, row.version).value;
        const int32_t byteWidth = CountIndicatorWidth(4, row.version).value;
        EXPECT_EQ(row.kanjiCapacity, (bits - 4 - kanjiWidth) / 13) << row.version << "-" << row.level;
        EXPECT_EQ(row.byteCapacity, (bits - 4 - byteWidth) / 8) << row.version << "-" << row.level;
    }
}

struct RowCase {
    int32_t version, level, data, b1, c1, k1, r1, b2, c2, k2, r2, alnum, byte, kanji;
};

TEST(VersionTable, RepresentativeRowsMatchTheStandard)
{
    const RowCase cases[] = {
        {1, 1, 19, 1, 26, 19, 2, 0, -1, -1, -1, 25, 17, 10},
        {1, 4, 9, 1, 26, 9, 8, 0, -1, -1, -1, 10, 7, 4},
        {3, 3, 34, 2, 35, 17, 9, 0, -1, -1, -1, 47, 32, 20},
        {5, 3, 62, 2, 33, 15, 9, 2, 34, 16, 9, 87, 60, 37},
        {7, 3, 88, 2, 32, 14, 9, 4, 33, 15, 9, 125, 86, 53},
        {10, 2, 216, 4, 69, 43, 13, 1, 70, 44, 13, 311, 213, 131},
        {15, 4, 223, 11, 36, 12, 12, 7, 37, 13, 12, 321, 220, 136},
        {40, 1, 2956, 19, 148, 118, 15, 6, 149, 119, 15, 4296, 2953, 1817},
        {40, 4, 1276, 20, 45, 15, 15, 61, 46, 16, 15, 1852, 1273, 784},
    };
    for (const RowCase& c : cases) {
        const QrVersionRow* row = FindVersionRow(c.version, c.level);
        ASSERT_NE(row, nullptr);
        SCOPED_TRACE(testing::Message() << c.version << "-" << c.level);
        EXPECT_EQ(row->dataCodewords, c.data);
        EXPECT_EQ(row->blocks1, c.b1);
        EXPECT_EQ(row->total1, c.c1);
        EXPECT_EQ(row->data1, c.k1);
        EXPECT_EQ(row->correctable1, c.r1);
        EXPECT_EQ(row->blocks2, c.b2);
        EXPECT_EQ(row->total2, c.c2);
        EXPECT_EQ(row->data2, c.k2);
        EXPECT_EQ(row->correctable2, c.r2);
        EXPECT_EQ(row->alnumCapacity, c.alnum);
        EXPECT_EQ(row->byteCapacity, c.byte);
        EXPECT_EQ(row->kanjiCapacity, c.kanji);
    }
}

TEST(VersionTable, MisdecodeProtectionRowsKeepTheStandardsR)
{
    EXPECT_EQ(FindVersionRow(1, 1)->correctable1, 2);   // 7 EC codewords, p = 3
    EXPECT_EQ(FindVersionRow(1, 2)->correctable1, 4);   // 10, p = 2
    EXPECT_EQ(FindVersionRow(1, 3)->correctable1, 6);   // 13, p = 1
    EXPECT_EQ(FindVersionRow(2, 1)->correctable1, 4);   // 10, p = 2
    EXPECT_EQ(FindVersionRow(3, 1)->correctable1, 7);   // 15, p = 1
    EXPECT_EQ(FindVersionRow(4, 1)->correctable1, 10);  // 20, p = 0
}

TEST(VersionTable, LookupsRejectValuesOutsideTheTable)
{
    EXPECT_EQ(FindVersionRow(0, 1), nullptr);
    EXPECT_EQ(FindVersionRow(41, 1), nullptr);
    EXPECT_EQ(FindVersionRow(1, 0), nullptr);
    EXPECT_EQ(FindVersionRow(1, 5), nullptr);
    EXPECT_EQ(FindVersionRow(-7, -7), nullptr);
}

TEST(CountIndicator, WidthsChangeAtVersions10And27)
{
    const int32_t modes[] = {1, 2, 4, 8};
    const int32_t widths[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};
    const int32_t versions[3][2] = {{1, 9}, {10, 26}, {27, 40}};
    for (int range = 0; range < 3; ++range) {
        for (int m = 0; m < 4; ++m) {
            for (int32_t v : versions[range])
                EXPECT_EQ(CountIndicatorWidth(modes[m], v), widths[range][m]);
        }
    }
    EXPECT_EQ(CountIndicatorWidth(3, 1), Status::kBadArgument);
    EXPECT_EQ(CountIndicatorWidth(1, 0), Status::kBadArgument);
    EXPECT_EQ(CountIndicatorWidth(1, 41), Status::kBadArgument);
}

TEST(SymbolSpec, IsBuiltFromARowWithPackedGroups)
{
    const QrSymbolSpec symbol = MakeSymbolSpec(*FindVersionRow(5, 3));
    EXPECT_EQ(symbol.size, 37);
    EXPECT_EQ(symbol.version, 5);
    EXPECT_EQ(symbol.level, 3);
    EXPECT_EQ(symbol.dataCodewords, 62);
    EXPECT_EQ(symbol.ecCodewordsPerBlock, 18);
    EXPECT_EQ(symbol.reserved, 0);
    EXPECT_EQ(symbol.group1, 0x02210F09u);
    EXPECT_EQ(symbol.group2, 0x02221009u);
    EXPECT_EQ(MakeSymbolSpec(*FindVersionRow(1, 2)).group2, 0u);
    EXPECT_EQ(GroupBlocks(symbol.group2), 2);
    EXPECT_EQ(GroupTotal(symbol.group2), 34);
    EXPECT_EQ(GroupData(symbol.group2), 16);
    EXPECT_EQ(GroupCorrectable(symbol.group2), 9);
}

}  // namespace
}  // namespace tavoqr
