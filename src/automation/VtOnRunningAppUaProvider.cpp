#include "automation/VtOnRunningAppUaProvider.h"

#include "automation/RunningForegroundAppTracker.h"
#include "automation/VtForegroundAppKeeper.h"
#include "automation/VtOnAppActionDb.h"

#include <mutex>
#include <utility>

VtOnRunningAppUaProvider::VtOnRunningAppUaProvider(std::shared_ptr<AppInfoDb> appInfoDb,
                                                   std::shared_ptr<VtOnAppActionDb> rules,
                                                   std::shared_ptr<RunningForegroundAppTracker> tracker,
                                                   std::shared_ptr<ForegroundKeeperPlatform> platform)
    : tracker(std::move(tracker)),
      keeper(std::make_shared<VtForegroundAppKeeper>(std::move(appInfoDb), std::move(platform))),
      rules(std::move(rules))
{
    this->tracker->addConsumer(this);
}

VtOnRunningAppUaProvider::~VtOnRunningAppUaProvider()
{
    tracker->removeConsumer(this);
}

void VtOnRunningAppUaProvider::onVaEventCode(kelRaisesVaEvents* raiser, std::uint32_t, va_list)
{
    if (raiser == tracker.get())
        keeper->onForegroundApp(tracker->foregroundApp());
}

bool VtOnRunningAppUaProvider::nextAction(AutoUserAction& out)
{
    std::unique_lock guard(mutex);
    const std::uint32_t appId = keeper->currentAppId();
    if (appId != lastAppId) {
        lastAppId = appId;
        waiting.clear();
        if (appId != 0)
            queueRulesOf(appId);
    }
    if (waiting.empty())
        return false;
    out = std::move(waiting.front());
    waiting.pop_front();
    return true;
}

void VtOnRunningAppUaProvider::queueRulesOf(std::uint32_t appId)
{
    const auto appRules = rules->rulesFor(appId);
    if (appRules.empty())
        return;
    const std::weak_ptr<VtForegroundAppKeeper> watched = keeper;
    auto hasEnded = [watched, appId] {
        const auto keeperNow = watched.lock();
        return !keeperNow || keeperNow->currentAppId() != appId;
    };
    for (const auto& rule : appRules)
        waiting.push_back({copyUserAction(rule->action), hasEnded});
}
