#pragma once

#include "monitor/DisplayDeviceInfo.h"
#include "monitor/FakeMonitorControl.h"
#include "monitor/MonitorManager.h"

#include <memory>
#include <mutex>
#include <string>
#include <utility>

// A monitor's display device with every value settable. It may wrap a plain
// platform device, as the platform's merged monitor devices do, so that the
// platform's own name differs from the shown one.
class FakeDisplayDevice : public DisplayDeviceInfo, public WrapsDisplayDevice {
public:
    struct Fields {
        int active = 1;
        std::wstring deviceName = L"\\\\.\\DISPLAY1";
        std::wstring displayName;
        std::wstring instanceName;
        std::wstring manufacturerName;
        std::wstring productCode;
        std::wstring serialNumber;
    };

    explicit FakeDisplayDevice(Fields fields, std::shared_ptr<DisplayDeviceInfo> wrapped = nullptr)
        : fields(std::move(fields)), wrapped(std::move(wrapped))
    {
    }

    int isActive() const override { return fields.active; }
    std::wstring deviceName() const override { return fields.deviceName; }
    std::wstring displayName() const override { return fields.displayName; }
    std::wstring instanceName() const override { return fields.instanceName; }
    std::wstring manufacturerName() const override { return fields.manufacturerName; }
    std::wstring productCode() const override { return fields.productCode; }
    std::wstring serialNumber() const override { return fields.serialNumber; }
    std::shared_ptr<DisplayDeviceInfo> wrappedDevice() const override { return wrapped; }

    const Fields fields;

private:
    std::shared_ptr<DisplayDeviceInfo> wrapped;
};

// One platform monitor over fakes; the test keeps the typed pointers to
// steer the control and inspect what it was given.
class FakeMonitorManager : public MonitorManager {
public:
    FakeMonitorManager(std::shared_ptr<FakeDisplayDevice> display, std::shared_ptr<FakeMonitorControl> fakeControl,
                       std::shared_ptr<DisplayDeviceInfo> adapter = nullptr)
        : display(std::move(display)), fakeControl(std::move(fakeControl)), adapter(std::move(adapter))
    {
    }

    std::shared_ptr<DisplayDeviceInfo> displayDevice() const override { return display; }
    std::shared_ptr<DisplayDeviceInfo> adapterDevice() const override { return adapter; }
    std::shared_ptr<MonitorControl> control() const override { return fakeControl; }

    const std::shared_ptr<FakeDisplayDevice> display;
    const std::shared_ptr<FakeMonitorControl> fakeControl;
    const std::shared_ptr<DisplayDeviceInfo> adapter;
};

// A monitor with one DDC/CI control serving brightness and contrast.
inline std::shared_ptr<FakeMonitorManager> makeFakeMonitor(std::shared_ptr<FakeDisplayDevice> display)
{
    return std::make_shared<FakeMonitorManager>(std::move(display),
                                                std::make_shared<FakeMonitorControl>(L"DDC/CI", ControlMethodHardware));
}

// The same on an active device with just these two names.
inline std::shared_ptr<FakeMonitorManager> makeFakeMonitor(std::wstring displayName, std::wstring instanceName)
{
    FakeDisplayDevice::Fields fields;
    fields.displayName = std::move(displayName);
    fields.instanceName = std::move(instanceName);
    return makeFakeMonitor(std::make_shared<FakeDisplayDevice>(std::move(fields)));
}

// A platform monitors manager whose refresh publishes, as a new list, the
// monitors last handed to publish(). Safe to steer from the test thread while
// a worker refreshes.
class FakeMonitorsManager : public MonitorsManager {
public:
    std::shared_ptr<const MonitorManagerList> monitors() override
    {
        std::lock_guard guard(mutex);
        return list;
    }

    bool refresh() override
    {
        std::lock_guard guard(mutex);
        ++refreshes;
        if (refreshFails)
            return false;
        list = std::make_shared<const MonitorManagerList>(published);
        return true;
    }

    void publish(MonitorManagerList monitors)
    {
        std::lock_guard guard(mutex);
        published = std::move(monitors);
    }

    void failRefreshes(bool fail)
    {
        std::lock_guard guard(mutex);
        refreshFails = fail;
    }

    int refreshCount()
    {
        std::lock_guard guard(mutex);
        return refreshes;
    }

    // What the program asked for when it made this platform manager.
    void noteRequest(ControlMethod method)
    {
        std::lock_guard guard(mutex);
        requestedMethod = method;
    }

    ControlMethod lastRequestedMethod()
    {
        std::lock_guard guard(mutex);
        return requestedMethod;
    }

private:
    std::mutex mutex;
    std::shared_ptr<const MonitorManagerList> list = std::make_shared<const MonitorManagerList>();
    MonitorManagerList published;
    bool refreshFails = false;
    int refreshes = 0;
    ControlMethod requestedMethod = ControlMethodNone;
};

// A platform factory (as VtMonitorsManager takes one) that hands out the same
// fake for every refresh, so the test decides what each refresh finds.
inline auto sameFakePlatform(std::shared_ptr<FakeMonitorsManager> fake)
{
    return [fake = std::move(fake)](ControlMethod method) -> std::shared_ptr<MonitorsManager> {
        fake->noteRequest(method);
        return fake;
    };
}
