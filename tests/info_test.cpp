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

namespace {

// The copy as defined: 8-byte blocks moving forward, each its word at offset
// 0 then its word at offset 4, then the rest byte by byte; nothing for counts
// below 1.
void forward_block_copy(uint8_t* d, const uint8_t* s, int32_t count)
{
    int32_t i = 0;
    for (; count >= 8 && i < count - count % 8; i += 4) {
        uint8_t word[4];
        std::memcpy(word, s + i, 4);
        std::memcpy(d + i, word, 4);
    }
    for (; i < count; ++i) d[i] = s[i];
}

}  // namespace

TEST(CopyMemory, MatchesTheForwardBlockCopyForEveryOverlap)
{
    for (int32_t count : {0, -5, 1, 7, 8, 13, 16, 19, 29, 63, 64, 65})
        for (int shift = -9; shift <= 9; ++shift) {
            std::vector<uint8_t> got(100), want;
            std::iota(got.begin(), got.end(), 1);
            want = got;
            CopyMemoryC(got.data() + 20 + shift, got.data() + 20, count);
            forward_block_copy(want.data() + 20 + shift, want.data() + 20, count);
            ASSERT_EQ(got, want) << "count " << count << " destination " << shift << " from the source";
        }
    // Not a move: one byte up, each block's second word is read after its
    // first word has been written.
    std::vector<uint8_t> buf(24);
    std::iota(buf.begin(), buf.end(), 0);
    CopyMemoryC(buf.data() + 1, buf.data(), 16);
    EXPECT_EQ(std::vector<uint8_t>(buf.begin(), buf.begin() + 9), std::vector<uint8_t>({0, 0, 1, 2, 3, 3, 5, 6, 7}));
}
