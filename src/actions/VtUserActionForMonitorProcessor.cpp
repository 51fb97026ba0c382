#include "actions/VtUserActionForMonitorProcessor.h"

#include "actions/VtUserAction.h"
#include "profiles/MonitorsProfile.h"
#include "profiles/MonitorsProfileList.h"
#include "tasks/MonitorsTasks.h"

#include <algorithm>
#include <optional>

namespace {

using generic_task = MonitorsTasks::generic_task;

// A step's Custom task makes nothing obsolete, so the hold on the queue is
// kept while it is queued.
constexpr bool keepHold = true;

// A profile switch drops the pending passes it covers (a held-down hotkey
// switching again and again), and lets go of the hold for a moment to say so.
void queueApply(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock,
                std::shared_ptr<MonitorsProfile> profile)
{
    tasks.queueTask(heldLock, !keepHold, std::make_unique<generic_task>(generic_task::ApplyProfile, std::move(profile)),
                    {}, false, {});
}

// Moves every monitor's brightness and contrast by the steps, within 0..1;
// true when any value moved.
bool stepAll(MonitorsProfile& values, float brightnessDelta, float contrastDelta)
{
    bool changed = false;
    for (const auto& [id, entry] : values.monitors) {
        const float brightness = std::clamp(entry->brightness + brightnessDelta, 0.0f, 1.0f);
        const float contrast = std::clamp(entry->contrast + contrastDelta, 0.0f, 1.0f);
        if (brightness == entry->brightness && contrast == entry->contrast)
            continue;
        entry->brightness = brightness;
        entry->contrast = contrast;
        entry->setModified(true);
        changed = true;
    }
    return changed;
}

} // namespace

VtUserActionForMonitorProcessor::VtUserActionForMonitorProcessor(const std::shared_ptr<MonitorsTasks>& tasks,
                                                                 const std::shared_ptr<MonitorsProfileList>& profiles)
    : monitorsTasks(tasks), profileList(profiles), stateKeeper(tasks)
{
    tasks->addConsumer(this);
}

VtUserActionForMonitorProcessor::~VtUserActionForMonitorProcessor()
{
    const auto tasks = monitorsTasks.lock();
    if (!tasks)
        return;
    // Waits for a drain in progress on the worker to end.
    tasks->removeConsumer(this);
    withdrawAll();
}

void VtUserActionForMonitorProcessor::withdrawAll()
{
    const auto tasks = monitorsTasks.lock();
    const auto queueLock = tasks ? tasks->autoLock() : nullptr;
    const auto own = lock();
    pendingActions.clear();
    if (!activeActions.empty() && queueLock)
        stateKeeper.restore(queueLock);
    activeActions.clear();
    stateKeeper.reset();
}

bool VtUserActionForMonitorProcessor::process(const std::shared_ptr<VtUserAction>& action, bool restorable)
{
    {
        const auto own = lock();
        pendingActions.push_back({action, restorable});
    }
    drain();
    return true;
}

bool VtUserActionForMonitorProcessor::withdraw(const std::shared_ptr<VtUserAction>& action)
{
    const auto tasks = monitorsTasks.lock();
    const auto queueLock = tasks ? tasks->autoLock() : nullptr;
    const auto own = lock();
    if (activeActions.erase(action) > 0) {
        if (activeActions.empty() && queueLock)
            stateKeeper.restore(queueLock);
        if (activeActions.empty())
            stateKeeper.reset();
        return true;
    }
    const auto pending = std::ranges::find(pendingActions, action, &PendingUserAction::action);
    if (pending == pendingActions.end())
        return false;
    pendingActions.erase(pending);
    return true;
}

void VtUserActionForMonitorProcessor::onVaEvent(kelRaisesVaEvents*, const kelVaEvent& event)
{
    const auto* raised = dynamic_cast<const MonitorsTasks::Event*>(&event);
    if (raised && raised->kind == MonitorsTasks::Event::QueueEmpty)
        drain();
}

void VtUserActionForMonitorProcessor::drain()
{
    const auto tasks = monitorsTasks.lock();
    if (!tasks)
        return;
    const auto profiles = profileList.lock();
    const auto queueLock = tasks->autoLock();
    // Busy: the next QueueEmpty drains. Tasks queued below do not stop this
    // pass, so every action waiting now runs, in order.
    if (tasks->pendingTaskCount() != 0)
        return;
    {
        // A profile switch lets go of the queue's lock for a moment; another
        // thread's drain must not slip an action in ahead of the one it queues.
        const auto own = lock();
        if (draining)
            return;
        draining = true;
    }
    for (;;) {
        std::optional<PendingUserAction> entry;
        {
            const auto own = lock();
            if (pendingActions.empty()) {
                draining = false;
                return;
            }
            entry = std::move(pendingActions.front());
            pendingActions.pop_front();
        }
        run(*tasks, queueLock, *entry, profiles.get());
    }
}

void VtUserActionForMonitorProcessor::run(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock,
                                          const PendingUserAction& entry, MonitorsProfileList* profiles)
{
    const VtUserAction& action = *entry.action;
    if (action.kind != AdjustBrightnessContrast && action.kind != SetProfile)
        return;
    if (entry.restorable)
        activate(entry.action, heldLock);
    if (action.kind == AdjustBrightnessContrast)
        queueAdjust(tasks, heldLock, action.brightnessDelta, action.contrastDelta);
    else
        queueProfile(tasks, heldLock, profiles, action.profileName);
}

void VtUserActionForMonitorProcessor::activate(const std::shared_ptr<VtUserAction>& action,
                                               const MonitorsTasks::Autolock& heldLock)
{
    const auto own = lock();
    if (stateKeeper.isEmpty())
        stateKeeper.keepCurrent(heldLock);
    activeActions.insert(action);
}

void VtUserActionForMonitorProcessor::queueAdjust(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock,
                                                  float brightnessDelta, float contrastDelta)
{
    auto step = [&tasks, brightnessDelta, contrastDelta](const MonitorsTasks::Autolock&) {
        return stepAll(*tasks.currentValues(), brightnessDelta, contrastDelta);
    };
    // A step that moved nothing (every monitor at its limit) costs no device call.
    auto applyIfMoved = [&tasks](bool moved) {
        if (moved)
            tasks.queueTask(std::make_unique<generic_task>(generic_task::ApplyProfile));
    };
    tasks.queueTask(heldLock, keepHold, std::make_unique<generic_task>(generic_task::Custom, nullptr, std::move(step)),
                    std::move(applyIfMoved), false, {});
}

void VtUserActionForMonitorProcessor::queueProfile(MonitorsTasks& tasks, const MonitorsTasks::Autolock& heldLock,
                                                   MonitorsProfileList* profiles, const std::wstring& name)
{
    if (!profiles)
        return;
    // A copy: the worker reads the profile without the list's lock, while the
    // UI thread may save that name again (refilling the list's own profile)
    // or delete it.
    if (auto profile = profiles->copyOf(name))
        queueApply(tasks, heldLock, std::move(profile));
}
