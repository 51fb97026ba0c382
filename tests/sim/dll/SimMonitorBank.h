#pragma once

#include "SimMonitorConfig.h"
#include "SimMonitorState.h"
#include "SimWriteLog.h"

#include <windows.h>

#include <highlevelmonitorconfigurationapi.h>
#include <physicalmonitorenumerationapi.h>

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// The simulated monitors behind the exported dxva2 functions: one per
// section of the file that VANTREL_SIM_DDC names. Every call looks at the
// variable again; when it names another file, the configuration and state
// are loaded afresh and the handles given out before are void, so each test
// can bring its own monitors. All calls are serialised by one mutex, and a
// command holds it through its delay, as a DDC/CI bus carries one command at
// a time.
//
// Each operation returns the platform's BOOL and sets the last error on failure.
class SimMonitorBank {
public:
    static SimMonitorBank& instance();

    BOOL countPhysicalMonitors(HMONITOR display, DWORD* count);
    BOOL physicalMonitors(HMONITOR display, DWORD size, PHYSICAL_MONITOR* monitors);
    BOOL destroy(HANDLE handle);

    BOOL capabilities(HANDLE handle, DWORD* capabilities, DWORD* colorTemperatures);
    BOOL readRange(HANDLE handle, SimRangedValue value, DWORD* minimum, DWORD* current, DWORD* maximum);
    BOOL writeRange(HANDLE handle, SimRangedValue value, DWORD newValue);
    BOOL readColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE* colorTemperature);
    BOOL writeColorTemperature(HANDLE handle, MC_COLOR_TEMPERATURE colorTemperature);
    BOOL technologyType(HANDLE handle, MC_DISPLAY_TECHNOLOGY_TYPE* type);
    BOOL saveSettings(HANDLE handle);
    BOOL restoreFactoryDefaults(HANDLE handle);
    BOOL restoreFactoryColorDefaults(HANDLE handle);
    // Degauss and display-area geometry: no simulated monitor claims them.
    BOOL refuseTubeCommand(HANDLE handle);

private:
    using Read = std::function<DWORD(const SimMonitorConfig&, const SimMonitorState&)>; // 0 or a last error
    using Write = std::function<SimWriteResult(const SimMonitorConfig&, SimMonitorState&)>;

    // Loads the configuration that the variable names now, unless it is loaded already.
    void follow();
    std::optional<size_t> monitorOf(HANDLE handle) const;
    BOOL read(HANDLE handle, const Read& answer);
    BOOL write(HANDLE handle, std::string_view setting, DWORD value, const Write& apply);
    // The configured monitors behind a display; nothing for a display handle the system does not know.
    std::optional<std::vector<size_t>> monitorsOf(HMONITOR display) const;

    std::mutex mutex;
    std::optional<std::wstring> followedVariable; // nothing before the first call
    std::string configError;
    SimConfig config;
    SimState state;
    std::map<HANDLE, size_t> handles; // physical monitor handle to monitor index
    std::uintptr_t lastHandle = 0x5D0000;
};
