#include "support/kelFixedText.h"

#include <gtest/gtest.h>

TEST(kelFixedTextTest, EndsAtTheFirstZeroOrAtTheFieldsEnd)
{
    const wchar_t terminated[8] = L"abc";
    const wchar_t full[3] = {L'x', L'y', L'z'};
    const wchar_t empty[4] = {};
    EXPECT_EQ(kelFixedText(terminated), L"abc");
    EXPECT_EQ(kelFixedText(full), L"xyz") << "a field filled to its end has no zero to stop at";
    EXPECT_EQ(kelFixedText(empty), L"");
}
