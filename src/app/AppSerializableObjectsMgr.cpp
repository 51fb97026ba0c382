#include "app/AppSerializableObjectsMgr.h"

#include "app/AppConfiguration.h"
#include "persistence/kelSerializationFileStoreMgr.h"

#include <utility>

AppSerializableObjectsMgr::AppSerializableObjectsMgr(std::shared_ptr<AppConfiguration> configuration,
                                                     std::chrono::milliseconds autosaveInterval)
    : kelSerializableObjectsMgr(autosaveInterval), configuration(std::move(configuration))
{
}

bool AppSerializableObjectsMgr::registerObject(std::shared_ptr<kelSerializable> object, const std::wstring& fileName)
{
    // The data folder is made and cached on first use; one registration at a time does that.
    const auto guard = lock();
    auto store = std::make_shared<kelSerializationFileStoreMgr>(configuration->dataFolder().filePath(fileName, false));
    return kelSerializableObjectsMgr::registerObject(std::move(object), std::move(store),
                                                     configuration->createInputStream(fileName),
                                                     configuration->createOutputStream());
}
