#include "ui/VtBaseSettingsUiManager.h"

#include "monitor/VtMonitorsManager.h"
#include "profiles/MonitorsProfile.h"
#include "profiles/MonitorsProfileList.h"
#include "tasks/MonitorsTasks.h"
#include "ui/VtBaseSettingsUi.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr std::array pictureValues{PictureValue::Brightness, PictureValue::Contrast, PictureValue::Red,
                                   PictureValue::Green, PictureValue::Blue};

float fractionOf(const MonitorProfile& values, PictureValue value)
{
    const MonitorLevel level = levelOf(value);
    if (level.kind == Brightness)
        return values.brightness;
    if (level.kind == Contrast)
        return values.contrast;
    const auto gain = values.gains.find(level.channel);
    return gain == values.gains.end() ? 1.0f : gain->second;
}

bool nearlyEqual(float a, float b)
{
    return std::fabs(a - b) <= std::numeric_limits<float>::epsilon();
}

bool sameValues(const MonitorProfile& a, const MonitorProfile& b)
{
    if (!nearlyEqual(a.brightness, b.brightness) || !nearlyEqual(a.contrast, b.contrast))
        return false;
    if (a.gains.size() != b.gains.size())
        return false;
    for (auto ga = a.gains.begin(), gb = b.gains.begin(); ga != a.gains.end(); ++ga, ++gb) {
        if (!nearlyEqual(ga->second, gb->second))
            return false;
    }
    return true;
}

// Every monitor the profile names has these values now.
bool matches(const MonitorsProfile& profile, const MonitorsProfile& current)
{
    for (const auto& [id, values] : profile.monitors) {
        const auto now = current.find(id);
        if (!now || !sameValues(*values, *now))
            return false;
    }
    return true;
}

} // namespace

VtBaseSettingsUiManager::VtBaseSettingsUiManager(std::shared_ptr<MonitorsTasks> tasks,
                                                 std::shared_ptr<MonitorsProfileList> profiles,
                                                 std::shared_ptr<VtMainWindowUi> settingsUi)
    : tasks(std::move(tasks)), profiles(std::move(profiles)), settingsUi(std::move(settingsUi))
{
    this->settingsUi->addConsumer(this);
    this->settingsUi->profileList().addConsumer(this);
    this->settingsUi->monitorList().addConsumer(this);
    this->tasks->addConsumer(this);
}

VtBaseSettingsUiManager::~VtBaseSettingsUiManager()
{
    tasks->removeConsumer(this);
    settingsUi->monitorList().removeConsumer(this);
    settingsUi->profileList().removeConsumer(this);
    settingsUi->removeConsumer(this);
}

void VtBaseSettingsUiManager::onVaEvent(kelRaisesVaEvents* raiser, const kelVaEvent& event)
{
    if (raiser == settingsUi.get()) {
        if (dynamic_cast<const VtBaseSettingsUi::VaEvent*>(&event))
            initUi();
        else if (const auto* slider = dynamic_cast<const MonitorSettingsUi::VaEvent*>(&event))
            onSliderMoved(slider->value);
        else if (const auto* deletion = dynamic_cast<const ProfilesManageUi::VaDeleteProfileEvent*>(&event))
            deleteProfile(deletion->name);
        else if (const auto* command = dynamic_cast<const ProfilesManageUi::VaEvent*>(&event)) {
            if (command->kind == ProfilesManageUi::SaveProfile)
                saveProfile();
            else if (command->kind == ProfilesManageUi::RestoreOriginals)
                restoreOriginals();
        }
    } else if (raiser == &settingsUi->profileList()) {
        applyProfile(settingsUi->profileList().selectedValue());
    } else if (raiser == &settingsUi->monitorList()) {
        refreshValues();
    } else if (raiser == tasks.get()) {
        onTaskEvent(event);
    }
}

void VtBaseSettingsUiManager::onTaskEvent(const kelVaEvent& event)
{
    const auto* taskEvent = dynamic_cast<const MonitorsTasks::Event*>(&event);
    if (!taskEvent)
        return;
    std::lock_guard guard(mutex);
    if (ownTasks.contains(taskEvent->taskId)) {
        if (taskEvent->kind == MonitorsTasks::Event::Finished || taskEvent->kind == MonitorsTasks::Event::Dropped)
            ownTasks.erase(taskEvent->taskId);
        return;
    }
    if (taskEvent->kind == MonitorsTasks::Event::MonitorsChanged)
        postedCodes->post(MonitorsChanged);
    else if (taskEvent->kind == MonitorsTasks::Event::ValuesChanged)
        postedCodes->post(ValuesChangedElsewhere);
}

void VtBaseSettingsUiManager::PostedCodes::post(int code)
{
    std::lock_guard guard(mutex);
    codes.push_back(code);
}

std::optional<int> VtBaseSettingsUiManager::PostedCodes::take()
{
    std::lock_guard guard(mutex);
    if (codes.empty())
        return std::nullopt;
    const int code = codes.front();
    codes.pop_front();
    return code;
}

void VtBaseSettingsUiManager::performTasks()
{
    while (const auto code = postedCodes->take())
        perform(*code);
}

void VtBaseSettingsUiManager::perform(int code)
{
    switch (code) {
    case MonitorsChanged:
        refreshMonitorList();
        refreshValues();
        break;
    case ValuesChangedElsewhere:
        refreshValues();
        syncProfileSelection();
        break;
    case OwnChangeDone:
        syncProfileSelection();
        break;
    case OwnProfileApplied:
        refreshValues();
        break;
    default:
        break;
    }
}

std::function<void(bool)> VtBaseSettingsUiManager::postingOnCompletion(int code) const
{
    return [codes = postedCodes, code](bool) { codes->post(code); };
}

void VtBaseSettingsUiManager::initUi()
{
    refreshMonitorList();
    refreshValues();
    refreshProfileList();
    syncProfileSelection();
}

void VtBaseSettingsUiManager::refreshMonitorList()
{
    auto& list = settingsUi->monitorList();
    const std::wstring previous = list.hasSelection() ? list.selectedValue() : std::wstring();
    list.clear();
    std::wstring first;
    {
        const auto lock = tasks->autoLock();
        for (const auto& monitor : *tasks->monitorsManager()->monitors()) {
            const std::wstring name = monitor->displayDevice()->displayName();
            if (list.contains(name))
                continue;
            const std::wstring id = profileIdOf(*monitor);
            nameById[id] = name;
            idByName[name] = id;
            list.add(name);
            if (first.empty())
                first = name;
        }
    }
    if (previous.empty() || !list.select(previous))
        list.select(first);
}

void VtBaseSettingsUiManager::refreshValues()
{
    const std::wstring selected = settingsUi->monitorList().selectedValue();
    const auto id = idByName.find(selected);
    if (id == idByName.end())
        return;
    const auto lock = tasks->autoLock();
    std::shared_ptr<MonitorControl> control;
    for (const auto& monitor : *tasks->monitorsManager()->monitors()) {
        if (monitor->displayDevice()->displayName() == selected)
            control = monitor->control();
    }
    const auto values = tasks->currentValues()->find(id->second);
    if (!control || !values)
        return;
    for (const PictureValue value : pictureValues) {
        const bool supported = control->isSupported(levelOf(value).kind);
        settingsUi->enableValue(value, supported);
        if (supported)
            settingsUi->setSliderFraction(value, fractionOf(*values, value));
    }
}

void VtBaseSettingsUiManager::refreshProfileList()
{
    auto& list = settingsUi->profileList();
    const auto lock = profiles->autoLock();
    list.clear();
    for (const auto& [name, profile] : profiles->getProfiles())
        list.add(name);
}

MonitorsProfile VtBaseSettingsUiManager::currentValuesCopy() const
{
    MonitorsProfile copy;
    const auto lock = tasks->autoLock();
    copy.copyFrom(*tasks->currentValues());
    return copy;
}

void VtBaseSettingsUiManager::syncProfileSelection()
{
    const MonitorsProfile current = currentValuesCopy();
    auto& list = settingsUi->profileList();
    const auto lock = profiles->autoLock();
    for (const auto& [name, profile] : profiles->getProfiles()) {
        if (matches(*profile, current)) {
            list.select(name);
            return;
        }
    }
    list.clearSelection();
}

void VtBaseSettingsUiManager::onSliderMoved(PictureValue value)
{
    const auto id = idByName.find(settingsUi->monitorList().selectedValue());
    const std::wstring monitorId = id == idByName.end() ? std::wstring() : id->second;
    const float fraction = settingsUi->sliderFraction(value);
    tasks->queueTask(std::make_unique<MonitorsTasks::monitor_task>(monitorId, value, fraction),
                     postingOnCompletion(OwnChangeDone), false, [this](TasksProcessorTask* task) {
                         std::lock_guard guard(mutex);
                         ownTasks.insert(task->id());
                     });
}

void VtBaseSettingsUiManager::saveProfile()
{
    const std::wstring name = settingsUi->askProfileName();
    if (name.empty())
        return;
    const MonitorsProfile current = currentValuesCopy();
    auto& list = settingsUi->profileList();
    profiles->storeValues(name, current);
    if (!list.contains(name))
        list.add(name);
    list.select(name);
}

void VtBaseSettingsUiManager::restoreOriginals()
{
    tasks->queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::RestoreOriginal),
                     postingOnCompletion(OwnChangeDone));
}

void VtBaseSettingsUiManager::deleteProfile(const std::wstring& name)
{
    profiles->remove(name);
    settingsUi->profileList().remove(name);
    postedCodes->post(OwnChangeDone);
}

void VtBaseSettingsUiManager::applyProfile(const std::wstring& name)
{
    auto copy = profiles->copyOf(name);
    if (!copy)
        return;
    tasks->queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::ApplyProfile,
                                                                   std::move(copy)),
                     postingOnCompletion(OwnProfileApplied));
}
