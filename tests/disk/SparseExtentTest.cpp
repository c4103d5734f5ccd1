// SPDX-License-Identifier: MIT
// The hosted sparse extent layout and header bytes.
#include "disk/SparseExtent.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace zentravolix::disk;

namespace {
std::uint64_t Le(const std::uint8_t* p, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}
} // namespace

TEST(SparseLayout, FullSplitPieceMatchesTheLayoutQemuAccepts)
{
    const SparseLayout l = PlanSparseExtent(4192256, 0);
    EXPECT_EQ(l.grainTables, 64u);
    EXPECT_EQ(l.directorySectors, 1u);
    EXPECT_EQ(l.rgdOffset, 1u);
    EXPECT_EQ(l.gdOffset, 258u);
    EXPECT_EQ(l.overHead, 640u);
    EXPECT_EQ(l.fileBytes(), 327680u);
}

TEST(SparseLayout, LastPieceOf950GiBAndEmbeddedDescriptor)
{
    const SparseLayout last = PlanSparseExtent(972800, 0);
    EXPECT_EQ(last.grainTables, 15u);
    EXPECT_EQ(last.gdOffset, 62u);
    EXPECT_EQ(last.overHead, 128u);
    // A partial grain still needs its table entry.
    EXPECT_EQ(PlanSparseExtent(128 * 512 + 1, 0).grainTables, 2u);
    const SparseLayout mono = PlanSparseExtent(1992294400, 20);
    EXPECT_EQ(mono.descriptorOffset, 1u);
    EXPECT_EQ(mono.rgdOffset, 21u);
    EXPECT_EQ(mono.grainTables, 30400u);
    EXPECT_EQ(mono.directorySectors, 238u);
    EXPECT_EQ(mono.gdOffset, 21u + 238u + 30400u * 4u);
    EXPECT_EQ(mono.overHead % 128, 0u);
    EXPECT_GE(mono.overHead, mono.gdOffset + 238u + 30400u * 4u);
}

TEST(SparseHeader, FieldsAtTheirOffsets)
{
    const SparseLayout l = PlanSparseExtent(4192256, 0);
    const auto h = SparseHeader(l);
    EXPECT_EQ(std::memcmp(h.data(), "KDMV", 4), 0);
    EXPECT_EQ(Le(&h[4], 4), 1u);
    EXPECT_EQ(Le(&h[8], 4), 3u);
    EXPECT_EQ(Le(&h[12], 8), 4192256u);
    EXPECT_EQ(Le(&h[20], 8), 128u);
    EXPECT_EQ(Le(&h[28], 8), 0u);
    EXPECT_EQ(Le(&h[36], 8), 0u);
    EXPECT_EQ(Le(&h[44], 4), 512u);
    EXPECT_EQ(Le(&h[48], 8), 1u);
    EXPECT_EQ(Le(&h[56], 8), 258u);
    EXPECT_EQ(Le(&h[64], 8), 640u);
    EXPECT_EQ(h[72], 0);
    EXPECT_EQ(std::memcmp(&h[73], "\n \r\n", 4), 0);
    for (std::size_t i = 77; i < h.size(); ++i)
        ASSERT_EQ(h[i], 0) << i;
    const SparseHeaderInfo back = ParseSparseHeader(h.data(), h.size());
    EXPECT_TRUE(back.valid);
    EXPECT_EQ(back.capacity, 4192256u);
    EXPECT_FALSE(ParseSparseHeader(h.data(), 10).valid);
}

TEST(GrainDirectory, EntriesPointToConsecutiveTables)
{
    const SparseLayout l = PlanSparseExtent(4192256, 0);
    const auto rgd = GrainDirectory(l, l.rgdOffset + l.directorySectors);
    ASSERT_EQ(rgd.size(), 512u);
    EXPECT_EQ(Le(&rgd[0], 4), 2u);
    EXPECT_EQ(Le(&rgd[63 * 4], 4), 2u + 63u * 4u);
    EXPECT_EQ(Le(&rgd[64 * 4], 4), 0u);
    const auto gd = GrainDirectory(l, l.gdOffset + 1);
    EXPECT_EQ(Le(&gd[0], 4), 259u);
}
