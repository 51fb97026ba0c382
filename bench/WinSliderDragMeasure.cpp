// The slider drag against the simulated DDC/CI monitor: the program's own
// monitor back-ends over the real platform, where the dxva2.dll beside this
// exe plays one monitor behind the first display, taking 50 ms per write.
// The drags hold their last move back by steps spread over one write time, so
// that the settle median covers every point of a write the last move can hit.
// The device's own files count the writes it received and tell the value it
// ended at. Prints the figures of every drag and their summary; exits with 1
// when a drag left the device off the slider's last position.
//
// The notifications go through the program's main window: its brightness
// trackbar is moved and the window gets the trackbar's scroll notification,
// as a dragging hand makes it, and the window's timer runs between them.
// "--window 0" queues the writes directly instead, as the window's handler
// does, to tell the window's own cost apart.
//
// Usage: vantrel_slider_drag [--drags N] [--read-delay-ms N] [--window 0|1]
#include "SliderDrag.h"
#include "backends/WinAllMonitorsManager.h"
#include "backends/WinMonitorConfigurationApi.h"
#include "backends/WinMonitorPlatform.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/VtMonitorsManager.h"
#include "monitor/VtMonitorsState.h"
#include "profiles/MonitorsProfile.h"
#include "sim/SimScratchFolder.h"
#include "sim/dll/SimMonitorConfig.h"
#include "sim/dll/SimMonitorState.h"
#include "sim/dll/SimTextFiles.h"
#include "sim/dll/SimWriteLog.h"
#include "profiles/MonitorsProfileList.h"
#include "support/PerformsTasksInUiThread.h"
#include "tasks/MonitorsTasks.h"
#include "ui/CVtWindowsDlg.h"
#include "ui/VtBaseSettingsUiManager.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr auto writeTime = std::chrono::milliseconds(50);

struct Options {
    // Ten last-move points over one write time, for a steady settle median.
    int drags = 10;
    // Real DDC/CI monitors take about 40 ms per read; a set-value reads only when its write fails.
    std::uint32_t readDelayMs = 40;
    bool throughWindow = true;
};

std::optional<Options> parseOptions(int argc, wchar_t** argv)
{
    Options options;
    for (int index = 1; index + 1 < argc; index += 2) {
        wchar_t* end = nullptr;
        const long value = std::wcstol(argv[index + 1], &end, 10);
        if (end == argv[index + 1] || *end != L'\0' || value < 0 || value > 100000)
            return std::nullopt;
        if (std::wcscmp(argv[index], L"--drags") == 0 && value > 0)
            options.drags = static_cast<int>(value);
        else if (std::wcscmp(argv[index], L"--read-delay-ms") == 0)
            options.readDelayMs = static_cast<std::uint32_t>(value);
        else if (std::wcscmp(argv[index], L"--window") == 0 && value <= 1)
            options.throughWindow = value == 1;
        else
            return std::nullopt;
    }
    return argc % 2 == 1 ? std::optional(options) : std::nullopt;
}

// The first display in the order the platform lists them, the one the DDC/CI back-end meets first.
std::wstring firstDisplayName(WinMonitorConfigurationApi& api)
{
    std::vector<HMONITOR> displays;
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    if (!api.enumDisplayMonitors(displays) || displays.empty() || !api.getMonitorInfo(displays.front(), info))
        throw std::runtime_error("the platform lists no display");
    return info.szDevice;
}

// One simulated monitor behind a display, configured in a scratch folder and
// read back from the files the simulated dxva2.dll keeps.
class SimulatedMonitor {
public:
    SimulatedMonitor(const std::wstring& display, std::uint32_t readDelayMs)
    {
        monitor.display = display;
        monitor.readDelayMs = readDelayMs;
        monitor.writeDelayMs = static_cast<std::uint32_t>(writeTime.count());
        if (!saveSimConfigFile(configPath, {{}, {}, {monitor}}))
            throw std::runtime_error("cannot write " + simNarrow(configPath.native()));
        // Before any dxva2 call: the DLL takes its configuration from here on every call.
        if (!SetEnvironmentVariableW(simConfigVariable, configPath.c_str()))
            throw std::runtime_error("cannot set VANTREL_SIM_DDC");
    }

    const SimRange& brightness() const { return monitor.range(SimRangedValue::Brightness); }

    SliderDrag::DeviceReading read() const
    {
        const SimParsed<std::vector<SimWriteRecord>> log = readSimWriteLog(configPath.native() + L".log");
        if (!log)
            throw std::runtime_error("write log: " + log.error);
        return {currentBrightness(), static_cast<int>(log.value->size())};
    }

private:
    std::uint32_t currentBrightness() const
    {
        const std::filesystem::path statePath = configPath.native() + L".state";
        // Until its first write the monitor keeps no state file and holds what it was configured with.
        if (!std::filesystem::exists(statePath))
            return brightness().current;
        const SimParsed<SimState> state = readSimStateFile(statePath);
        if (!state || state.value->monitors.empty())
            throw std::runtime_error("state file: " + (state ? "no monitor" : state.error));
        return state.value->monitors.front().value(SimRangedValue::Brightness);
    }

    SimScratchFolder folder;
    std::filesystem::path configPath = folder.path() / L"slider-drag.cfg";
    SimMonitorConfig monitor;
};

// The listed monitor the simulated one reaches: behind its display, with DDC/CI serving brightness.
std::shared_ptr<MonitorManager> simulatedMonitorIn(const MonitorManagerList& listed, const std::wstring& display)
{
    const auto found = std::find_if(listed.begin(), listed.end(), [&](const std::shared_ptr<MonitorManager>& each) {
        const auto adapter = each->adapterDevice();
        return adapter && adapter->deviceName() == display && each->control()->controlName(Brightness) == L"DDC/CI";
    });
    if (found == listed.end())
        throw std::runtime_error("no listed monitor behind " + simNarrow(display) + " is served by DDC/CI");
    return *found;
}

// The program's main window over the queue, its monitor box on the
// simulated monitor, driven on this thread as its user would drive it.
class MainWindowDrag {
public:
    MainWindowDrag(const std::shared_ptr<MonitorsTasks>& tasks, const MonitorManager& monitor)
    {
        uiTasks->add(manager = std::make_shared<VtBaseSettingsUiManager>(
                         tasks, std::make_shared<MonitorsProfileList>(), window));
        if (!window->create())
            throw std::runtime_error("the main window could not be made");
        if (!window->monitorList().select(monitor.displayDevice()->displayName()))
            throw std::runtime_error("the main window does not list the simulated monitor");
        window->monitorList().raiseEvent(ValueListUi<std::wstring>::VaEvent{});
    }

    // The trackbar moves, then tells its window, as under a dragging hand.
    void move(float fraction) const
    {
        const int position = static_cast<int>(std::lround(fraction * 100.0f));
        HWND slider = GetDlgItem(window->hwnd(), brightnessSlider);
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
        SendMessageW(window->hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                     reinterpret_cast<LPARAM>(slider));
    }

    // The window's messages (its timer among them) until due.
    static void pumpUntil(std::chrono::steady_clock::time_point due)
    {
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(due - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left.count()), QS_ALLINPUT);
        }
    }

private:
    static constexpr int brightnessSlider = 1005;

    std::shared_ptr<PerformsTasksInUiThreadObjList> uiTasks = std::make_shared<PerformsTasksInUiThreadObjList>();
    std::shared_ptr<CVtWindowsDlg> window = std::make_shared<CVtWindowsDlg>(nullptr, uiTasks, nullptr, L"");
    std::shared_ptr<VtBaseSettingsUiManager> manager;
};

void printDrag(int number, std::chrono::microseconds lastMovePause, const SliderDrag::Result& result)
{
    std::printf("drag %d (last move %.1f ms late): %d writes, final value %s, settled %.1f ms after the last move "
                "(%.1f ms after queueing it), longest handler %.2f ms\n",
                number, lastMovePause.count() / 1000.0, result.writes, result.finalValueReached ? "reached" : "MISSED", result.settleMilliseconds,
                result.settleAfterQueueingMilliseconds, result.longestHandlerMilliseconds());
}

void printFigures(const SliderDrag::Figures& figures)
{
    std::printf("writes received: median %.0f, max %.0f (goal %d or fewer)\n", figures.writesMedian(),
                figures.writesMax(), SliderDrag::writesGoal(writeTime));
    std::printf("final value reached: %s (must)\n", figures.allFinalValuesReached() ? "every drag" : "NOT ALWAYS");
    std::printf("settle ms: median %.1f, max %.1f (goal %.0f or less)\n", figures.settleMedian(), figures.settleMax(),
                SliderDrag::settleGoalMilliseconds(writeTime));
    std::printf("settle after queueing ms: median %.1f\n", figures.settleAfterQueueingMedian());
    std::printf("write cycle ms (one write's end to the next's): median %.1f\n", figures.writeCycleMedian());
    std::printf("handler ms (queueing a move and reading the values for its label): median %.2f, max %.2f "
                "(goal %.0f or less)\n",
                figures.handlerMedian(), figures.handlerMax(), SliderDrag::handlerGoalMilliseconds);
}

int measure(const Options& options)
{
    const auto platform = WinMonitorPlatform::real();
    const std::wstring display = firstDisplayName(*platform->monitorConfiguration);
    const SimulatedMonitor simulated(display, options.readDelayMs);

    // The worker initialises COM for the back-ends itself.
    const auto tasks = std::make_shared<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
        [platform](ControlMethod method) { return std::make_shared<WinAllMonitorsManager>(platform, method); },
        std::make_shared<DisplayDeviceInfoDb>(), std::make_shared<VtMonitorsState>(Original),
        std::make_shared<VtMonitorsState>(Controlled), ControlMethodHardware));
    const auto monitor = simulatedMonitorIn(SliderDrag::enumerate(*tasks), display);
    SliderDrag::Target target{profileIdOf(*monitor), simulated.brightness().minimum,
                              simulated.brightness().maximum, [&simulated] { return simulated.read(); }, {}, {}};
    std::optional<MainWindowDrag> window;
    if (options.throughWindow) {
        window.emplace(tasks, *monitor);
        target.move = [&window](float fraction) { window->move(fraction); };
        target.waitUntil = &MainWindowDrag::pumpUntil;
    }

    std::printf("slider drag against the simulated DDC/CI monitor behind %s: %d drags of %d notifications "
                "over %d s, %lld ms per write, %u ms per read, %s\n",
                simNarrow(display).c_str(), options.drags, SliderDrag::notificationsPerSecond * SliderDrag::seconds,
                SliderDrag::seconds, static_cast<long long>(writeTime.count()), options.readDelayMs,
                options.throughWindow ? "through the main window's trackbar" : "queued directly");
    SliderDrag::Figures figures;
    for (int number = 1; number <= options.drags; ++number) {
        const auto lastMovePause =
            std::chrono::duration_cast<std::chrono::microseconds>(writeTime) * (number - 1) / options.drags;
        const SliderDrag::Result result = SliderDrag::drag(*tasks, target, lastMovePause);
        printDrag(number, lastMovePause, result);
        std::fflush(stdout);
        figures.add(result);
    }
    printFigures(figures);
    return figures.allFinalValuesReached() ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: vantrel_slider_drag [--drags N] [--read-delay-ms N] [--window 0|1]\n");
        return 2;
    }
    try {
        return measure(*options);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "vantrel_slider_drag: %s\n", failure.what());
        return 2;
    }
}
