#include "app/VtApp.h"

#include "actions/HotkeyPlatform.h"
#include "actions/VtHotkeysManager.h"
#include "actions/VtUserActionForMonitorProcessor.h"
#include "actions/VtUserActionProcessorList.h"
#include "app/AppConfiguration.h"
#include "app/AppSerializableObjectsMgr.h"
#include "app/VtObjectsSettingsManager.h"
#include "automation/RunningForegroundAppTracker.h"
#include "automation/VtAppInfoDb.h"
#include "automation/VtAutoUserActionManager.h"
#include "automation/VtIconDatabase.h"
#include "automation/VtOnAppActionDb.h"
#include "automation/VtOnRunningAppUaProvider.h"
#include "monitor/DisplayDeviceInfoDb.h"
#include "monitor/VtMonitorsState.h"
#include "profiles/MonitorsProfileList.h"
#include "profiles/ProfileReKeying.h"
#include "profiles/VtSettingsManager.h"
#include "tasks/MonitorsTasks.h"

#include <utility>

VtApp::VtApp(ConfigurationFactory makeConfiguration, VtMonitorsManager::PlatformFactory makeMonitorsPlatform,
             VtAppPlatform platform)
    : makeConfiguration(std::move(makeConfiguration)), makeMonitorsPlatform(std::move(makeMonitorsPlatform)),
      platform(std::move(platform))
{
    ensureStore();
}

VtApp::~VtApp()
{
    shutDown();
}

void VtApp::shutDown()
{
    // Nothing applies a rule any more, or undoes one, but the lines below.
    if (autoActions)
        autoActions->stop();
    if (foregroundTracker)
        foregroundTracker->stop();
    if (processors)
        processors->withdrawAll();
    // Runs the undoing, whose new controlled states are saved below.
    if (tasks)
        tasks->requestStop(true);
    if (!objectsManager)
        return;
    objectsManager->saveAll(0);
    objectsManager->saveAll(0);
    objectsManager->requestStop(true);
}

bool VtApp::ensureStore()
{
    if (!appConfiguration && makeConfiguration)
        appConfiguration = makeConfiguration();
    if (!objectsManager && appConfiguration && !appConfiguration->dataFolder().folder(false).empty())
        objectsManager = std::make_shared<AppSerializableObjectsMgr>(appConfiguration);
    return objectsManager != nullptr;
}

bool VtApp::initialize()
{
    if (!ensureStore() || !createMonitors())
        return false;
    createProfiles();
    createSettings();
    createApplicationDatabases();
    objectsManager->startAutosave();
    createUserActionProcessors();
    createHotkeys();
    createAutomation();
    // Hotkeys are registered, and rules applied, only now, as the settings say.
    objectsSettings = std::make_shared<VtObjectsSettingsManager>(settingsManager, hotkeysManager, autoActions);
    return true;
}

bool VtApp::createMonitors()
{
    auto originalStates = std::make_shared<VtMonitorsState>(Original);
    objectsManager->registerObject(originalStates, L"m_orig_st.vt");
    auto controlledStates = std::make_shared<VtMonitorsState>(Controlled);
    objectsManager->registerObject(controlledStates, L"m_ctrl_st.vt");
    devices = std::make_shared<DisplayDeviceInfoDb>();
    objectsManager->registerObject(devices, L"monitors.vt");
    holdBackWhenIdsAreUnknown(originalStates);
    holdBackWhenIdsAreUnknown(controlledStates);

    tasks = std::make_shared<MonitorsTasks>(std::make_shared<VtMonitorsManager>(
        makeMonitorsPlatform, devices, std::move(originalStates), std::move(controlledStates), ControlMethodHardware));
    const auto enumeration =
        tasks->queueTask(std::make_unique<MonitorsTasks::generic_task>(MonitorsTasks::generic_task::Enumerate), {}, true);
    enumeration->wait();
    const auto guard = tasks->autoLock();
    return enumeration->result() && !tasks->monitorsManager()->monitors()->empty();
}

void VtApp::createProfiles()
{
    profileList = std::make_shared<MonitorsProfileList>();
    objectsManager->registerObject(profileList, L"profiles.vt");
    holdBackWhenIdsAreUnknown(profileList);
    const auto guard = tasks->autoLock();
    const auto manager = tasks->monitorsManager();
    reKeyProfiles(*profileList, *manager->monitors(),
                  [&manager](const std::wstring& name) { return manager->idForLegacyName(name); });
}

void VtApp::createSettings()
{
    settingsManager = std::make_shared<VtSettingsManager>();
    objectsManager->registerObject(settingsManager, L"settings.vt");
}

void VtApp::createApplicationDatabases()
{
    const std::wstring dataFolder = appConfiguration->dataFolder().folder(false);
    iconDatabase = std::make_shared<VtIconDatabase>(dataFolder + kelAppDataFolderBase::separator + L"icons");
    objectsManager->registerObject(iconDatabase, L"icons.vt");
    appDatabase = std::make_shared<VtAppInfoDb>(iconDatabase);
    objectsManager->registerObject(appDatabase, L"apps.vt");
}

void VtApp::createUserActionProcessors()
{
    processors = std::make_shared<VtUserActionProcessorList>();
    processors->processors.push_back(std::make_shared<VtUserActionForMonitorProcessor>(tasks, profileList));
}

void VtApp::createHotkeys()
{
    hotkeysManager = std::make_shared<VtHotkeysManager>(std::make_shared<VtHotkeysProcessor>(processors), platform.hotkeys);
    objectsManager->registerObject(hotkeysManager, L"hotkeys.vt");
}

void VtApp::createAutomation()
{
    appRules = std::make_shared<VtOnAppActionDb>();
    objectsManager->registerObject(appRules, L"apps_actions.vt");
    autoActions = std::make_shared<VtAutoUserActionManager>(processors);
    if (!platform.makeForegroundTracker || !platform.foregroundKeeper)
        return;
    foregroundTracker = platform.makeForegroundTracker();
    if (foregroundTracker)
        autoActions->addProvider(std::make_shared<VtOnRunningAppUaProvider>(appDatabase, appRules, foregroundTracker,
                                                                            platform.foregroundKeeper));
}

void VtApp::holdBackWhenIdsAreUnknown(const std::shared_ptr<kelSerializable>& object)
{
    // A device database that could not be read gives this run's monitors
    // fresh ids, which may be other monitors' ids in the user's files: an
    // original picture or a profile entry saved under one would later be put
    // on the wrong monitor.
    if (objectsManager->isHeldBack(devices))
        objectsManager->holdBack(object);
}
