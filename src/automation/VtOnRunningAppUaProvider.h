#pragma once

#include "automation/VtAutoUserActionProvider.h"
#include "support/kelOwnedMutex.h"
#include "support/kelVaEvent.h"

#include <cstdint>
#include <deque>
#include <memory>

class AppInfoDb;
class ForegroundKeeperPlatform;
class RunningForegroundAppTracker;
class VtForegroundAppKeeper;
class VtOnAppActionDb;

// Offers the rules of the application in front: each time an application
// becomes current, a fresh copy of each of its rules' actions, all ending
// when that application stops being current. An application's rules fire
// once per visit, not again while it stays in front.
//
// Threads and locks: the tracker's events arrive on the tracker's thread
// and go to the keeper; nextAction() runs on the automatic-action thread.
// Lock order: the provider's mutex, then the keeper's, then the application
// database's. nextAction() holds the provider's mutex throughout: it asks
// the keeper for the current application (the keeper's mutex, and inside
// it the application database's lock when a change of application is taken
// over and its id looked up), and for a new application takes the rule
// database's mutex in rulesFor, which takes no other lock inside it. An end
// condition (hasEnded) runs on the automatic-action thread without the
// provider's mutex; it takes the keeper's mutex and, when it takes over a
// pending change of application, the application database's lock inside it.
class VtOnRunningAppUaProvider : public VtAutoUserActionProvider, public kelConsumesVaEvents {
public:
    VtOnRunningAppUaProvider(std::shared_ptr<AppInfoDb> appInfoDb, std::shared_ptr<VtOnAppActionDb> rules,
                             std::shared_ptr<RunningForegroundAppTracker> tracker,
                             std::shared_ptr<ForegroundKeeperPlatform> platform);
    ~VtOnRunningAppUaProvider() override;
    VtOnRunningAppUaProvider(const VtOnRunningAppUaProvider&) = delete;
    VtOnRunningAppUaProvider& operator=(const VtOnRunningAppUaProvider&) = delete;

    bool nextAction(AutoUserAction& out) override;
    void onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t code, va_list args) override;

private:
    void queueRulesOf(std::uint32_t appId);

    const std::shared_ptr<RunningForegroundAppTracker> tracker;
    const std::shared_ptr<VtForegroundAppKeeper> keeper;
    const std::shared_ptr<VtOnAppActionDb> rules;
    kelOwnedMutex mutex;
    std::uint32_t lastAppId = 0;
    std::deque<AutoUserAction> waiting;
};
