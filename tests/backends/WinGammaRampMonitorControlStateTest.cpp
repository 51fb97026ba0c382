#include "backends/WinGammaRampMonitorControlState.h"
#include "persistence/kelBase64.h"
#include "persistence/kelJson2SerializationStreams.h"

#include <gtest/gtest.h>

namespace {

const std::string coefficientsText = R"("coeffB":"1","coeffG":"1","coeffR":"1","coeffRgb":"1")";

std::string withRamp(const std::string& rampValue)
{
    return "{" + coefficientsText + R"(,"gammaRamp":)" + rampValue + "}";
}

std::string base64Of(std::size_t byteCount)
{
    return kelBase64Encode(std::vector<std::uint8_t>(byteCount, 7));
}

TEST(WinGammaRampMonitorControlState, WritesCoefficientsThatReadBackExactly)
{
    WinGammaRampMonitorControlState state;
    state.coefficients.rgb = 0.29f;
    state.coefficients.channels = {1.0f, 0.50390625f, 0.1953125f};
    EXPECT_EQ(saveToJsonString(state),
              R"({"coeffB":"0.1953125","coeffG":"0.50390625","coeffR":"1","coeffRgb":"0.29"})");
}

TEST(WinGammaRampMonitorControlState, EveryBrightnessAndGainSurvivesTheText)
{
    // Six digits would turn 129 / 256 into 0.503906, whose ramp is another.
    for (int level = 0; level <= 256; ++level) {
        WinGammaRampMonitorControlState written;
        written.coefficients.rgb = static_cast<float>(level) / 100.0f;
        written.coefficients.channels = {static_cast<float>(level) / 256.0f, 0.0f, 1.0f};
        WinGammaRampMonitorControlState read;
        ASSERT_TRUE(loadFromJsonString(read, saveToJsonString(written)));
        ASSERT_EQ(read.coefficients, written.coefficients) << "level " << level;
        EXPECT_FALSE(read.ramp.has_value());
    }
}

TEST(WinGammaRampMonitorControlState, TheRampTravelsAsLittleEndianBase64)
{
    WinGammaRampMonitorControlState written;
    written.ramp.emplace();
    written.ramp->fill(0);
    written.ramp->front() = 0x0102;
    written.ramp->back() = 0xABCD;
    const std::string text = saveToJsonString(written);
    const auto start = text.find(R"("gammaRamp":")");
    ASSERT_NE(start, std::string::npos);
    const std::string ramp = text.substr(start + 13, text.size() - start - 15);
    ASSERT_EQ(ramp.size(), 2048u) << "1536 bytes";
    EXPECT_EQ(ramp.substr(0, 4), "AgEA");
    EXPECT_EQ(ramp.substr(2044), "AM2r");

    WinGammaRampMonitorControlState read;
    ASSERT_TRUE(loadFromJsonString(read, text));
    EXPECT_EQ(read.ramp, written.ramp);
}

TEST(WinGammaRampMonitorControlState, AMissingRampLeavesItEmpty)
{
    WinGammaRampMonitorControlState read;
    read.ramp.emplace();
    ASSERT_TRUE(loadFromJsonString(read, "{" + coefficientsText + "}"));
    EXPECT_FALSE(read.ramp.has_value());
}

class WinGammaRampMonitorControlStateDamaged : public testing::TestWithParam<std::string> {};

TEST_P(WinGammaRampMonitorControlStateDamaged, IsRefusedAsAWhole)
{
    WinGammaRampMonitorControlState read;
    read.coefficients.rgb = 0.25f;
    EXPECT_FALSE(loadFromJsonString(read, GetParam()));
    EXPECT_EQ(read.coefficients.rgb, 0.25f);
    EXPECT_FALSE(read.ramp.has_value());
}

std::string oneCharacterReplaced()
{
    std::string text = base64Of(1536);
    text[100] = '*';
    return withRamp('"' + text + '"');
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WinGammaRampMonitorControlStateDamaged,
    testing::Values(R"({"coeffB":"1","coeffR":"1","coeffRgb":"1"})", // no coeffG
                    R"({"coeffB":"1","coeffG":"1","coeffR":"-1","coeffRgb":"1"})",
                    R"({"coeffB":"nan","coeffG":"1","coeffR":"1","coeffRgb":"1"})",
                    R"({"coeffB":"1","coeffG":"1","coeffR":"1","coeffRgb":"inf"})",
                    R"({"coeffB":"1","coeffG":"1","coeffR":"1","coeffRgb":"1e39"})",
                    R"({"coeffB":"1","coeffG":"","coeffR":"1","coeffRgb":"1"})",
                    oneCharacterReplaced(),
                    withRamp('"' + base64Of(1534) + '"'),   // one entry short
                    withRamp('"' + base64Of(1538) + '"'),   // one entry too many
                    withRamp('"' + base64Of(1536) + "\\n\""), // a line break after it
                    withRamp(R"("")"), withRamp("1536")));

} // namespace
