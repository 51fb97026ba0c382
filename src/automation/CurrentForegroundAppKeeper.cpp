#include "automation/CurrentForegroundAppKeeper.h"

#include <mutex>
#include <utility>

namespace {

constexpr double ticksPerSecond = 10'000'000.0;

bool sameProcess(const std::shared_ptr<const RunningAppInfo>& left, const std::shared_ptr<const RunningAppInfo>& right)
{
    return left == right || (left && right && left->processId() == right->processId());
}

} // namespace

CurrentForegroundAppKeeper2::CurrentForegroundAppKeeper2(std::shared_ptr<ForegroundKeeperPlatform> platform)
    : platform(std::move(platform)), screen(this->platform->virtualScreenSize())
{
}

void CurrentForegroundAppKeeper2::onForegroundApp(std::shared_ptr<const RunningAppInfo> app)
{
    std::lock_guard guard(mutex);
    latest = app;
    latestTime = platform->now();
    if (sameProcess(app, current))
        makeCurrent(std::move(app));
}

std::shared_ptr<const RunningAppInfo> CurrentForegroundAppKeeper2::currentApp()
{
    std::lock_guard guard(mutex);
    if (!isFrozenByScreenChange() && latest != current && secondsSince(latestTime) >= switchDelay)
        makeCurrent(latest);
    return current;
}

bool CurrentForegroundAppKeeper2::isFrozenByScreenChange()
{
    const ScreenSize now = platform->virtualScreenSize();
    if (now != screen) {
        screen = now;
        screenChangeTime = platform->now();
    }
    return screenChangeTime != 0 && secondsSince(screenChangeTime) < displayChangeFreeze;
}

double CurrentForegroundAppKeeper2::secondsSince(std::int64_t then) const
{
    return static_cast<double>(platform->now() - then) / ticksPerSecond;
}

void CurrentForegroundAppKeeper2::makeCurrent(std::shared_ptr<const RunningAppInfo> app)
{
    current = std::move(app);
    onCurrentChanged();
}
