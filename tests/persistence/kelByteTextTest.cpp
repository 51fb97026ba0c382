#include "persistence/kelByteText.h"

#include <gtest/gtest.h>

TEST(kelByteTextTest, EveryByteSurvivesTheRoundTrip)
{
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes.push_back(static_cast<char>(value));
    const std::wstring wide = widenBytes(bytes);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0xff], L'\xff') << "bytes widen as unsigned values";
    EXPECT_EQ(narrowBytes(wide), bytes);
}

TEST(kelByteTextTest, ACharacterBeyondOneByteIsRefusedNotCut)
{
    // U+0122 would become 0x22, a quote, if cut to its low byte.
    EXPECT_EQ(narrowBytes(L"{\"a\":\u0122}"), std::nullopt);
    EXPECT_EQ(narrowBytes(L""), std::string());
}
