#pragma once

#include "persistence/kelSerializableObjectsMgr.h"

#include <chrono>
#include <memory>
#include <string>

class AppConfiguration;

// The objects manager of the application: each object lives in the named
// file of the configuration's data folder, in the configuration's format.
class AppSerializableObjectsMgr : public kelSerializableObjectsMgr {
public:
    explicit AppSerializableObjectsMgr(std::shared_ptr<AppConfiguration> configuration,
                                       std::chrono::milliseconds autosaveInterval = defaultAutosaveInterval);

    bool registerObject(std::shared_ptr<kelSerializable> object, const std::wstring& fileName);
    using kelSerializableObjectsMgr::registerObject;

private:
    std::shared_ptr<AppConfiguration> configuration;
};
