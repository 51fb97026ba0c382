#pragma once

#include "monitor/FakeMonitorControl.h"
#include "monitor/FakeMonitorsManager.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

// A monitor as the program's list holds it: known by its id text.
inline std::shared_ptr<MonitorManager> listedMonitor(std::wstring id, std::shared_ptr<FakeMonitorControl> control)
{
    FakeDisplayDevice::Fields fields;
    fields.displayName = L"Monitor #" + id;
    fields.instanceName = std::move(id);
    return std::make_shared<FakeMonitorManager>(std::make_shared<FakeDisplayDevice>(std::move(fields)),
                                                std::move(control));
}

// A control whose brightness reads current of minimum..maximum.
inline std::shared_ptr<FakeMonitorControl> fakeControl(std::uint32_t minimum, std::uint32_t current,
                                                       std::uint32_t maximum, std::wstring backEnd = L"DDC/CI")
{
    auto control = std::make_shared<FakeMonitorControl>(std::move(backEnd), ControlMethodHardware);
    control->brightness = {minimum, current, maximum};
    return control;
}
