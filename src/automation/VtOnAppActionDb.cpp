#include "automation/VtOnAppActionDb.h"

#include <algorithm>
#include <mutex>

namespace {

bool byApp(const std::shared_ptr<VtOnAppAction>& left, const std::shared_ptr<VtOnAppAction>& right)
{
    return left->appId < right->appId;
}

} // namespace

void VtOnAppActionDb::Rules::sortByApp()
{
    // Stable, so the rules of one application keep the order they were stored or added in.
    std::stable_sort(items.begin(), items.end(), byApp);
}

VtOnAppActionDb::Rules::Range VtOnAppActionDb::Rules::rangeOf(std::uint32_t appId)
{
    auto probe = std::make_shared<VtOnAppAction>();
    probe->appId = appId;
    return std::equal_range(items.begin(), items.end(), probe, byApp);
}

bool VtOnAppActionDb::serialize(kelSerializationIoStream& io, unsigned flags)
{
    std::lock_guard guard(mutex);
    const bool read = rules.serialize(io, flags);
    if (read && io.isReading())
        rules.sortByApp();
    return read;
}

bool VtOnAppActionDb::isModified()
{
    if (kelSerializable::isModified())
        return true;
    std::lock_guard guard(mutex);
    return rules.isModified();
}

void VtOnAppActionDb::setModified(bool value)
{
    kelSerializable::setModified(value);
    if (value)
        return;
    std::lock_guard guard(mutex);
    rules.setModified(false);
}

std::vector<std::shared_ptr<VtOnAppAction>> VtOnAppActionDb::rulesFor(std::uint32_t appId)
{
    std::lock_guard guard(mutex);
    const auto [first, last] = rules.rangeOf(appId);
    return {first, last};
}

void VtOnAppActionDb::addRule(const std::shared_ptr<VtOnAppAction>& rule)
{
    {
        std::lock_guard guard(mutex);
        if (!rules.addItem(rule))
            return;
        rules.sortByApp();
        rules.setModified(true);
    }
    setModified(true);
}

void VtOnAppActionDb::removeRule(const std::shared_ptr<VtOnAppAction>& rule)
{
    {
        std::lock_guard guard(mutex);
        if (!rule)
            return;
        const auto [first, last] = rules.rangeOf(rule->appId);
        const auto found = std::find(first, last, rule);
        if (found == last)
            return;
        rules.erase(found);
    }
    setModified(true);
}
