#include "persistence/kelBase64.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

struct KnownText {
    std::string_view bytes;
    std::string_view text;
};

class kelBase64KnownTexts : public testing::TestWithParam<KnownText> {};

TEST_P(kelBase64KnownTexts, EncodesAndDecodesBothWays)
{
    const auto bytes = bytesOf(GetParam().bytes);
    EXPECT_EQ(kelBase64Encode(bytes), GetParam().text);
    EXPECT_EQ(kelBase64Decode(GetParam().text), bytes);
}

// The test vectors of RFC 4648: every padding length.
INSTANTIATE_TEST_SUITE_P(Rfc4648, kelBase64KnownTexts,
                         testing::Values(KnownText{"", ""}, KnownText{"f", "Zg=="}, KnownText{"fo", "Zm8="},
                                         KnownText{"foo", "Zm9v"}, KnownText{"foob", "Zm9vYg=="},
                                         KnownText{"fooba", "Zm9vYmE="}, KnownText{"foobar", "Zm9vYmFy"}));

TEST(kelBase64, EveryByteValueSurvivesARoundTrip)
{
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), 0);
    const std::string text = kelBase64Encode(bytes);
    EXPECT_EQ(text.substr(text.size() - 12), "+fr7/P3+/w==") << "the last characters of the alphabet are used";
    EXPECT_EQ(kelBase64Decode(text), bytes);
}

class kelBase64Malformed : public testing::TestWithParam<std::string_view> {};

TEST_P(kelBase64Malformed, IsRefused)
{
    EXPECT_FALSE(kelBase64Decode(GetParam()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Texts, kelBase64Malformed,
                         testing::Values("Zg=", "Zm9vY", "Zm9v\n", " Zm9v", "Zg==Zm9v", "Zm=v", "Z===", "====",
                                         "=Zm9", "Zm-_", "Zm9v====", "Zh==", "Zm9=", std::string_view("Zm\0v", 4),
                                         "Zm9\xC3"));

} // namespace
