#include "automation/VtAutoUserActionManager.h"

#include "actions/VtUserActionProcessorList.h"

#include <algorithm>
#include <utility>

VtAutoUserActionManager::VtAutoUserActionManager(std::shared_ptr<VtUserActionProcessorList> processors)
    : processors(std::move(processors))
{
    startThread([this] { run(); });
}

VtAutoUserActionManager::~VtAutoUserActionManager()
{
    requestStop(true);
}

void VtAutoUserActionManager::addProvider(std::shared_ptr<VtAutoUserActionProvider> provider)
{
    if (!provider)
        return;
    std::lock_guard guard(providersMutex);
    providers.push_back(std::move(provider));
}

void VtAutoUserActionManager::run()
{
    while (!waitForStop()) {
        withdrawEnded();
        runOffered();
    }
}

void VtAutoUserActionManager::withdrawEnded()
{
    const auto ended = std::stable_partition(activeAutoActions.begin(), activeAutoActions.end(),
                                             [](const AutoUserAction& active) { return !active.hasEnded(); });
    for (auto entry = ended; entry != activeAutoActions.end(); ++entry)
        processors->withdraw(entry->action);
    activeAutoActions.erase(ended, activeAutoActions.end());
}

void VtAutoUserActionManager::runOffered()
{
    std::vector<std::shared_ptr<VtAutoUserActionProvider>> asked;
    {
        std::lock_guard guard(providersMutex);
        asked = providers;
    }
    for (const auto& provider : asked) {
        AutoUserAction offered;
        while (provider->nextAction(offered))
            runAction(std::exchange(offered, {}));
    }
}

void VtAutoUserActionManager::runAction(AutoUserAction offered)
{
    if (!enabled || !offered.action)
        return;
    if (!offered.hasEnded) {
        processors->process(offered.action, false);
        return;
    }
    const auto action = offered.action;
    activeAutoActions.push_back(std::move(offered));
    processors->process(action, true);
}
