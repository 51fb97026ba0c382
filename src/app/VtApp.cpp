#include "app/VtApp.h"

#include "app/AppConfiguration.h"
#include "persistence/AppSerializableObjectsMgr.h"

#include <utility>

VtApp::VtApp(ConfigurationFactory makeConfiguration) : makeConfiguration(std::move(makeConfiguration))
{
    ensureStore();
}

VtApp::~VtApp()
{
    if (objectsManager) {
        objectsManager->saveAll(0);
        objectsManager->saveAll(0);
    }
}

void VtApp::ensureStore()
{
    if (!appConfiguration && makeConfiguration)
        appConfiguration = makeConfiguration();
    if (!objectsManager && appConfiguration)
        objectsManager = std::make_shared<AppSerializableObjectsMgr>(appConfiguration);
}

bool VtApp::initialize()
{
    ensureStore();
    return true;
}
