#pragma once

#include "e2e/WinProgramUnderTest.h"
#include "e2e/WinTestPrefix.h"
#include "sim/SimulatedDisplays.h"
#include "sim/dll/SimWriteLog.h"
#include "system/kelWinAppDataFolder.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

// The program needs a monitor to start: a simulated DDC/CI monitor behind
// every display the platform lists, answering without delay, handed to the
// program through the environment it inherits from the test. The program
// keeps its files in the data folder of this Wine prefix's user, so every
// test first proves that prefix to be the tests' own. Each test starts from
// what it puts in place itself: no settings file (whatever an earlier test
// or run left is deleted), and monitors whose state file exists from the
// start, so that every look at them reads what they hold.
class ProgramWithSimulatedMonitorsTest : public SimulatedMonitorsTest {
protected:
    void SetUp() override
    {
        const std::string refusal = WinTestPrefix::whyNotATestPrefix();
        ASSERT_TRUE(refusal.empty()) << refusal;
        ASSERT_TRUE(WinProgramUnderTest::endLeftoverPrograms()) << "an earlier test's program cannot be ended";
        displays = simDisplayNames();
        ASSERT_FALSE(displays.empty());
        ASSERT_TRUE(forgetEverySettingsFile());
        putMonitors(quickMonitors());
    }

    // The monitors the program meets at its next start, holding their configured values.
    void putMonitors(const SimConfig& config)
    {
        simulate(config);
        ASSERT_TRUE(writeSimStateFile(statePath(), simStartingState(config, {})));
    }

    std::filesystem::path statePath() const { return configPath.native() + L".state"; }

    // A quick simulated monitor behind every display.
    SimConfig quickMonitors() const
    {
        SimConfig config;
        for (const auto& display : displays)
            config.monitors.push_back(quickSimMonitor(display));
        return config;
    }

    // The data folder the program uses for this user.
    static std::filesystem::path dataFolder()
    {
        return kelWinAppDataFolder(L"Vantrel", L"Vantrel Software").folder(false);
    }

    // Makes the next start a first start; refuses outside a proven test prefix.
    [[nodiscard]] static bool forgetEverySettingsFile()
    {
        if (!WinTestPrefix::whyNotATestPrefix().empty())
            return false;
        std::error_code ignored;
        std::filesystem::remove_all(dataFolder(), ignored);
        return true;
    }

    // Every write the simulated monitors received so far.
    std::vector<SimWriteRecord> monitorWrites() const
    {
        const auto log = readSimWriteLog(configPath.native() + L".log");
        EXPECT_TRUE(log) << log.error;
        return log.value.value_or(std::vector<SimWriteRecord>{});
    }

    // Writes a settings file into the data folder, making the folder first.
    [[nodiscard]] static bool writeDataFile(const char* name, const std::string& bytes)
    {
        std::error_code ignored;
        std::filesystem::create_directories(dataFolder(), ignored);
        std::ofstream out(dataFolder() / name, std::ios::binary | std::ios::trunc);
        out << bytes;
        return static_cast<bool>(out.flush());
    }

    // Every monitor's brightness as the simulated monitors hold it now;
    // nothing when their state file cannot be read, which no expected list
    // of values equals.
    std::optional<std::vector<std::uint32_t>> brightnesses() const
    {
        const auto read = readSimStateFile(statePath());
        if (!read)
            return std::nullopt;
        std::vector<std::uint32_t> values;
        for (const auto& monitor : read.value->monitors)
            values.push_back(monitor.value(SimRangedValue::Brightness));
        return values;
    }

    // The brightnesses as soon as done says so, or as they are when the time is up.
    std::optional<std::vector<std::uint32_t>>
    awaitBrightnesses(const std::function<bool(const std::vector<std::uint32_t>&)>& done,
                      std::chrono::milliseconds timeout) const
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        auto now = brightnesses();
        while (!(now && done(*now)) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            now = brightnesses();
        }
        return now;
    }

    std::vector<std::wstring> displays;
};
