#pragma once

#include "support/PerformsTasksInUiThread.h"
#include "support/kelOwnedMutex.h"
#include "support/kelVaEvent.h"
#include "tasks/PictureValue.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>

class MonitorsProfile;
class MonitorsProfileList;
class MonitorsTasks;
class VtMainWindowUi;

// Drives the main window: turns its events into monitor tasks and profile
// changes, and brings the window up to date with the model.
//
// Threads and locks:
// - Everything but the task events runs on the UI thread: the window's
//   events, the profile and monitor lists' events, and performTasks() (the
//   window's 50 ms timer).
// - Task events arrive on the task worker (MonitorsChanged and ValuesChanged
//   with the tasks' lock held, Finished without it) or on the requester's
//   thread (Dropped, with the tasks' lock released for the raise). Their
//   handler touches only ownTasks, under this manager's own mutex, and the
//   posted codes, and never calls the window.
// - Lock order: the tasks' lock, then this manager's mutex, then the posted
//   codes' mutex. The UI thread takes the tasks' lock only for steps in
//   memory (the task queue never calls a device under it), and never holds
//   it together with the profile list's lock: it copies what it needs under
//   one, then lets go.
// - Task completions run on the worker and hold only the posted codes, never
//   this manager: the worker never ends up the last owner of it (and with it
//   of the window's facets), and a task that finishes after the manager is
//   gone leaves a code nobody reads.
class VtBaseSettingsUiManager : public kelConsumesVaEvents, public PerformsTasksInUiThread {
public:
    // What performTasks() brings up to date.
    enum RefreshCode : int {
        MonitorsChanged = 0,
        ValuesChangedElsewhere = 1,
        OwnChangeDone = 2,
        OwnProfileApplied = 3,
    };

    // Subscribes to the window, its two lists and the task queue; the window
    // and the model objects must outlive this manager.
    VtBaseSettingsUiManager(std::shared_ptr<MonitorsTasks> tasks, std::shared_ptr<MonitorsProfileList> profiles,
                            std::shared_ptr<VtMainWindowUi> settingsUi);
    ~VtBaseSettingsUiManager() override;
    VtBaseSettingsUiManager(const VtBaseSettingsUiManager&) = delete;
    VtBaseSettingsUiManager& operator=(const VtBaseSettingsUiManager&) = delete;

    void onVaEvent(kelRaisesVaEvents* raiser, const kelVaEvent& event) override;
    void performTasks() override;

    void initUi();
    void refreshMonitorList();
    void refreshValues();
    void refreshProfileList();
    // Selects the first profile, by name, whose values are the current ones;
    // clears the selection when none is.
    void syncProfileSelection();
    void onSliderMoved(PictureValue value);
    void saveProfile();
    void restoreOriginals();
    void deleteProfile(const std::wstring& name);
    // Applies the profile of that name as choosing it in the window does;
    // nothing when there is none. The tray's profile menu uses it too.
    void applyProfile(const std::wstring& name);

private:
    // Codes left for the UI thread, from any thread; shared with the task
    // completions that leave them.
    struct PostedCodes {
        kelOwnedMutex mutex;
        std::deque<int> codes;

        void post(int code);
        std::optional<int> take();
    };

    void onTaskEvent(const kelVaEvent& event);
    void perform(int code);
    // A completion that leaves code for the UI thread.
    std::function<void(bool)> postingOnCompletion(int code) const;
    MonitorsProfile currentValuesCopy() const;

    std::shared_ptr<MonitorsTasks> tasks;
    std::shared_ptr<MonitorsProfileList> profiles;
    std::shared_ptr<VtMainWindowUi> settingsUi;
    // Monitor id text → shown name, and back; UI thread only.
    std::map<std::wstring, std::wstring> nameById;
    std::map<std::wstring, std::wstring> idByName;

    mutable kelOwnedMutex mutex;
    // Tasks this manager queued: their value changes are its own and are not
    // echoed back into the window.
    std::set<std::uint32_t> ownTasks;
    const std::shared_ptr<PostedCodes> postedCodes = std::make_shared<PostedCodes>();
};
