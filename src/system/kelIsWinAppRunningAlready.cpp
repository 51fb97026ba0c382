#include "system/kelIsWinAppRunningAlready.h"

#include <utility>

kelIsWinAppRunningAlready::kelIsWinAppRunningAlready(std::wstring name) : name(std::move(name)) {}

bool kelIsWinAppRunningAlready::isRunning()
{
    const kelWinHandle opened(OpenMutexW(SYNCHRONIZE, FALSE, name.c_str()));
    return opened.isValid();
}

void kelIsWinAppRunningAlready::acquire()
{
    DWORD ignored = 0;
    handle = createMutex(ignored);
}

void kelIsWinAppRunningAlready::release()
{
    handle.reset();
}

bool kelIsWinAppRunningAlready::tryAcquire()
{
    DWORD lastError = 0;
    auto created = createMutex(lastError);
    if (created->isValid() && lastError == ERROR_ALREADY_EXISTS)
        return false;
    handle = std::move(created);
    return true;
}

std::shared_ptr<kelWinHandle> kelIsWinAppRunningAlready::createMutex(DWORD& lastError) const
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    lastError = GetLastError();
    return std::make_shared<kelWinHandle>(mutex);
}
