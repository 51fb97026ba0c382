#include "actions/VtUserActionProcessorList.h"

#include <algorithm>

bool VtUserActionProcessorList::process(const std::shared_ptr<VtUserAction>& action, bool restorable)
{
    return std::ranges::any_of(processors, [&](const auto& each) { return each->process(action, restorable); });
}

void VtUserActionProcessorList::withdrawAll()
{
    for (const auto& each : processors)
        each->withdrawAll();
}

bool VtUserActionProcessorList::withdraw(const std::shared_ptr<VtUserAction>& action)
{
    return std::ranges::any_of(processors, [&](const auto& each) { return each->withdraw(action); });
}
