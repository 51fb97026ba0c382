#include "sim/SimScratchFolder.h"
#include "sim/dll/SimMonitorConfig.h"
#include "sim/dll/SimMonitorState.h"
#include "sim/dll/SimTextFiles.h"
#include "sim/dll/SimWriteLog.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

SimConfig unusualConfig()
{
    SimMonitorConfig first;
    first.display = L"\\\\.\\DISPLAY2";
    first.description = L"\u00C9cran #2 \u00AB27\u00BB"; // non-ASCII, and a '#' that is no comment
    first.capabilities = MC_CAPS_BRIGHTNESS | MC_CAPS_MONITOR_TECHNOLOGY_TYPE | MC_CAPS_COLOR_TEMPERATURE;
    first.supportedColorTemperatures = MC_SUPPORTED_COLOR_TEMPERATURE_4000K | MC_SUPPORTED_COLOR_TEMPERATURE_11500K;
    first.colorTemperature = MC_COLOR_TEMPERATURE_11500K;
    for (size_t index = 0; index < simRangedValueCount; ++index) {
        const auto base = static_cast<std::uint32_t>(index * 10);
        first.ranges[index] = {base, base + 3, base + 7};
    }
    first.readDelayMs = 0;
    first.writeDelayMs = 7;
    first.noAnswer = true;
    first.failCapabilities = true;
    first.failWrites = true;
    first.failWritesAfter = 0;

    SimMonitorConfig second;
    second.colorTemperature = MC_COLOR_TEMPERATURE_UNKNOWN;
    second.range(SimRangedValue::Contrast) = {0, 4294967295u, 4294967295u};
    second.failWritesAfter = 12;
    return {L"C:\\sim\\monitors.state", L"relative.log", {first, second}};
}

TEST(WinSimMonitorConfigTest, FormattedConfigParsesBackUnchanged)
{
    const SimConfig config = unusualConfig();
    const SimParsed<SimConfig> parsed = parseSimConfig(formatSimConfig(config));
    ASSERT_TRUE(parsed) << parsed.error;
    EXPECT_EQ(*parsed.value, config);
}

TEST(WinSimMonitorConfigTest, EmptyMonitorSectionIsTheTypicalMonitor)
{
    const SimParsed<SimConfig> parsed = parseSimConfig("# one monitor\n\n[monitor]\n");
    ASSERT_TRUE(parsed) << parsed.error;
    ASSERT_EQ(parsed.value->monitors.size(), 1u);
    const SimMonitorConfig& monitor = parsed.value->monitors[0];
    EXPECT_EQ(monitor, SimMonitorConfig{});
    EXPECT_EQ(monitor.display, L"\\\\.\\DISPLAY1");
    EXPECT_EQ(monitor.description, L"Generic Non-PnP Monitor");
    EXPECT_EQ(monitor.readDelayMs, 40u);
    EXPECT_EQ(monitor.writeDelayMs, 50u);
    EXPECT_EQ(monitor.range(SimRangedValue::Brightness), (SimRange{0, 70, 100}));
    EXPECT_FALSE(monitor.noAnswer || monitor.failCapabilities || monitor.failWrites);
    EXPECT_FALSE(monitor.failWritesAfter.has_value());
}

TEST(WinSimMonitorConfigTest, ValuesTakeBlanksAndWindowsLineEnds)
{
    const SimParsed<SimConfig> parsed =
        parseSimConfig("log=x.log\r\n[ monitor ]\r\n  brightness\t=  5   6\t7 \r\ncapabilities=0X3e\r\n");
    ASSERT_TRUE(parsed) << parsed.error;
    EXPECT_EQ(parsed.value->logPath, L"x.log");
    EXPECT_EQ(parsed.value->monitors.at(0).range(SimRangedValue::Brightness), (SimRange{5, 6, 7}));
    EXPECT_EQ(parsed.value->monitors.at(0).capabilities, 0x3Eu);
}

struct MalformedConfig {
    const char* text;
    const char* errorStart;
};

class WinSimMalformedConfigTest : public ::testing::TestWithParam<MalformedConfig> {};

TEST_P(WinSimMalformedConfigTest, IsRejectedWithItsLine)
{
    const SimParsed<SimConfig> parsed = parseSimConfig(GetParam().text);
    EXPECT_FALSE(parsed);
    EXPECT_TRUE(parsed.error.starts_with(GetParam().errorStart)) << parsed.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WinSimMalformedConfigTest,
    ::testing::Values(MalformedConfig{"[monitor]\nbrigthness = 0 1 2\n", "line 2: unknown key"},
                      MalformedConfig{"brightness = 0 1 2\n", "line 1: unknown key"},
                      MalformedConfig{"[monitor]\n[screen]\n", "line 2: unknown section"},
                      MalformedConfig{"[monitor\n", "line 1: unclosed"},
                      MalformedConfig{"[monitor]\n\nbrightness\n", "line 3: expected 'key = value'"},
                      MalformedConfig{"[monitor]\n= 5\n", "line 2: expected 'key = value'"},
                      MalformedConfig{"[monitor]\nbrightness = 0 70\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\nbrightness = 0 70 100 5\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\nbrightness = 0 -1 100\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\nread-delay-ms = 4294967296\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\ncapabilities = 0x\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\nno-answer = maybe\n", "line 2: malformed"},
                      MalformedConfig{"[monitor]\nfail-writes-after = 3x\n", "line 2: malformed"},
                      MalformedConfig{"\n[monitor]\nbrightness = 0 170 100\n", "line 2: brightness"},
                      MalformedConfig{"[monitor]\nblue-drive = 60 60 40\n", "line 1: blue-drive"},
                      MalformedConfig{"[monitor]\ncapabilities = 0x40\n", "line 1: capabilities 0x40"},
                      MalformedConfig{"[monitor]\ncapabilities = 0x2180\n", "line 1: capabilities 0x2180"},
                      MalformedConfig{"[monitor]\ncolor-temperatures = 0x100\n", "line 1: unknown colour"},
                      MalformedConfig{"[monitor]\ncolor-temperature = 7\n", "line 1: current colour"},
                      MalformedConfig{"[monitor]\ncolor-temperature = 9\n", "line 1: current colour"},
                      MalformedConfig{"[monitor]\ndisplay =\n", "line 1: no display"},
                      MalformedConfig{"[monitor]\ndescription = "
                                      "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
                                      "123456789012345678901234567890123456789012345678\n",
                                      "line 1: description longer"}));

TEST(WinSimMonitorConfigTest, LoadingSettlesStateAndLogPaths)
{
    SimScratchFolder folder;
    const std::filesystem::path configPath = folder.path() / L"monitors.cfg";

    ASSERT_TRUE(replaceSimTextFile(configPath, "\xEF\xBB\xBF[monitor]\r\n")); // as Notepad saves it
    SimParsed<SimConfig> loaded = loadSimConfigFile(configPath);
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(loaded.value->monitors.size(), 1u);
    EXPECT_EQ(loaded.value->statePath, folder.path() / L"monitors.cfg.state");
    EXPECT_EQ(loaded.value->logPath, folder.path() / L"monitors.cfg.log");

    const std::filesystem::path absolute = folder.path() / L"elsewhere" / L"run.state";
    ASSERT_TRUE(replaceSimTextFile(configPath, "state = " + simNarrow(absolute.native()) + "\nlog = logs/run.log\n"));
    loaded = loadSimConfigFile(configPath);
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(loaded.value->statePath, absolute);
    EXPECT_EQ(loaded.value->logPath, folder.path() / L"logs/run.log");
    EXPECT_TRUE(loaded.value->monitors.empty());
}

TEST(WinSimMonitorConfigTest, LoadingReportsTheFileAndLine)
{
    SimScratchFolder folder;
    const std::filesystem::path configPath = folder.path() / L"bad.cfg";
    EXPECT_FALSE(loadSimConfigFile(configPath)) << "a missing file";

    ASSERT_TRUE(replaceSimTextFile(configPath, "[monitor]\nsharpness = 3\n"));
    const SimParsed<SimConfig> loaded = loadSimConfigFile(configPath);
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.error.find("bad.cfg: line 2: unknown key 'sharpness'"), std::string::npos) << loaded.error;
}

TEST(WinSimMonitorConfigTest, SavedConfigLoadsBack)
{
    SimScratchFolder folder;
    const std::filesystem::path configPath = folder.path() / L"monitors.cfg";
    SimConfig config = unusualConfig();
    config.statePath = folder.path() / L"s.state";
    config.logPath = folder.path() / L"l.log";
    ASSERT_TRUE(saveSimConfigFile(configPath, config));
    const SimParsed<SimConfig> loaded = loadSimConfigFile(configPath);
    ASSERT_TRUE(loaded) << loaded.error;
    EXPECT_EQ(*loaded.value, config);
}

TEST(WinSimMonitorStateTest, WrittenStateReadsBack)
{
    SimScratchFolder folder;
    SimMonitorState first = SimMonitorState::configured(unusualConfig().monitors[0]);
    first.successfulWrites = 17;
    SimMonitorState second;
    second.current.fill(std::numeric_limits<std::uint32_t>::max());
    const SimState state{{first, second}};

    const std::filesystem::path path = folder.path() / L"x.state";
    ASSERT_TRUE(writeSimStateFile(path, state));
    const SimParsed<SimState> read = readSimStateFile(path);
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(*read.value, state);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / L"x.state.tmp"));
}

TEST(WinSimMonitorStateTest, IncompleteOrForeignStateIsRejected)
{
    std::string complete = formatSimState({{SimMonitorState{}}});
    EXPECT_TRUE(parseSimState(complete));

    std::string withoutWrites = complete.substr(0, complete.find("writes ="));
    EXPECT_FALSE(parseSimState(withoutWrites));
    EXPECT_FALSE(parseSimState("brightness = 4\n" + complete));
    EXPECT_FALSE(parseSimState(complete + "[display]\n"));
    EXPECT_FALSE(readSimStateFile(L"Z:\\no\\such\\folder\\x.state"));
}

TEST(WinSimMonitorStateTest, StartingStateTakesOnlyWhatFitsTheConfig)
{
    SimMonitorConfig monitor;
    monitor.range(SimRangedValue::Brightness) = {10, 50, 90};
    monitor.range(SimRangedValue::BlueDrive) = {10, 50, 90};
    const SimConfig config{{}, {}, {monitor, monitor}};

    SimMonitorState kept = SimMonitorState::configured(monitor);
    kept.value(SimRangedValue::Brightness) = 90;  // fits
    kept.value(SimRangedValue::BlueDrive) = 91;   // the range shrank since
    kept.colorTemperature = MC_COLOR_TEMPERATURE_9300K;
    kept.successfulWrites = 5;
    SimMonitorState unsupported = kept;
    unsupported.colorTemperature = MC_COLOR_TEMPERATURE_10000K;
    SimMonitorState dropped;

    const SimState start = simStartingState(config, {{kept, unsupported, dropped}});
    ASSERT_EQ(start.monitors.size(), 2u);
    EXPECT_EQ(start.monitors[0].value(SimRangedValue::Brightness), 90u);
    EXPECT_EQ(start.monitors[0].value(SimRangedValue::BlueDrive), 50u);
    EXPECT_EQ(start.monitors[0].colorTemperature, static_cast<std::uint32_t>(MC_COLOR_TEMPERATURE_9300K));
    EXPECT_EQ(start.monitors[0].successfulWrites, 5u);
    EXPECT_EQ(start.monitors[1].colorTemperature, monitor.colorTemperature);

    const SimState fresh = simStartingState(config, {});
    EXPECT_EQ(fresh.monitors, (std::vector{SimMonitorState::configured(monitor), SimMonitorState::configured(monitor)}));
}

TEST(WinSimWriteLogTest, EveryResultReadsBack)
{
    std::vector<SimWriteRecord> records;
    std::string text;
    for (auto result : {SimWriteResult::Ok, SimWriteResult::NoAnswer, SimWriteResult::WriteFailure,
                        SimWriteResult::WritesExhausted, SimWriteResult::OutOfRange, SimWriteResult::NotSupported}) {
        records.push_back({records.size(), "red-gain", static_cast<std::uint32_t>(records.size() * 1000), result});
        text += formatSimWriteRecord(records.back()) + "\r\n";
    }
    EXPECT_EQ(formatSimWriteRecord(records[0]), "0 red-gain 0 ok");
    EXPECT_EQ(formatSimWriteRecord(records[4]), "4 red-gain 4000 failed out-of-range");
    const SimParsed<std::vector<SimWriteRecord>> parsed = parseSimWriteLog(text);
    ASSERT_TRUE(parsed) << parsed.error;
    EXPECT_EQ(*parsed.value, records);
}

TEST(WinSimWriteLogTest, MalformedLinesAreRejected)
{
    for (const char* line : {"0 brightness ok", "x brightness 5 ok", "0 brightness 5", "0 brightness 5 okay",
                             "0 brightness 5 failed", "0 brightness 5 failed gremlins", "-1 brightness 5 ok"}) {
        const SimParsed<std::vector<SimWriteRecord>> parsed = parseSimWriteLog(std::string("0 contrast 1 ok\n") + line);
        EXPECT_FALSE(parsed) << line;
        EXPECT_TRUE(parsed.error.starts_with("line 2:")) << parsed.error;
    }
}

TEST(WinSimWriteLogTest, AppendedRecordsReadBackAndNoLogIsNoWrites)
{
    SimScratchFolder folder;
    const std::filesystem::path path = folder.path() / L"writes.log";
    const SimParsed<std::vector<SimWriteRecord>> none = readSimWriteLog(path);
    ASSERT_TRUE(none) << none.error;
    EXPECT_TRUE(none.value->empty());

    const std::vector<SimWriteRecord> records = {{1, "brightness", 7, SimWriteResult::Ok},
                                                 {0, "color-temperature", 9, SimWriteResult::OutOfRange}};
    for (const SimWriteRecord& record : records)
        ASSERT_TRUE(appendSimWriteRecord(path, record));
    const SimParsed<std::vector<SimWriteRecord>> read = readSimWriteLog(path);
    ASSERT_TRUE(read) << read.error;
    EXPECT_EQ(*read.value, records);
}

TEST(WinSimNumberTest, TakesDecimalAndHexWithinThirtyTwoBits)
{
    EXPECT_EQ(parseSimNumber("0"), 0u);
    EXPECT_EQ(parseSimNumber("4294967295"), 4294967295u);
    EXPECT_EQ(parseSimNumber("0xFFFFFFFF"), 4294967295u);
    EXPECT_EQ(parseSimNumber("0x1f"), 31u);
    EXPECT_EQ(formatSimHex(0x3E), "0x3e");
    for (const char* bad : {"", "4294967296", "0x100000000", "0x", "-1", "+1", "12a", " 1", "1.0"})
        EXPECT_FALSE(parseSimNumber(bad).has_value()) << '"' << bad << '"';
}

// The demo configurations sit beside this source, which the cross build
// names by its Unix path; under Wine that path is on drive Z:.
std::filesystem::path besideThisSource(const wchar_t* name)
{
    std::wstring folder = simWiden(__FILE__);
    folder.erase(folder.find_last_of(L"/\\") + 1);
    if (folder.starts_with(L"/"))
        folder.insert(0, L"Z:");
    return folder + name;
}

TEST(WinSimMonitorConfigTest, DemoConfigurationsLoad)
{
    const std::vector<std::pair<const wchar_t*, std::vector<std::wstring>>> demos = {
        {L"demo-monitors.cfg", {L"\\\\.\\DISPLAY1", L"\\\\.\\DISPLAY2"}},
        {L"demo-one-display.cfg", {L"\\\\.\\DISPLAY1", L"\\\\.\\DISPLAY1"}},
    };
    for (const auto& [name, displays] : demos) {
        const SimParsed<SimConfig> loaded = loadSimConfigFile(besideThisSource(name));
        ASSERT_TRUE(loaded) << loaded.error;
        std::vector<std::wstring> found;
        for (const SimMonitorConfig& monitor : loaded.value->monitors) {
            found.push_back(monitor.display);
            EXPECT_EQ(monitor.description, L"Generic Non-PnP Monitor");
            EXPECT_EQ(monitor.range(SimRangedValue::Brightness), (SimRange{0, 70, 100}));
            EXPECT_EQ(monitor.readDelayMs, 40u);
            EXPECT_EQ(monitor.writeDelayMs, 50u);
        }
        EXPECT_EQ(found, displays);
    }
}

} // namespace
