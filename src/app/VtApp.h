#pragma once

#include "app/VtAppPlatform.h"
#include "monitor/VtMonitorsManager.h"

#include <functional>
#include <memory>

class AppConfiguration;
class AppSerializableObjectsMgr;
class DisplayDeviceInfoDb;
class kelSerializable;
class MonitorsProfileList;
class MonitorsTasks;
class VtAppInfoDb;
class VtIconDatabase;
class VtSettingsManager;
class VtUserActionProcessorList;
class RunningForegroundAppTracker;
class VtAutoUserActionManager;
class VtHotkeysManager;
class VtObjectsSettingsManager;
class VtOnAppActionDb;

// The application hub: owns every model object. It is created on the UI
// thread at start-up and destroyed there at exit, after the windows.
class VtApp {
public:
    using ConfigurationFactory = std::function<std::shared_ptr<AppConfiguration>()>;

    // The platform's configuration and monitors come from the application,
    // which alone knows where its files live and how monitors are reached.
    VtApp(ConfigurationFactory makeConfiguration, VtMonitorsManager::PlatformFactory makeMonitorsPlatform,
          VtAppPlatform platform = {});
    // Shuts down, then releases the model in reverse order.
    ~VtApp();
    VtApp(const VtApp&) = delete;
    VtApp& operator=(const VtApp&) = delete;

    // Creates the configuration and the objects manager unless they exist;
    // false when the configuration names no data folder: then there is no
    // objects manager, and nothing is loaded or written anywhere.
    bool ensureStore();
    // Creates and loads the model objects; false means there is no data
    // folder or no monitor was found, and then nothing after the monitors is
    // created.
    bool initialize();
    // Everything the end of the program needs before the process may be
    // ended, the same at Exit and at the end of the Windows session: the
    // automation stops, the per-application actions in force are undone, the
    // monitor task queue runs what is queued (the undoing among it) and
    // stops, every modified object is saved, twice so that the second pass
    // catches what the first one's writing changed, and the remaining
    // threads stop. The model objects stay, but the task queue takes no
    // more tasks. Called again (a second end of the session, then the
    // destructor) it only saves what changed since. UI thread.
    void shutDown();

    std::shared_ptr<AppConfiguration> configuration() const { return appConfiguration; }
    std::shared_ptr<AppSerializableObjectsMgr> objectsMgr() const { return objectsManager; }
    std::shared_ptr<MonitorsProfileList> profiles() const { return profileList; }
    std::shared_ptr<MonitorsTasks> monitorsTasks() const { return tasks; }
    std::shared_ptr<DisplayDeviceInfoDb> deviceDb() const { return devices; }
    std::shared_ptr<VtSettingsManager> settings() const { return settingsManager; }
    std::shared_ptr<VtUserActionProcessorList> userActionProcessors() const { return processors; }
    std::shared_ptr<VtIconDatabase> iconDb() const { return iconDatabase; }
    std::shared_ptr<VtAppInfoDb> appInfoDb() const { return appDatabase; }
    std::shared_ptr<VtHotkeysManager> hotkeys() const { return hotkeysManager; }
    std::shared_ptr<VtOnAppActionDb> onAppActions() const { return appRules; }
    std::shared_ptr<VtAutoUserActionManager> autoUserActions() const { return autoActions; }

private:
    // Loads the kept states and the device database, starts the monitor task
    // queue and waits for the first enumeration; false when it found nothing.
    bool createMonitors();
    void createProfiles();
    void createSettings();
    // The icons folder lives in the data folder, beside the settings files.
    void createApplicationDatabases();
    void createUserActionProcessors();
    void createHotkeys();
    void createAutomation();
    // Objects that name monitors by id are never saved in a run whose ids
    // are not the user's ones.
    void holdBackWhenIdsAreUnknown(const std::shared_ptr<kelSerializable>& object);

    // Fields are released in reverse order: the monitor task queue (joining
    // its worker) before the objects it works on, the objects manager before
    // the configuration it reads its paths and formats from.
    ConfigurationFactory makeConfiguration;
    VtMonitorsManager::PlatformFactory makeMonitorsPlatform;
    VtAppPlatform platform;
    std::shared_ptr<AppConfiguration> appConfiguration;
    std::shared_ptr<AppSerializableObjectsMgr> objectsManager;
    std::shared_ptr<MonitorsProfileList> profileList;
    std::shared_ptr<VtSettingsManager> settingsManager;
    std::shared_ptr<MonitorsTasks> tasks;
    std::shared_ptr<DisplayDeviceInfoDb> devices;
    std::shared_ptr<VtIconDatabase> iconDatabase;
    std::shared_ptr<VtAppInfoDb> appDatabase;
    // An action still in force at the end is undone by shutDown(), before
    // the task queue stops.
    std::shared_ptr<VtUserActionProcessorList> processors;
    std::shared_ptr<VtHotkeysManager> hotkeysManager;
    std::shared_ptr<VtOnAppActionDb> appRules;
    // The automatic-action thread is joined before the tracker that feeds it goes.
    std::shared_ptr<RunningForegroundAppTracker> foregroundTracker;
    std::shared_ptr<VtAutoUserActionManager> autoActions;
    std::shared_ptr<VtObjectsSettingsManager> objectsSettings;
};
