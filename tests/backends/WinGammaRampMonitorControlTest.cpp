#include "backends/WinGammaRampMonitorControl.h"
#include "backends/FakeGammaRampApi.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace {

const std::wstring display = L"\\\\.\\DISPLAY1";
const std::size_t green = gammaRampChannelSize;
const std::size_t blue = 2 * gammaRampChannelSize;

std::uint32_t brightnessOf(MonitorControl& control)
{
    std::uint32_t minimum = 1, current = 0, maximum = 0;
    EXPECT_TRUE(control.getBrightness(minimum, current, maximum));
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 100u);
    return current;
}

std::uint32_t gainOf(MonitorControl& control, ColorChannel channel)
{
    std::uint32_t minimum = 1, current = 0, maximum = 0;
    EXPECT_TRUE(control.getGain(channel, minimum, current, maximum));
    EXPECT_EQ(minimum, 0u);
    EXPECT_EQ(maximum, 256u);
    return current;
}

class WinGammaRampMonitorControlTest : public testing::Test {
protected:
    std::unique_ptr<WinGammaRampMonitorControl> initialised()
    {
        auto control = std::make_unique<WinGammaRampMonitorControl>(api, display);
        EXPECT_TRUE(control->initialize());
        return control;
    }

    std::shared_ptr<FakeGammaRampApi> api = std::make_shared<FakeGammaRampApi>();
    FakeGammaRampApi::Card& card = api->cards[display];
};

TEST_F(WinGammaRampMonitorControlTest, TheStraightRampReadsFullBrightnessAndGains129)
{
    auto control = initialised();
    EXPECT_EQ(brightnessOf(*control), 100u);
    for (ColorChannel channel : {Red, Green, Blue})
        EXPECT_EQ(gainOf(*control, channel), 129u);
    EXPECT_EQ(card.sets, 0) << "a driver reporting gamma support is not written to";

    EXPECT_EQ(control->name(), L"GammaRamp");
    EXPECT_EQ(control->controlMethodFor(Contrast), ControlMethodGammaRamp);
    const bool supported[] = {true, false, false, true, false};
    for (int kind = 0; kind < monitorValueKindCount; ++kind)
        EXPECT_EQ(control->isSupported(static_cast<MonitorValueKind>(kind)), supported[kind]) << "kind " << kind;
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    EXPECT_FALSE(control->getContrast(minimum, current, maximum));
    EXPECT_FALSE(control->setContrast(50));
    EXPECT_FALSE(control->getDrive(Red, minimum, current, maximum));
    EXPECT_FALSE(control->setDrive(Red, 50));
    EXPECT_EQ(card.sets, 0);
}

TEST_F(WinGammaRampMonitorControlTest, SettingTheCurrentBrightnessWritesNothing)
{
    auto control = initialised();
    EXPECT_TRUE(control->setBrightness(100));
    EXPECT_EQ(card.sets, 0);
}

TEST_F(WinGammaRampMonitorControlTest, HalfBrightnessScalesEveryChannel)
{
    auto control = initialised();
    EXPECT_TRUE(control->setBrightness(50));
    ASSERT_EQ(card.sets, 1);
    for (std::size_t first : {std::size_t{0}, green, blue})
        EXPECT_EQ(card.ramp[first + 255], 48960) << "step 192";
    EXPECT_EQ(brightnessOf(*control), 50u);
    EXPECT_EQ(gainOf(*control, Green), 129u);
}

TEST_F(WinGammaRampMonitorControlTest, FullRedGainReachesFullOutputFromEntry171)
{
    auto control = initialised();
    EXPECT_TRUE(control->setGain(Red, 256));
    ASSERT_EQ(card.sets, 1);
    EXPECT_EQ(card.ramp[170], 65280);
    for (std::size_t i = 171; i < 256; ++i)
        ASSERT_EQ(card.ramp[i], 65535) << "entry " << i;
    EXPECT_EQ(card.ramp[green + 255], 65535) << "green keeps its straight entries";
    EXPECT_EQ(card.ramp[green + 170], 257 * 170);
    EXPECT_EQ(gainOf(*control, Red), 256u);
}

struct ToleranceCase {
    const char* savedRed;
    int expectedSets;
};

class WinGammaRampGainTolerance : public WinGammaRampMonitorControlTest,
                                  public testing::WithParamInterface<ToleranceCase> {};

// Both saved red coefficients make the straight ramp, so the restore takes them.
TEST_P(WinGammaRampGainTolerance, AGainCloserThanTheToleranceIsNotWritten)
{
    auto control = initialised();
    const std::string state = std::string(R"({"coeffB":"0.50390625","coeffG":"0.50390625","coeffR":")") +
                              GetParam().savedRed + R"(","coeffRgb":"1"})";
    ASSERT_TRUE(control->restoreState(Controlled, state));
    ASSERT_EQ(gainOf(*control, Red), 129u);

    EXPECT_TRUE(control->setGain(Red, 129));
    EXPECT_EQ(card.sets, GetParam().expectedSets);
}

INSTANTIATE_TEST_SUITE_P(Differences, WinGammaRampGainTolerance,
                         testing::Values(ToleranceCase{"0.50395", 0},   // 0.0000438 from 129 / 256
                                         ToleranceCase{"0.5041", 1})); // 0.00019 from it

TEST_F(WinGammaRampMonitorControlTest, BrightnessIsComparedExactly)
{
    auto control = initialised();
    ASSERT_TRUE(control->restoreState(
        Controlled, R"({"coeffB":"0.50390625","coeffG":"0.50390625","coeffR":"0.50390625","coeffRgb":"1.00001"})"));
    EXPECT_TRUE(control->setBrightness(100));
    EXPECT_EQ(card.sets, 1);
}

TEST_F(WinGammaRampMonitorControlTest, AControlledRestoreBringsBackWhatTheRampAloneCannotTell)
{
    auto before = initialised();
    ASSERT_TRUE(before->setGain(Red, 50));
    ASSERT_TRUE(before->setBrightness(10));
    const std::string saved = before->saveState(Controlled);
    before.reset();
    const int sets = card.sets;

    auto after = initialised();
    ASSERT_NE(brightnessOf(*after), 10u) << "the estimate alone gets it wrong";
    EXPECT_TRUE(after->restoreState(Controlled, saved));
    EXPECT_EQ(brightnessOf(*after), 10u);
    EXPECT_EQ(gainOf(*after, Red), 50u);
    EXPECT_EQ(gainOf(*after, Green), 129u);
    EXPECT_EQ(card.sets, sets) << "a Controlled restore writes nothing";
}

TEST_F(WinGammaRampMonitorControlTest, AControlledRestoreOfAnotherRampKeepsTheEstimate)
{
    auto control = initialised();
    EXPECT_TRUE(control->restoreState(Controlled, R"({"coeffB":"1","coeffG":"1","coeffR":"1","coeffRgb":"0.5"})"));
    EXPECT_EQ(brightnessOf(*control), 100u);
    EXPECT_EQ(gainOf(*control, Blue), 129u);
    EXPECT_EQ(card.sets, 0);
}

TEST_F(WinGammaRampMonitorControlTest, AnOriginalRestoreLoadsTheSavedRampAndCoefficients)
{
    auto control = initialised();
    const std::string original = control->saveState(Original);
    ASSERT_TRUE(control->setBrightness(30));
    ASSERT_TRUE(control->setGain(Blue, 10));

    EXPECT_TRUE(control->restoreState(Original, original));
    EXPECT_EQ(card.ramp, FakeGammaRampApi::straightRamp());
    EXPECT_EQ(brightnessOf(*control), 100u);
    EXPECT_EQ(gainOf(*control, Blue), 129u);
}

TEST_F(WinGammaRampMonitorControlTest, AnOriginalRestoreWithoutARampFails)
{
    auto control = initialised();
    EXPECT_FALSE(control->restoreState(Original, R"({"coeffB":"1","coeffG":"1","coeffR":"1","coeffRgb":"0.5"})"));
    EXPECT_EQ(card.sets, 0);
    EXPECT_EQ(brightnessOf(*control), 100u);
}

TEST_F(WinGammaRampMonitorControlTest, AnOriginalRestoreTheCardRefusesChangesNothing)
{
    auto control = initialised();
    const std::string original = control->saveState(Original);
    ASSERT_TRUE(control->setBrightness(50));
    card.setFails = true;

    EXPECT_FALSE(control->restoreState(Original, original));
    EXPECT_EQ(brightnessOf(*control), 50u);
}

TEST_F(WinGammaRampMonitorControlTest, ADamagedStateIsRefusedForBothKinds)
{
    auto control = initialised();
    const std::string original = control->saveState(Original);
    const std::string withoutGreen = R"({"coeffB":"0.50390625","coeffR":"0.50390625","coeffRgb":"1"})";
    for (MonitorStateKind kind : {Controlled, Original}) {
        EXPECT_FALSE(control->restoreState(kind, withoutGreen)) << "kind " << kind;
        EXPECT_FALSE(control->restoreState(kind, original.substr(0, original.size() - 10))) << "kind " << kind;
    }
    EXPECT_EQ(card.sets, 0);
}

TEST_F(WinGammaRampMonitorControlTest, FailedWritesLeaveCoefficientsAndRamp)
{
    auto control = initialised();
    card.setFails = true;
    EXPECT_FALSE(control->setBrightness(50));
    EXPECT_FALSE(control->setGain(Red, 256));
    EXPECT_EQ(brightnessOf(*control), 100u);
    EXPECT_EQ(gainOf(*control, Red), 129u);

    card.setFails = false;
    ASSERT_TRUE(control->setGain(Green, 0));
    EXPECT_EQ(card.ramp[255], 65535) << "red is the card's, not the refused ramp";
    EXPECT_EQ(card.ramp[green + 255], 32640);
}

TEST_F(WinGammaRampMonitorControlTest, ARampDimmerThanAnyItMakesReadsAsGainZero)
{
    for (std::size_t i = 0; i < card.ramp.size(); ++i)
        card.ramp[i] = static_cast<std::uint16_t>(100 * (i % gammaRampChannelSize));
    auto control = initialised();
    EXPECT_EQ(brightnessOf(*control), 100u);
    for (ColorChannel channel : {Red, Green, Blue})
        EXPECT_EQ(gainOf(*control, channel), 0u);
}

TEST_F(WinGammaRampMonitorControlTest, AChannelOutsideRedGreenBlueIsAProgrammingError)
{
    auto control = initialised();
    std::uint32_t minimum = 0, current = 0, maximum = 0;
    EXPECT_THROW(control->getGain(static_cast<ColorChannel>(3), minimum, current, maximum), std::invalid_argument);
    EXPECT_THROW(control->setGain(static_cast<ColorChannel>(-1), 10), std::invalid_argument);
    EXPECT_EQ(card.sets, 0);
}

TEST_F(WinGammaRampMonitorControlTest, AnEmptyNameOpensTheDisplayWithoutAName)
{
    api->cards[L""];
    WinGammaRampMonitorControl control(api, L"");
    EXPECT_TRUE(control.initialize());
    ASSERT_EQ(api->requestedNames.size(), 1u);
    EXPECT_FALSE(api->requestedNames[0].has_value());
}

TEST_F(WinGammaRampMonitorControlTest, AControlThatFailedToInitialiseNeverWrites)
{
    card.getFails = true;
    WinGammaRampMonitorControl control(api, display);
    ASSERT_FALSE(control.initialize());
    EXPECT_FALSE(control.setBrightness(50));
    EXPECT_FALSE(control.setGain(Red, 10));
    EXPECT_EQ(card.sets, 0);
}

struct InitialisationCase {
    const char* name;
    bool createFails;
    bool getFails;
    int caps;
    bool setFails;
    bool initialises;
    int sets;
};

class WinGammaRampInitialisation : public WinGammaRampMonitorControlTest,
                                   public testing::WithParamInterface<InitialisationCase> {};

TEST_P(WinGammaRampInitialisation, OpensReadsAndProvesTheRamp)
{
    const InitialisationCase& given = GetParam();
    card.createFails = given.createFails;
    card.getFails = given.getFails;
    card.colorManagementCaps = given.caps;
    card.setFails = given.setFails;
    {
        WinGammaRampMonitorControl control(api, display);
        EXPECT_EQ(control.initialize(), given.initialises);
        EXPECT_EQ(control.isSupported(Brightness), given.initialises);
        EXPECT_EQ(card.sets, given.sets);
        if (given.sets > 0 && !given.setFails) {
            EXPECT_EQ(card.lastSet, FakeGammaRampApi::straightRamp()) << "the ramp just read is written back";
        }
    }
    EXPECT_EQ(api->openDCs(), 0u) << "the device context goes with the control";
    EXPECT_EQ(api->deletes, api->createdDCs());
}

INSTANTIATE_TEST_SUITE_P(
    Cards, WinGammaRampInitialisation,
    testing::Values(InitialisationCase{"NoDeviceContext", true, false, CM_GAMMA_RAMP, false, false, 0},
                    InitialisationCase{"RampUnreadable", false, true, CM_GAMMA_RAMP, false, false, 0},
                    InitialisationCase{"NoCapsAndWriteRefused", false, false, 0, true, false, 1},
                    InitialisationCase{"NoCapsButWriteTaken", false, false, 0, false, true, 1},
                    InitialisationCase{"CapsReported", false, false, CM_GAMMA_RAMP, true, true, 0}),
    [](const testing::TestParamInfo<InitialisationCase>& info) { return std::string(info.param.name); });

} // namespace
