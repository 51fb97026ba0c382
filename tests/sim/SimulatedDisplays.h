#pragma once

// What tests need to put simulated DDC/CI monitors behind the displays the
// platform lists: the displays' names, a monitor that answers without delay,
// and a configuration that lives as long as the test.
#include "sim/SimScratchFolder.h"
#include "sim/dll/SimMonitorConfig.h"
#include "sim/dll/SimMonitorState.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

inline BOOL CALLBACK collectSimDisplayName(HMONITOR display, HDC, LPRECT, LPARAM names)
{
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(display, &info))
        reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(info.szDevice);
    return TRUE;
}

// The display names the platform lists, in its order.
inline std::vector<std::wstring> simDisplayNames()
{
    std::vector<std::wstring> names;
    EnumDisplayMonitors(nullptr, nullptr, collectSimDisplayName, reinterpret_cast<LPARAM>(&names));
    return names;
}

inline SimMonitorConfig quickSimMonitor(const std::wstring& display)
{
    SimMonitorConfig monitor;
    monitor.display = display;
    monitor.readDelayMs = 0;
    monitor.writeDelayMs = 0;
    return monitor;
}

// Points the simulated dxva2.dll at a configuration of the test's own and
// reads back what the monitors were left holding.
class SimulatedMonitorsTest : public ::testing::Test {
protected:
    void TearDown() override { SetEnvironmentVariableW(simConfigVariable, nullptr); }

    void simulate(const SimConfig& config)
    {
        ASSERT_TRUE(saveSimConfigFile(configPath, config));
        ASSERT_TRUE(SetEnvironmentVariableW(simConfigVariable, configPath.c_str()));
    }

    SimState state() const
    {
        SimParsed<SimState> read = readSimStateFile(configPath.native() + L".state");
        EXPECT_TRUE(read) << read.error;
        return read.value.value_or(SimState{});
    }

    SimScratchFolder folder;
    std::filesystem::path configPath = folder.path() / L"monitors.cfg";
};
