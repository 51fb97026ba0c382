#pragma once

#include "monitor/MonitorManager.h"
#include "monitor/MonitorValueKinds.h"

#include <functional>
#include <mutex>
#include <memory>
#include <string>
#include <unordered_map>

class DisplayDeviceInfoDb;
class VtMonitorsState;

// The program's monitor list: the platform's merged monitors that can change
// brightness and are active, each under its stable id from the device
// database, with kept states re-applied and first-seen states recorded.
//
// Everything but monitors() and idForLegacyName() runs on the monitor-task
// worker. Those two may be called from any thread, while a refresh runs: the
// list is replaced as a whole under a lock of its own, held for no device call.
class VtMonitorsManager : public MonitorsManager {
public:
    // Makes the platform's monitors manager for one refresh; the program
    // supplies the real one, tests a fake.
    using PlatformFactory = std::function<std::shared_ptr<MonitorsManager>(ControlMethod preferredMethod)>;

    VtMonitorsManager(PlatformFactory makePlatform, std::shared_ptr<DisplayDeviceInfoDb> deviceDb,
                      std::shared_ptr<VtMonitorsState> originalStates,
                      std::shared_ptr<VtMonitorsState> controlledStates, ControlMethod preferredMethod);

    std::shared_ptr<const MonitorManagerList> monitors() override;
    bool refresh() override;
    void captureControlledStates() override;
    bool restoreOriginalStates() override;
    // Lets go of the list and of the platform manager, and with them of every
    // control and platform object they hold; monitors() is empty afterwards.
    // Called on the thread that made them, before it ends.
    void releaseMonitors();
    // The id text of the monitor the platform once named name; empty when unknown.
    std::wstring idForLegacyName(const std::wstring& name) const;

private:
    void publish(std::shared_ptr<const MonitorManagerList> monitors);

    PlatformFactory makePlatform;
    // Guards list and legacyIds, which readers on other threads reach.
    mutable std::mutex publishedMutex;
    std::shared_ptr<const MonitorManagerList> list;
    std::shared_ptr<DisplayDeviceInfoDb> deviceDb;
    std::shared_ptr<VtMonitorsState> originalStates;
    std::shared_ptr<VtMonitorsState> controlledStates;
    ControlMethod preferredMethod;
    std::shared_ptr<MonitorsManager> platform;
    std::unordered_map<std::wstring, std::wstring> legacyIds;
};
