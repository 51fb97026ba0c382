// The simulated dxva2.dll, reached the way the program reaches a monitor:
// through the dxva2 import that Wine resolves to the DLL beside this exe.
#include "sim/SimScratchFolder.h"
#include "sim/dll/SimErrors.h"
#include "sim/dll/SimMonitorConfig.h"
#include "sim/dll/SimMonitorState.h"
#include "sim/dll/SimTextFiles.h"
#include "sim/dll/SimWriteLog.h"

#include <windows.h>

#include <highlevelmonitorconfigurationapi.h>
#include <physicalmonitorenumerationapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

namespace {

HMONITOR primaryDisplay()
{
    return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

std::wstring displayName(HMONITOR display)
{
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    GetMonitorInfoW(display, &info);
    return info.szDevice;
}

// The physical monitors of one display, released when the test is done with them.
class PhysicalMonitors {
public:
    explicit PhysicalMonitors(HMONITOR display)
    {
        DWORD count = 0;
        if (!GetNumberOfPhysicalMonitorsFromHMONITOR(display, &count) || count == 0)
            return;
        records.resize(count);
        if (!GetPhysicalMonitorsFromHMONITOR(display, count, records.data()))
            records.clear();
    }
    ~PhysicalMonitors()
    {
        if (!records.empty())
            DestroyPhysicalMonitors(static_cast<DWORD>(records.size()), records.data());
    }
    PhysicalMonitors(const PhysicalMonitors&) = delete;
    PhysicalMonitors& operator=(const PhysicalMonitors&) = delete;

    size_t size() const { return records.size(); }
    HANDLE operator[](size_t index) const { return records.at(index).hPhysicalMonitor; }
    std::wstring description(size_t index) const { return records.at(index).szPhysicalMonitorDescription; }

private:
    std::vector<PHYSICAL_MONITOR> records;
};

// Each ranged value through its own platform function, so a value wired to
// the wrong one shows.
struct RangeRead {
    BOOL ok = FALSE;
    DWORD minimum = 0;
    DWORD current = 0;
    DWORD maximum = 0;
};

RangeRead readValue(HANDLE monitor, SimRangedValue value)
{
    RangeRead read;
    const auto channel = static_cast<int>(value);
    switch (value) {
    case SimRangedValue::Brightness:
        read.ok = GetMonitorBrightness(monitor, &read.minimum, &read.current, &read.maximum);
        break;
    case SimRangedValue::Contrast:
        read.ok = GetMonitorContrast(monitor, &read.minimum, &read.current, &read.maximum);
        break;
    case SimRangedValue::RedGain:
    case SimRangedValue::GreenGain:
    case SimRangedValue::BlueGain:
        read.ok = GetMonitorRedGreenOrBlueGain(
            monitor, static_cast<MC_GAIN_TYPE>(channel - static_cast<int>(SimRangedValue::RedGain)), &read.minimum,
            &read.current, &read.maximum);
        break;
    case SimRangedValue::RedDrive:
    case SimRangedValue::GreenDrive:
    case SimRangedValue::BlueDrive:
        read.ok = GetMonitorRedGreenOrBlueDrive(
            monitor, static_cast<MC_DRIVE_TYPE>(channel - static_cast<int>(SimRangedValue::RedDrive)), &read.minimum,
            &read.current, &read.maximum);
        break;
    }
    return read;
}

BOOL writeValue(HANDLE monitor, SimRangedValue value, DWORD newValue)
{
    const auto channel = static_cast<int>(value);
    switch (value) {
    case SimRangedValue::Brightness:
        return SetMonitorBrightness(monitor, newValue);
    case SimRangedValue::Contrast:
        return SetMonitorContrast(monitor, newValue);
    case SimRangedValue::RedGain:
    case SimRangedValue::GreenGain:
    case SimRangedValue::BlueGain:
        return SetMonitorRedGreenOrBlueGain(
            monitor, static_cast<MC_GAIN_TYPE>(channel - static_cast<int>(SimRangedValue::RedGain)), newValue);
    case SimRangedValue::RedDrive:
    case SimRangedValue::GreenDrive:
    case SimRangedValue::BlueDrive:
        return SetMonitorRedGreenOrBlueDrive(
            monitor, static_cast<MC_DRIVE_TYPE>(channel - static_cast<int>(SimRangedValue::RedDrive)), newValue);
    }
    return FALSE;
}

constexpr std::array allRangedValues = {SimRangedValue::Brightness, SimRangedValue::Contrast,
                                        SimRangedValue::RedGain,    SimRangedValue::GreenGain,
                                        SimRangedValue::BlueGain,   SimRangedValue::RedDrive,
                                        SimRangedValue::GreenDrive, SimRangedValue::BlueDrive};

// A monitor is identified by the last error of a failed call; capture it at once.
struct CallResult {
    BOOL ok;
    DWORD error;
    bool operator==(const CallResult&) const = default;
};

CallResult outcome(BOOL ok)
{
    return {ok, ok ? ERROR_SUCCESS : GetLastError()};
}

void PrintTo(const CallResult& result, std::ostream* out)
{
    *out << (result.ok ? "TRUE" : "FALSE") << " (error 0x" << std::hex << result.error << std::dec << ')';
}

constexpr CallResult succeeded{TRUE, ERROR_SUCCESS};

CallResult failed(DWORD error)
{
    return {FALSE, error};
}

class WinSimulatedMonitorTest : public ::testing::Test {
protected:
    void TearDown() override { SetEnvironmentVariableW(simConfigVariable, nullptr); }

    // A monitor of the display under test that answers at once.
    SimMonitorConfig monitor() const
    {
        SimMonitorConfig quick;
        quick.display = primaryName;
        quick.readDelayMs = 0;
        quick.writeDelayMs = 0;
        return quick;
    }

    // Points the simulated dxva2 at this configuration, as a test process would.
    void simulate(const std::vector<SimMonitorConfig>& monitors, const std::wstring& fileName = L"monitors.cfg")
    {
        configPath = folder.path() / fileName;
        ASSERT_TRUE(saveSimConfigFile(configPath, {{}, {}, monitors}));
        ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, configPath.c_str()));
    }

    std::filesystem::path statePath() const { return configPath.native() + L".state"; }

    std::optional<SimState> state() const
    {
        SimParsed<SimState> read = readSimStateFile(statePath());
        return read.value;
    }

    std::vector<SimWriteRecord> writes() const
    {
        SimParsed<std::vector<SimWriteRecord>> read = readSimWriteLog(configPath.native() + L".log");
        EXPECT_TRUE(read) << read.error;
        return read.value.value_or(std::vector<SimWriteRecord>{});
    }

    HMONITOR primary = primaryDisplay();
    std::wstring primaryName = displayName(primary);
    SimScratchFolder folder;
    std::filesystem::path configPath;
};

TEST_F(WinSimulatedMonitorTest, ListsTheConfiguredMonitorsOfItsDisplayInOrder)
{
    ASSERT_FALSE(primaryName.empty());
    SimMonitorConfig left = monitor();
    left.description = L"Left panel";
    SimMonitorConfig elsewhere = monitor();
    elsewhere.display = L"\\\\.\\DISPLAY9";
    SimMonitorConfig right = monitor();
    right.description = L"Right panel";
    simulate({left, elsewhere, right});

    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors.description(0), L"Left panel");
    EXPECT_EQ(monitors.description(1), L"Right panel");
    EXPECT_NE(monitors[0], nullptr);
    EXPECT_NE(monitors[0], monitors[1]);

    // The log names monitors by their place in the configuration, whatever display they are on.
    ASSERT_TRUE(SetMonitorBrightness(monitors[1], 33));
    EXPECT_THAT(writes(), ::testing::ElementsAre(SimWriteRecord{2, "brightness", 33, SimWriteResult::Ok}));
}

// One monitor per display, described by its display's name: with a one-screen
// X server this covers one display, with a two-screen one both.
TEST_F(WinSimulatedMonitorTest, EveryDisplayListsItsOwnMonitors)
{
    std::vector<HMONITOR> displays;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR display, HDC, LPRECT, LPARAM found) {
            reinterpret_cast<std::vector<HMONITOR>*>(found)->push_back(display);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&displays));
    ASSERT_FALSE(displays.empty());
    std::vector<SimMonitorConfig> perDisplay;
    for (HMONITOR display : displays) {
        perDisplay.push_back(monitor());
        perDisplay.back().display = displayName(display);
        perDisplay.back().description = L"On " + displayName(display);
    }
    simulate(perDisplay);

    for (HMONITOR display : displays) {
        PhysicalMonitors monitors(display);
        ASSERT_EQ(monitors.size(), 1u) << simNarrow(displayName(display));
        EXPECT_EQ(monitors.description(0), L"On " + displayName(display));
    }
}

TEST_F(WinSimulatedMonitorTest, EachEnumerationHandsOutNewHandles)
{
    simulate({monitor()});
    PhysicalMonitors first(primary);
    PhysicalMonitors second(primary);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0], second[0]);
}

TEST_F(WinSimulatedMonitorTest, ReportsItsCapabilitiesAndRefusesWhatItLacks)
{
    SimMonitorConfig sparse = monitor();
    sparse.capabilities = MC_CAPS_BRIGHTNESS | MC_CAPS_COLOR_TEMPERATURE | MC_CAPS_MONITOR_TECHNOLOGY_TYPE;
    sparse.supportedColorTemperatures = MC_SUPPORTED_COLOR_TEMPERATURE_4000K | MC_SUPPORTED_COLOR_TEMPERATURE_11500K;
    sparse.colorTemperature = MC_COLOR_TEMPERATURE_11500K;
    simulate({sparse});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);

    DWORD capabilities = 0;
    DWORD colorTemperatures = 0;
    ASSERT_TRUE(GetMonitorCapabilities(monitors[0], &capabilities, &colorTemperatures));
    EXPECT_EQ(capabilities, sparse.capabilities);
    EXPECT_EQ(colorTemperatures, 0x81u);
    MC_COLOR_TEMPERATURE colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    ASSERT_TRUE(GetMonitorColorTemperature(monitors[0], &colorTemperature));
    EXPECT_EQ(colorTemperature, MC_COLOR_TEMPERATURE_11500K);
    MC_DISPLAY_TECHNOLOGY_TYPE technology = MC_PLASMA;
    ASSERT_TRUE(GetMonitorTechnologyType(monitors[0], &technology));
    EXPECT_EQ(technology, MC_THIN_FILM_TRANSISTOR);
    EXPECT_TRUE(readValue(monitors[0], SimRangedValue::Brightness).ok);

    for (SimRangedValue lacking : {SimRangedValue::Contrast, SimRangedValue::GreenGain, SimRangedValue::BlueDrive}) {
        SCOPED_TRACE(simRangedValueKey(lacking));
        EXPECT_EQ(outcome(readValue(monitors[0], lacking).ok), failed(simErrorVcpNotSupported));
        EXPECT_EQ(outcome(writeValue(monitors[0], lacking, 50)), failed(simErrorVcpNotSupported));
    }
    EXPECT_EQ(writes().back(), (SimWriteRecord{0, "blue-drive", 50, SimWriteResult::NotSupported}));
}

TEST_F(WinSimulatedMonitorTest, ReadsEachValueFromItsOwnRange)
{
    SimMonitorConfig distinct = monitor();
    for (SimRangedValue value : allRangedValues) {
        const auto base = static_cast<std::uint32_t>(value) * 1000;
        distinct.range(value) = {base + 1, base + 2, base + 3};
    }
    simulate({distinct});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);

    for (SimRangedValue value : allRangedValues) {
        SCOPED_TRACE(simRangedValueKey(value));
        const RangeRead read = readValue(monitors[0], value);
        ASSERT_TRUE(read.ok);
        EXPECT_EQ((SimRange{read.minimum, read.current, read.maximum}), distinct.range(value));
    }
}

TEST_F(WinSimulatedMonitorTest, WritesReachTheStateFileAndTheLog)
{
    simulate({monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);

    std::vector<SimWriteRecord> expectedWrites;
    SimMonitorState expectedState = SimMonitorState::configured(monitor());
    for (SimRangedValue value : allRangedValues) {
        const auto newValue = static_cast<DWORD>(10 + static_cast<int>(value));
        ASSERT_TRUE(writeValue(monitors[0], value, newValue)) << simRangedValueKey(value);
        expectedState.value(value) = newValue;
        expectedWrites.push_back({0, std::string(simRangedValueKey(value)), newValue, SimWriteResult::Ok});
    }
    ASSERT_TRUE(SetMonitorColorTemperature(monitors[0], MC_COLOR_TEMPERATURE_9300K));
    expectedState.colorTemperature = MC_COLOR_TEMPERATURE_9300K;
    expectedState.successfulWrites = 9;
    expectedWrites.push_back({0, "color-temperature", MC_COLOR_TEMPERATURE_9300K, SimWriteResult::Ok});

    for (SimRangedValue value : allRangedValues)
        EXPECT_EQ(readValue(monitors[0], value).current, expectedState.value(value)) << simRangedValueKey(value);
    MC_COLOR_TEMPERATURE colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    ASSERT_TRUE(GetMonitorColorTemperature(monitors[0], &colorTemperature));
    EXPECT_EQ(colorTemperature, MC_COLOR_TEMPERATURE_9300K);

    EXPECT_EQ(state(), SimState{{expectedState}});
    EXPECT_EQ(writes(), expectedWrites);
}

TEST_F(WinSimulatedMonitorTest, ANewConfigurationVoidsOldHandlesAndTheStateOutlivesIt)
{
    simulate({monitor(), monitor()});
    const std::filesystem::path firstConfig = configPath;
    {
        PhysicalMonitors monitors(primary);
        ASSERT_EQ(monitors.size(), 2u);
        ASSERT_TRUE(SetMonitorContrast(monitors[1], 12));

        simulate({monitor()}, L"other.cfg");
        EXPECT_EQ(outcome(SetMonitorContrast(monitors[1], 13)), failed(ERROR_INVALID_HANDLE));
        EXPECT_EQ(PhysicalMonitors(primary).size(), 1u);
    }

    ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, firstConfig.c_str()));
    PhysicalMonitors again(primary);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(readValue(again[1], SimRangedValue::Contrast).current, 12u);
    EXPECT_EQ(readValue(again[0], SimRangedValue::Contrast).current, monitor().range(SimRangedValue::Contrast).current);
}

TEST_F(WinSimulatedMonitorTest, CommandsTakeAtLeastTheirDelay)
{
    SimMonitorConfig slow = monitor();
    slow.readDelayMs = 200;
    slow.writeDelayMs = 300;
    simulate({slow});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);

    // Only lower bounds: a busy machine may take longer, never shorter. A few
    // milliseconds of slack cover the clock's granularity.
    using std::chrono::milliseconds;
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(readValue(monitors[0], SimRangedValue::Brightness).ok);
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(195));

    start = std::chrono::steady_clock::now();
    ASSERT_TRUE(SetMonitorBrightness(monitors[0], 20));
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(295));
}

// Injected failures: three brightness writes (61, 62, 63) after a capability
// query, then a read.
struct InjectedFailure {
    const char* name;
    std::function<void(SimMonitorConfig&)> inject;
    CallResult capabilities;
    std::vector<SimWriteResult> writeResults;
    std::optional<DWORD> brightnessAfter; // nothing: the read fails
};

void PrintTo(const InjectedFailure& failure, std::ostream* out)
{
    *out << failure.name;
}

class WinSimulatedMonitorFailureTest : public WinSimulatedMonitorTest,
                                       public ::testing::WithParamInterface<InjectedFailure> {};

TEST_P(WinSimulatedMonitorFailureTest, FailsAsToldAndKeepsTheOldValue)
{
    const InjectedFailure& failure = GetParam();
    SimMonitorConfig broken = monitor();
    failure.inject(broken);
    simulate({broken});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u) << "even a broken monitor is listed";

    DWORD capabilities = 0;
    DWORD colorTemperatures = 0;
    EXPECT_EQ(outcome(GetMonitorCapabilities(monitors[0], &capabilities, &colorTemperatures)), failure.capabilities);

    std::vector<SimWriteRecord> expectedWrites;
    DWORD lastTaken = 0;
    for (size_t write = 0; write < failure.writeResults.size(); ++write) {
        const DWORD value = 61 + static_cast<DWORD>(write);
        const SimWriteResult result = failure.writeResults[write];
        const CallResult expected =
            result == SimWriteResult::Ok ? succeeded : failed(simErrorI2cTransmittingData);
        EXPECT_EQ(outcome(SetMonitorBrightness(monitors[0], value)), expected) << "write " << value;
        expectedWrites.push_back({0, "brightness", value, result});
        if (result == SimWriteResult::Ok)
            lastTaken = value;
    }

    const RangeRead read = readValue(monitors[0], SimRangedValue::Brightness);
    EXPECT_EQ(read.ok != FALSE, failure.brightnessAfter.has_value());
    if (failure.brightnessAfter) {
        EXPECT_EQ(read.current, *failure.brightnessAfter);
    }
    EXPECT_EQ(writes(), expectedWrites);
    if (lastTaken == 0) {
        EXPECT_FALSE(std::filesystem::exists(statePath())) << "a refused write leaves no state";
    } else {
        EXPECT_EQ(state().value_or(SimState{}).monitors.at(0).value(SimRangedValue::Brightness), lastTaken);
    }
}

using enum SimWriteResult;

INSTANTIATE_TEST_SUITE_P(
    Cases, WinSimulatedMonitorFailureTest,
    ::testing::Values(
        InjectedFailure{"Healthy", [](SimMonitorConfig&) {}, succeeded, {Ok, Ok, Ok}, 63},
        InjectedFailure{"NoAnswer", [](SimMonitorConfig& m) { m.noAnswer = true; },
                        failed(simErrorI2cTransmittingData), {NoAnswer, NoAnswer, NoAnswer}, std::nullopt},
        InjectedFailure{"CapabilitiesFail", [](SimMonitorConfig& m) { m.failCapabilities = true; },
                        failed(simErrorInvalidCapabilitiesString), {Ok, Ok, Ok}, 63},
        InjectedFailure{"WritesFail", [](SimMonitorConfig& m) { m.failWrites = true; }, succeeded,
                        {WriteFailure, WriteFailure, WriteFailure}, 70},
        InjectedFailure{"WritesFailAfterTwo", [](SimMonitorConfig& m) { m.failWritesAfter = 2; }, succeeded,
                        {Ok, Ok, WritesExhausted}, 62},
        InjectedFailure{"WritesFailAfterNone", [](SimMonitorConfig& m) { m.failWritesAfter = 0; }, succeeded,
                        {WritesExhausted, WritesExhausted, WritesExhausted}, 70}),
    [](const ::testing::TestParamInfo<InjectedFailure>& info) { return std::string(info.param.name); });

TEST_F(WinSimulatedMonitorTest, WritesAllowedAfterAFailureCountAcrossRuns)
{
    SimMonitorConfig limited = monitor();
    limited.failWritesAfter = 2;
    simulate({limited});
    {
        PhysicalMonitors monitors(primary);
        ASSERT_TRUE(SetMonitorBrightness(monitors[0], 1));
    }
    simulate({limited}, L"other.cfg");
    simulate({limited}); // the same file again: a second run of a program
    PhysicalMonitors monitors(primary);
    EXPECT_TRUE(SetMonitorBrightness(monitors[0], 2));
    EXPECT_FALSE(SetMonitorBrightness(monitors[0], 3));
}

TEST_F(WinSimulatedMonitorTest, UnknownAndReleasedHandlesAreRefused)
{
    simulate({monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);
    HANDLE released = nullptr;
    {
        PhysicalMonitors short_lived(primary);
        released = short_lived[0];
    }

    for (HANDLE handle : {released, static_cast<HANDLE>(nullptr), reinterpret_cast<HANDLE>(0x1234),
                          INVALID_HANDLE_VALUE}) {
        SCOPED_TRACE(handle);
        DWORD minimum = 0, current = 0, maximum = 0;
        EXPECT_EQ(outcome(GetMonitorBrightness(handle, &minimum, &current, &maximum)), failed(ERROR_INVALID_HANDLE));
        EXPECT_EQ(outcome(SetMonitorBrightness(handle, 5)), failed(ERROR_INVALID_HANDLE));
        EXPECT_EQ(outcome(DestroyPhysicalMonitor(handle)), failed(ERROR_INVALID_HANDLE));
    }
    EXPECT_TRUE(writes().empty()) << "nothing reached a monitor";
    EXPECT_TRUE(readValue(monitors[0], SimRangedValue::Brightness).ok) << "the live handle still works";
}

TEST_F(WinSimulatedMonitorTest, RefusesValuesTheMonitorDoesNotTake)
{
    SimMonitorConfig narrow = monitor();
    narrow.range(SimRangedValue::Brightness) = {10, 50, 90};
    narrow.range(SimRangedValue::BlueGain) = {0, 50, 100};
    simulate({narrow});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);
    const HANDLE handle = monitors[0];

    struct Attempt {
        const char* what;
        std::function<BOOL()> call;
        CallResult expected;
    };
    const std::vector<Attempt> attempts = {
        {"brightness below", [&] { return SetMonitorBrightness(handle, 9); }, failed(ERROR_INVALID_PARAMETER)},
        {"brightness above", [&] { return SetMonitorBrightness(handle, 91); }, failed(ERROR_INVALID_PARAMETER)},
        {"brightness at minimum", [&] { return SetMonitorBrightness(handle, 10); }, succeeded},
        {"brightness at maximum", [&] { return SetMonitorBrightness(handle, 90); }, succeeded},
        {"blue gain above", [&] { return SetMonitorRedGreenOrBlueGain(handle, MC_BLUE_GAIN, 101); },
         failed(ERROR_INVALID_PARAMETER)},
        {"unsupported colour temperature",
         [&] { return SetMonitorColorTemperature(handle, MC_COLOR_TEMPERATURE_10000K); },
         failed(ERROR_INVALID_PARAMETER)},
        {"unknown colour temperature",
         [&] { return SetMonitorColorTemperature(handle, MC_COLOR_TEMPERATURE_UNKNOWN); },
         failed(ERROR_INVALID_PARAMETER)},
        {"colour temperature past the last",
         [&] { return SetMonitorColorTemperature(handle, static_cast<MC_COLOR_TEMPERATURE>(9)); },
         failed(ERROR_INVALID_PARAMETER)},
        {"no such gain", [&] { return SetMonitorRedGreenOrBlueGain(handle, static_cast<MC_GAIN_TYPE>(3), 5); },
         failed(ERROR_INVALID_PARAMETER)},
        {"no such drive", [&] { return SetMonitorRedGreenOrBlueDrive(handle, static_cast<MC_DRIVE_TYPE>(-1), 5); },
         failed(ERROR_INVALID_PARAMETER)},
    };
    for (const Attempt& attempt : attempts)
        EXPECT_EQ(outcome(attempt.call()), attempt.expected) << attempt.what;

    EXPECT_EQ(readValue(handle, SimRangedValue::Brightness).current, 90u);
    EXPECT_EQ(readValue(handle, SimRangedValue::BlueGain).current, 50u);
    MC_COLOR_TEMPERATURE colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    ASSERT_TRUE(GetMonitorColorTemperature(handle, &colorTemperature));
    EXPECT_EQ(colorTemperature, MC_COLOR_TEMPERATURE_6500K);
    // A channel that does not exist never reaches the monitor; the rest is logged as refused.
    EXPECT_THAT(writes(), ::testing::ElementsAre(SimWriteRecord{0, "brightness", 9, OutOfRange},
                                                 SimWriteRecord{0, "brightness", 91, OutOfRange},
                                                 SimWriteRecord{0, "brightness", 10, Ok},
                                                 SimWriteRecord{0, "brightness", 90, Ok},
                                                 SimWriteRecord{0, "blue-gain", 101, OutOfRange},
                                                 SimWriteRecord{0, "color-temperature", 7, OutOfRange},
                                                 SimWriteRecord{0, "color-temperature", 0, OutOfRange},
                                                 SimWriteRecord{0, "color-temperature", 9, OutOfRange}));
}

TEST_F(WinSimulatedMonitorTest, MissingPointersAndWrongSizesAreInvalidParameters)
{
    simulate({monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);
    const HANDLE handle = monitors[0];
    DWORD a = 0, b = 0;
    PHYSICAL_MONITOR records[2]{};
    MC_COLOR_TEMPERATURE* noColorTemperature = nullptr;
    MC_DISPLAY_TECHNOLOGY_TYPE* noTechnology = nullptr;

    const std::vector<std::pair<const char*, std::function<BOOL()>>> calls = {
        {"count", [&] { return GetNumberOfPhysicalMonitorsFromHMONITOR(primary, nullptr); }},
        {"records", [&] { return GetPhysicalMonitorsFromHMONITOR(primary, 1, nullptr); }},
        {"too many records", [&] { return GetPhysicalMonitorsFromHMONITOR(primary, 2, records); }},
        {"no records", [&] { return GetPhysicalMonitorsFromHMONITOR(primary, 0, records); }},
        {"destroy", [&] { return DestroyPhysicalMonitors(1, nullptr); }},
        {"capabilities", [&] { return GetMonitorCapabilities(handle, nullptr, &a); }},
        {"colour temperatures", [&] { return GetMonitorCapabilities(handle, &a, nullptr); }},
        {"minimum", [&] { return GetMonitorBrightness(handle, nullptr, &a, &b); }},
        {"current", [&] { return GetMonitorContrast(handle, &a, nullptr, &b); }},
        {"maximum", [&] { return GetMonitorRedGreenOrBlueGain(handle, MC_RED_GAIN, &a, &b, nullptr); }},
        {"drive", [&] { return GetMonitorRedGreenOrBlueDrive(handle, MC_GREEN_DRIVE, nullptr, nullptr, nullptr); }},
        {"colour temperature", [&] { return GetMonitorColorTemperature(handle, noColorTemperature); }},
        {"technology", [&] { return GetMonitorTechnologyType(handle, noTechnology); }},
    };
    for (const auto& [what, call] : calls)
        EXPECT_EQ(outcome(call()), failed(ERROR_INVALID_PARAMETER)) << what;
    EXPECT_TRUE(DestroyPhysicalMonitors(0, nullptr));
}

TEST_F(WinSimulatedMonitorTest, BadOrMissingConfigurationFailsEveryDisplay)
{
    configPath = folder.path() / L"broken.cfg";
    for (const char* text : {"[monitor]\nbrightness = 5 1 2\n", static_cast<const char*>(nullptr)}) {
        std::filesystem::remove(configPath);
        if (text) {
            ASSERT_TRUE(replaceSimTextFile(configPath, text));
        }
        // No configuration in between makes the simulator load this one afresh.
        ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, nullptr));
        DWORD count = 7;
        ASSERT_TRUE(GetNumberOfPhysicalMonitorsFromHMONITOR(primary, &count));
        ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, configPath.c_str()));
        EXPECT_EQ(outcome(GetNumberOfPhysicalMonitorsFromHMONITOR(primary, &count)),
                  failed(simErrorBadConfiguration))
            << (text ? text : "missing file");
    }
}

TEST_F(WinSimulatedMonitorTest, WithoutConfigurationNoDisplayHasMonitors)
{
    ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, nullptr));
    DWORD count = 7;
    ASSERT_TRUE(GetNumberOfPhysicalMonitorsFromHMONITOR(primary, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(outcome(GetNumberOfPhysicalMonitorsFromHMONITOR(reinterpret_cast<HMONITOR>(0x4321), &count)),
              failed(ERROR_INVALID_HANDLE));
}

TEST_F(WinSimulatedMonitorTest, FactoryDefaultsComeBackAndTubeCommandsAreRefused)
{
    SimMonitorConfig restorable = monitor();
    restorable.capabilities |= MC_CAPS_RESTORE_FACTORY_DEFAULTS | MC_CAPS_RESTORE_FACTORY_COLOR_DEFAULTS;
    simulate({restorable, monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 2u);
    const HANDLE handle = monitors[0];
    const SimMonitorState factory = SimMonitorState::configured(restorable);

    ASSERT_TRUE(SetMonitorBrightness(handle, 1));
    ASSERT_TRUE(SetMonitorRedGreenOrBlueDrive(handle, MC_BLUE_DRIVE, 2));
    ASSERT_TRUE(SetMonitorColorTemperature(handle, MC_COLOR_TEMPERATURE_5000K));
    ASSERT_TRUE(RestoreMonitorFactoryColorDefaults(handle));
    EXPECT_EQ(readValue(handle, SimRangedValue::BlueDrive).current, factory.value(SimRangedValue::BlueDrive));
    EXPECT_EQ(readValue(handle, SimRangedValue::Brightness).current, 1u) << "not a colour setting";
    MC_COLOR_TEMPERATURE colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    ASSERT_TRUE(GetMonitorColorTemperature(handle, &colorTemperature));
    EXPECT_EQ(colorTemperature, MC_COLOR_TEMPERATURE_6500K);
    ASSERT_TRUE(RestoreMonitorFactoryDefaults(handle));
    EXPECT_EQ(readValue(handle, SimRangedValue::Brightness).current, factory.value(SimRangedValue::Brightness));
    EXPECT_TRUE(SaveCurrentMonitorSettings(handle));
    EXPECT_EQ(state().value_or(SimState{}).monitors.at(0).successfulWrites, 6u);

    EXPECT_EQ(outcome(RestoreMonitorFactoryDefaults(monitors[1])), failed(simErrorVcpNotSupported));
    EXPECT_EQ(outcome(RestoreMonitorFactoryColorDefaults(monitors[1])), failed(simErrorVcpNotSupported));
    EXPECT_EQ(outcome(GetMonitorTechnologyType(monitors[1], nullptr)), failed(ERROR_INVALID_PARAMETER));
    MC_DISPLAY_TECHNOLOGY_TYPE technology{};
    EXPECT_EQ(outcome(GetMonitorTechnologyType(monitors[1], &technology)), failed(simErrorVcpNotSupported));
    DWORD a = 0, b = 0, c = 0;
    EXPECT_EQ(outcome(DegaussMonitor(handle)), failed(simErrorVcpNotSupported));
    EXPECT_EQ(outcome(GetMonitorDisplayAreaSize(handle, MC_WIDTH, &a, &b, &c)), failed(simErrorVcpNotSupported));
    EXPECT_EQ(outcome(SetMonitorDisplayAreaPosition(handle, MC_VERTICAL_POSITION, 1)),
              failed(simErrorVcpNotSupported));
}

TEST_F(WinSimulatedMonitorTest, ConcurrentWritesAreAllRecorded)
{
    simulate({monitor(), monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 2u);

    constexpr int threadCount = 4;
    constexpr int writesPerThread = 25;
    std::atomic<int> refused{0};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < threadCount; ++thread) {
        threads.emplace_back([&, thread] {
            for (int write = 0; write < writesPerThread; ++write) {
                if (!SetMonitorContrast(monitors[thread % 2], static_cast<DWORD>(write)))
                    ++refused;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(refused.load(), 0);

    const std::vector<SimWriteRecord> logged = writes();
    EXPECT_EQ(logged.size(), static_cast<size_t>(threadCount * writesPerThread));
    EXPECT_EQ(std::count_if(logged.begin(), logged.end(), [](const SimWriteRecord& r) { return r.result == Ok; }),
              threadCount * writesPerThread);
    const std::optional<SimState> final = state();
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(final->monitors.at(0).successfulWrites + final->monitors.at(1).successfulWrites,
              static_cast<std::uint32_t>(threadCount * writesPerThread));
}

// A test polls the state file and the write log from another process while
// the program writes; the polls must never cost the monitor a write.
TEST_F(WinSimulatedMonitorTest, ReadersOfTheFilesNeverCostAWrite)
{
    simulate({monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);

    constexpr DWORD writeCount = 100;
    std::atomic<bool> writing{true};
    std::atomic<int> unreadable{0};
    std::thread reader([&] {
        while (writing) {
            if (std::filesystem::exists(statePath()) && !readSimStateFile(statePath()))
                ++unreadable;
            if (!readSimWriteLog(configPath.native() + L".log"))
                ++unreadable;
        }
    });
    for (DWORD value = 1; value <= writeCount; ++value)
        EXPECT_TRUE(SetMonitorBrightness(monitors[0], value));
    writing = false;
    reader.join();

    EXPECT_EQ(unreadable.load(), 0);
    const std::optional<SimState> final = state();
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(final->monitors.at(0).value(SimRangedValue::Brightness), writeCount);
    EXPECT_EQ(final->monitors.at(0).successfulWrites, writeCount);
    EXPECT_EQ(writes().size(), writeCount);
}

// Something that opens the state file without sharing it, for a moment,
// delays the monitor's rewrite of it but does not make it lose the write.
TEST_F(WinSimulatedMonitorTest, AStateFileHeldForAMomentIsRewrittenOnceLetGo)
{
    simulate({monitor()});
    PhysicalMonitors monitors(primary);
    ASSERT_EQ(monitors.size(), 1u);
    ASSERT_TRUE(SetMonitorBrightness(monitors[0], 10));

    HANDLE held = CreateFileW(statePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread letGo([held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        CloseHandle(held);
    });
    EXPECT_TRUE(SetMonitorBrightness(monitors[0], 20));
    letGo.join();

    const std::optional<SimState> final = state();
    ASSERT_TRUE(final.has_value());
    EXPECT_EQ(final->monitors.at(0).value(SimRangedValue::Brightness), 20u);
}

} // namespace
