#include "backends/FakeDisplayDevicesApi.h"
#include "backends/FakeGammaRampApi.h"
#include "backends/FakeMonitorConfigurationApi.h"
#include "backends/FakeWmiApi.h"
#include "backends/WinAllMonitorsManager.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "tasks/MonitorsTasks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using generic_task = MonitorsTasks::generic_task;
using monitor_task = MonitorsTasks::monitor_task;

const std::wstring panelWmiName = L"DISPLAY\\SDC4152\\4&2d5f1e0&0&UID4352_0";
const std::wstring panelPath = L"\\\\?\\DISPLAY#SDC4152#4&2d5f1e0&0&UID4352#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7}";

// A laptop whose built-in panel only WMI reaches.
std::shared_ptr<WinMonitorPlatform> laptopPanelOverWmi(FakeWmiNamespace& space)
{
    auto devices = std::make_shared<FakeDisplayDevicesApi>();
    devices->addAdapter(L"\\\\.\\DISPLAY1").monitors = {
        {L"\\\\.\\DISPLAY1\\Monitor0", L"Generic PnP Monitor", L"MONITOR\\SDC4152\\0000", panelPath}};
    addFakeWmiPanel(space, panelWmiName);

    auto platform = std::make_shared<WinMonitorPlatform>();
    platform->displayDevices = devices;
    platform->monitorConfiguration = std::make_shared<FakeMonitorConfigurationApi>();
    platform->gammaRamp = std::make_shared<FakeGammaRampApi>();
    platform->wmi = std::make_shared<FakeWmiApi>(space);
    return platform;
}

bool runAndWait(MonitorsTasks& tasks, std::unique_ptr<TasksProcessorTaskDetails> details)
{
    const auto task = tasks.queueTask(std::move(details), {}, true);
    task->wait();
    return task->result();
}

// The worker enters a single-threaded COM apartment, and the WMI objects its
// tasks make belong to it: they must be released there, before the worker
// leaves it, not on the thread that destroys the queue afterwards.
TEST(MonitorsTasksOverWmi, EveryComObjectTheWorkerMadeIsReleasedThereBeforeItLeavesItsApartment)
{
    // Declared first: it owns the fake objects' memory and must outlive every holder.
    FakeWmiNamespace space;
    const auto platform = laptopPanelOverWmi(space);
    auto tasks = std::make_unique<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
        [platform](ControlMethod method) { return std::make_shared<WinAllMonitorsManager>(platform, method); },
        std::make_shared<DisplayDeviceInfoDb>(), std::make_shared<VtMonitorsState>(Original),
        std::make_shared<VtMonitorsState>(Controlled), ControlMethodHardware));

    ASSERT_TRUE(runAndWait(*tasks, std::make_unique<generic_task>(generic_task::Enumerate)));
    // The panel's only back-end is WMI: the write makes and drops WMI objects too.
    ASSERT_TRUE(runAndWait(*tasks, std::make_unique<monitor_task>(L"1", PictureValue::Brightness, 0.4f)));
    DWORD worker = 0;
    const auto noteWorker = [&worker](const auto&) {
        worker = GetCurrentThreadId();
        return true;
    };
    ASSERT_TRUE(runAndWait(*tasks, std::make_unique<generic_task>(generic_task::Custom, nullptr, noteWorker)));
    ASSERT_EQ(space.methodCalls.size(), 1u) << "the panel's brightness went through WMI";
    ASSERT_GT(space.liveObjects(), 0) << "the listed panel holds its WMI connection and objects";

    tasks.reset();

    EXPECT_EQ(space.liveObjects(), 0);
    const auto releases = space.releases();
    ASSERT_FALSE(releases.empty());
    const auto outsideTheApartment =
        std::count_if(releases.begin(), releases.end(), [worker](const FakeComRelease& call) {
            return call.thread != worker || !call.inSingleThreadedApartment;
        });
    EXPECT_EQ(outsideTheApartment, 0) << "of " << releases.size()
                                      << " Release calls, these came off the worker or after it left COM";
}

} // namespace
