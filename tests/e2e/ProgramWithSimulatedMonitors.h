#pragma once

#include "app/kelWinAppDataFolder.h"
#include "e2e/WinTestPrefix.h"
#include "sim/SimulatedDisplays.h"
#include "sim/dll/SimWriteLog.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// The program needs a monitor to start: a simulated DDC/CI monitor behind
// every display the platform lists, answering without delay, handed to the
// program through the environment it inherits from the test. The program
// keeps its files in the data folder of this Wine prefix's user, so every
// test first proves that prefix to be the tests' own.
class ProgramWithSimulatedMonitorsTest : public SimulatedMonitorsTest {
protected:
    void SetUp() override
    {
        const std::string refusal = WinTestPrefix::whyNotATestPrefix();
        ASSERT_TRUE(refusal.empty()) << refusal;
        displays = simDisplayNames();
        ASSERT_FALSE(displays.empty());
        simulate(quickMonitors());
    }

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

    std::vector<std::wstring> displays;
};
