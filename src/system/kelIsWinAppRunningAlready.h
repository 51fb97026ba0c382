#pragma once

#include "support/kelWinHandle.h"
#include "system/kelIsAppRunningAlreadyBase.h"

#include <memory>
#include <string>

// The guard as a named mutex of the session, held while acquired and closed
// with the last copy of its handle.
class kelIsWinAppRunningAlready : public kelIsAppRunningAlreadyBase {
public:
    // The program's own guard.
    static constexpr const wchar_t* programGuardName = L"{7D2F2F60-6985-4FF8-8124-55D43E83ECA4}";

    explicit kelIsWinAppRunningAlready(std::wstring name = programGuardName);

    bool isRunning() override;
    void acquire() override;
    void release() override;
    bool tryAcquire() override;
    bool isAcquired() override { return handle != nullptr; }

private:
    // The mutex, made or opened; the error code the creation left is kept
    // for the caller even though wrapping the handle may change it.
    std::shared_ptr<kelWinHandle> createMutex(DWORD& lastError) const;

    std::wstring name;
    std::shared_ptr<kelWinHandle> handle;
};
