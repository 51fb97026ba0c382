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
        // Offers are collected before the end conditions are looked at: a
        // provider that saw the application change has already made the
        // change, so the actions of the application that was left are seen
        // as ended and withdrawn before the new ones run.
        auto offered = collectOffered();
        withdrawEnded();
        for (auto& action : offered)
            runAction(std::move(action));
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

std::vector<AutoUserAction> VtAutoUserActionManager::collectOffered()
{
    std::vector<std::shared_ptr<VtAutoUserActionProvider>> asked;
    {
        std::lock_guard guard(providersMutex);
        asked = providers;
    }
    std::vector<AutoUserAction> offered;
    for (const auto& provider : asked) {
        AutoUserAction next;
        while (provider->nextAction(next))
            offered.push_back(std::exchange(next, {}));
    }
    return offered;
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
