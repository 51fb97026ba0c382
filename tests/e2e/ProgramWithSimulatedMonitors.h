#pragma once

#include "app/kelWinAppDataFolder.h"
#include "sim/SimulatedDisplays.h"

#include <filesystem>
#include <string>
#include <system_error>

// The program needs a monitor to start: a simulated DDC/CI monitor behind
// every display the platform lists, answering without delay, handed to the
// program through the environment it inherits from the test.
class ProgramWithSimulatedMonitorsTest : public SimulatedMonitorsTest {
protected:
    void SetUp() override
    {
        displays = simDisplayNames();
        ASSERT_FALSE(displays.empty());
        SimConfig config;
        for (const auto& display : displays)
            config.monitors.push_back(quickSimMonitor(display));
        simulate(config);
    }

    // The data folder the program uses for this user.
    static std::filesystem::path dataFolder()
    {
        return kelWinAppDataFolder(L"Vantrel", L"Vantrel Software").folder(false);
    }

    // Makes the next start a first start.
    static void forgetEverySettingsFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dataFolder(), ignored);
    }

    std::vector<std::wstring> displays;
};
