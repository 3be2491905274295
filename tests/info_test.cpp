// Version query and the forward memory copy.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>
#include <vector>

#include "pixmill.h"

TEST(GetInfo, WritesVersionAndExactlyTheText)
{
    int32_t version = 0;
    char text[40];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(Render_GetInfo(&version, text), 0);
    EXPECT_EQ(version, 100);
    EXPECT_EQ(std::string(text, 35), "Pixmill v1.01 based. Alpha Edition.");
    EXPECT_EQ(text[35], '#');  // no terminating zero is written
}

TEST(CopyMemory, BlockAndTailCounts)
{
    for (int32_t count : {0, -5, 1, 7, 8, 13, 16, 63, 64, 65}) {
        std::vector<uint8_t> src(80), dst(80, 0xEE);
        std::iota(src.begin(), src.end(), 1);
        CopyMemoryC(dst.data(), src.data(), count);
        for (int32_t i = 0; i < 80; ++i)
            ASSERT_EQ(dst[i], i < count ? src[i] : 0xEE) << "count " << count << " byte " << i;
    }
}

TEST(CopyMemory, IsAForwardBlockCopyNotAMove)
{
    // Destination one byte past the source: each block's second word is read
    // after its first word has been written.
    std::vector<uint8_t> buf(24);
    std::iota(buf.begin(), buf.end(), 0);
    CopyMemoryC(buf.data() + 1, buf.data(), 16);
    const uint8_t first_block[] = {0, 0, 1, 2, 3, 3, 5, 6, 7};
    EXPECT_TRUE(std::equal(std::begin(first_block), std::end(first_block), buf.begin()));
    // Second block: bytes 8..15 land at 9..16; byte 8 was rewritten by the
    // first block, byte 12 by this block's first word.
    const uint8_t second_block[] = {7, 9, 10, 11, 11, 13, 14, 15};
    EXPECT_TRUE(std::equal(std::begin(second_block), std::end(second_block), buf.begin() + 9));
    EXPECT_EQ(buf[17], 17);
}

TEST(CopyMemory, OverlapFromAboveBehavesAsAMove)
{
    std::vector<uint8_t> buf(40);
    std::iota(buf.begin(), buf.end(), 0);
    CopyMemoryC(buf.data(), buf.data() + 3, 29);
    for (int i = 0; i < 29; ++i) ASSERT_EQ(buf[i], i + 3);
    EXPECT_EQ(buf[29], 29);
}

TEST(CopyMemory, RepeatsAPatternWhenTheDestinationTrailsClosely)
{
    // Destination 3 bytes ahead, a whole number of blocks and a tail: the tail
    // bytes go one at a time and copy what was just written.
    std::vector<uint8_t> buf(32, 0);
    buf[0] = 1, buf[1] = 2, buf[2] = 3;
    for (int i = 3; i < 32; ++i) buf[i] = static_cast<uint8_t>(100 + i);
    CopyMemoryC(buf.data() + 3, buf.data(), 19);
    // Block 0: word 0 = bytes 0..3 = 1 2 3 103 written at 3..6; word 1 = bytes
    // 4..7 = 2 3 103 107 written at 7..10.
    const uint8_t expect[] = {1, 2, 3, 1, 2, 3, 103, 2, 3, 103, 107};
    EXPECT_TRUE(std::equal(std::begin(expect), std::end(expect), buf.begin()));
}
